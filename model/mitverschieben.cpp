#include "model/mitverschieben.h"

#include "model/kalender.h"
#include "model/plan.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <deque>

namespace {

using Nachbarn = std::vector<std::vector<std::size_t>>;

// Predecessors and successors by position; a number names the first task that carries it,
// as in the order check.
void Beziehungen(const Aufgabenliste& aufgaben, Nachbarn& vorher, Nachbarn& nachher)
{
    QHash<qint32, std::size_t> position;
    for (std::size_t i = aufgaben.size(); i-- > 0;)
        position.insert(aufgaben[i].Nummer, i);
    vorher.assign(aufgaben.size(), {});
    nachher.assign(aufgaben.size(), {});
    for (std::size_t s = 0; s < aufgaben.size(); ++s)
        for (qint32 n : aufgaben[s].vorher) {
            const auto it = position.constFind(n);
            if (it == position.constEnd() || *it == s)
                continue;
            vorher[s].push_back(*it);
            nachher[*it].push_back(s);
        }
}

} // namespace

Mitverschiebung MitAbhaengigenVerschieben(const Aufgabenliste& aufgaben, qint32 nummer, double tag,
                                          int landA, int landB)
{
    Mitverschiebung m;
    const auto gefunden = std::find_if(aufgaben.begin(), aufgaben.end(),
                                       [&](const taufgabe& a) { return a.Nummer == nummer; });
    if (gefunden == aufgaben.end())
        return m;
    const std::size_t x = static_cast<std::size_t>(gefunden - aufgaben.begin());
    m.verschiebungen.push_back({x, tag});
    const double alt = std::trunc(aufgaben[x].Tag);
    if (!std::isfinite(tag) || !std::isfinite(alt) || std::trunc(tag) == alt)
        return m;
    const bool spaeter = std::trunc(tag) > alt;

    std::vector<double> neu(aufgaben.size());
    for (std::size_t i = 0; i < aufgaben.size(); ++i)
        neu[i] = aufgaben[i].Tag;
    neu[x] = tag;
    // Moments in half hours: whole numbers, so comparing and stepping are exact.
    auto halbstunden = [&](double t, std::size_t i) {
        return std::trunc(t) * 48 + (static_cast<double>(aufgaben[i].Start) - 1);
    };
    auto zeitpunkt = [&](std::size_t i) { return halbstunden(neu[i], i); };

    // The 52 weeks a calendar can show, anchored at the end of the plan that stays put.
    double grenze = neu[x];
    for (std::size_t i = 0; i < aufgaben.size(); ++i)
        if (std::isfinite(neu[i]))
            grenze = spaeter ? std::min(grenze, neu[i]) : std::max(grenze, neu[i]);
    const double wochen = Kalenderspanne::MeisteTage - 1;
    const double letzterTag = spaeter ? MontagDerWoche(grenze) + wochen : 0;
    const double ersterTag = spaeter ? 0 : MontagDerWoche(grenze) + 6 - wochen;

    Nachbarn vorher;
    Nachbarn nachher;
    Beziehungen(aufgaben, vorher, nachher);
    const Nachbarn& folgende = spaeter ? nachher : vorher;

    std::vector<char> bewegt(aufgaben.size(), 0);
    std::vector<char> draussen(aufgaben.size(), 0);
    bewegt[x] = 1;
    std::deque<std::size_t> offen{x};
    while (!offen.empty()) {
        const std::size_t f = offen.front();
        offen.pop_front();
        const double zf = zeitpunkt(f);
        for (std::size_t s : folgende[f]) {
            const bool verletzt = spaeter ? zf >= zeitpunkt(s) : zf <= zeitpunkt(s);
            if (!verletzt || draussen[s])
                continue;
            if (s == x) {
                // A circle of relations: the task itself would have to give way.
                draussen[s] = 1;
                continue;
            }
            // The fewest whole days that bring the task past (or before) zf.
            const double abstand = (zf - zeitpunkt(s)) / 48;
            const double k = spaeter ? std::floor(abstand) + 1 : std::ceil(abstand) - 1;
            double d = neu[s] + k;
            auto ausserhalb = [&](double t) {
                return spaeter ? std::trunc(t) > letzterTag : std::trunc(t) < ersterTag;
            };
            if (!aufgaben[s].auchSonntags)
                // Blocked runs are short, and the limit ends every search.
                while (!ausserhalb(d) && Plan::TagGesperrt(d, landA, landB))
                    d += spaeter ? 1 : -1;
            neu[s] = d;
            bewegt[s] = 1;
            if (ausserhalb(d))
                draussen[s] = 1; // its own dependants are still followed, to list them too
            offen.push_back(s);
        }
    }

    for (std::size_t i = 0; i < aufgaben.size(); ++i) {
        if (draussen[i])
            m.nichtPlatzierbar.append(aufgaben[i].Kurzbezeichnung);
        if (bewegt[i] && i != x)
            m.verschiebungen.push_back({i, neu[i]});
    }
    return m;
}

void Anwenden(Aufgabenliste& aufgaben, const Mitverschiebung& m)
{
    for (const Verschiebung& v : m.verschiebungen)
        if (v.position < aufgaben.size())
            aufgaben[v.position].Tag = v.Tag;
}
