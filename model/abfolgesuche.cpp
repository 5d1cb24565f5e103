// The plan search: from the latest anchor day backwards, the first one whose dated catalogue
// keeps every order relation. Each attempt is judged on flat arrays: the catalogue is turned
// into tasks once, the order relations into index pairs once, and every day's Sunday and
// holiday facts are looked up once per search. Only the chosen attempt becomes a task list.

#include "model/plan.h"

#include <QHash>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Whether each day of a span is a Sunday or a holiday in either state, looked up when first
// asked (Plan::TagGesperrt); days outside the span are looked up every time.
class Sperrtage
{
public:
    static constexpr double GroessteSpanne = 1 << 22; // days; about 11,000 years

    Sperrtage(double von, double bis, int landA, int landB) : m_landA(landA), m_landB(landB)
    {
        if (std::isfinite(von) && std::isfinite(bis) && bis >= von && bis - von < GroessteSpanne &&
            std::abs(von) < GroessteSpanne) {
            m_erster = std::trunc(von);
            m_fakten.assign(static_cast<size_t>(std::trunc(bis) - m_erster) + 1, Unbekannt);
        }
    }

    // The same answer as Plan::TagGesperrt(tag, landA, landB): it depends on the whole day only.
    bool Gesperrt(double tag)
    {
        const double i = std::trunc(tag) - m_erster;
        if (!(i >= 0 && i < static_cast<double>(m_fakten.size())))
            return Plan::TagGesperrt(tag, m_landA, m_landB);
        std::int8_t& f = m_fakten[static_cast<size_t>(i)];
        if (f == Unbekannt)
            f = Plan::TagGesperrt(tag, m_landA, m_landB) ? 1 : 0;
        return f == 1;
    }

private:
    static constexpr std::int8_t Unbekannt = -1;

    int m_landA;
    int m_landB;
    double m_erster = 0;
    std::vector<std::int8_t> m_fakten;
};

// One attempt of the search on flat arrays: the tasks as AufgabenTerminieren dates them, and
// the order check of ReihenfolgePruefen(-1, 0, 0) without its texts.
class Versuche
{
public:
    explicit Versuche(const Aufgabenliste& vorlage)
    {
        const size_t n = vorlage.size();
        m_versatz.reserve(n);
        m_beginn.reserve(n);
        m_sonntags.reserve(n);
        QHash<qint32, int> position; // the first task of each number
        position.reserve(static_cast<qsizetype>(n));
        for (int i = static_cast<int>(n) - 1; i >= 0; --i)
            position.insert(vorlage[static_cast<size_t>(i)].Nummer, i);
        m_ohneZeit = position.value(-1, -1);
        for (size_t i = 0; i < n; ++i) {
            const taufgabe& a = vorlage[i];
            m_versatz.push_back(a.Tag);
            m_beginn.push_back(a.Start < 1 ? 17 : a.Start);
            m_sonntags.push_back(a.auchSonntags);
            for (qint32 v : a.vorher) {
                const int f = position.value(v, -1);
                if (f >= 0)
                    m_paare.emplace_back(f, static_cast<int>(i));
            }
        }
        m_zeit.resize(n);
    }

    // True when the catalogue dated for `stichtag` keeps every order relation.
    bool OhneKonflikt(double stichtag, Sperrtage& sperrtage)
    {
        for (size_t i = 0; i < m_versatz.size(); ++i) {
            double tag = m_versatz[i] + stichtag;
            if (!m_sonntags[i]) {
                while (sperrtage.Gesperrt(tag))
                    tag -= 1;
            }
            m_zeit[i] = taufgabe::Zeitpunkt(tag, m_beginn[i]);
        }
        // ReihenfolgePruefen(-1, 0, 0) judges a task numbered -1 at day 0, slot 0.
        if (m_ohneZeit >= 0)
            m_zeit[static_cast<size_t>(m_ohneZeit)] = taufgabe::Zeitpunkt(0, 0);
        for (const auto& [f, s] : m_paare) {
            if (m_zeit[static_cast<size_t>(f)] >= m_zeit[static_cast<size_t>(s)])
                return false;
        }
        return true;
    }

    // The earliest and latest catalogue offsets, 0 for an empty catalogue.
    std::pair<double, double> Versatzspanne() const
    {
        double von = 0;
        double bis = 0;
        for (size_t i = 0; i < m_versatz.size(); ++i) {
            von = i == 0 ? m_versatz[i] : std::min(von, m_versatz[i]);
            bis = i == 0 ? m_versatz[i] : std::max(bis, m_versatz[i]);
        }
        return {von, bis};
    }

private:
    std::vector<double> m_versatz;
    std::vector<qint32> m_beginn;
    std::vector<bool> m_sonntags;
    std::vector<std::pair<int, int>> m_paare; // (predecessor, successor) in check order
    std::vector<double> m_zeit;
    int m_ohneZeit = -1;
};

} // namespace

void Plan::AbfolgeSuchen(double einzugdatum, double auszugdatum, PlanMelder* melder,
                         std::span<const Taufgdata> katalog)
{
    const Situation& s = situation;
    // Every attempt starts again from the catalogue; no attempt sees an earlier one's changes.
    KatalogUebernehmen(KatalogAufgaben(katalog), s.Spedition);
    AufgabenAuswaehlen(s.Auszugsrenovierung, s.Einzugsrenovierung, s.Spedition, s.Kinder);
    const Aufgabenliste vorlage = Aufgaben;
    Versuche versuche(vorlage);

    const double mitte = std::trunc((einzugdatum + auszugdatum) / 2);
    // The days every attempt can reach, with room for a few blocked days before the earliest.
    const auto [frueh, spaet] = versuche.Versatzspanne();
    Sperrtage sperrtage(std::min(mitte, einzugdatum - 1) + frueh - 14,
                        std::max(mitte, auszugdatum) + spaet, s.BundeslandA, s.BundeslandB);

    double stichtag = mitte;
    bool ohneKonflikt = versuche.OhneKonflikt(stichtag, sperrtage);
    bool aufgeben = false;
    double letzter = auszugdatum;
    while (!ohneKonflikt && !aufgeben) {
        letzter -= 1;
        if (letzter < einzugdatum)
            aufgeben = true;
        stichtag = letzter;
        ohneKonflikt = versuche.OhneKonflikt(stichtag, sperrtage);
    }

    // The last attempt is the plan, also when the search gave up.
    Aufgaben = vorlage;
    Stichtag = stichtag;
    AufgabenTerminieren(stichtag);
    keineAbfolge = aufgeben;
    if (aufgeben && melder)
        melder->KeineAbfolge(KeineAbfolgeText);
}
