#include "model/umplanung.h"

#include "model/plan.h"
#include "model/tageszahl.h"

#include <QHash>
#include <QSet>

#include <cmath>

namespace {

// The numbers of the catalogue tasks that a plan for `s` holds.
QSet<qint32> GewaehlteNummern(const Situation& s, std::span<const Taufgdata> katalog)
{
    Plan plan;
    plan.KatalogLaden(s.Spedition, katalog);
    plan.AufgabenAuswaehlen(s.Auszugsrenovierung, s.Einzugsrenovierung, s.Spedition, s.Kinder);
    QSet<qint32> nummern;
    for (const taufgabe& a : plan.Aufgaben())
        nummern.insert(a.Nummer);
    return nummern;
}

// The middle of the window between the situation's dates, as the plan search begins; NaN when
// a date cannot be read.
double Fenstermitte(const Situation& s)
{
    double einzug = 0;
    double auszug = 0;
    if (!Tageszahl::ausText(s.Einzugdatum, &einzug) || !Tageszahl::ausText(s.Auszugdatum, &auszug))
        return std::nan("");
    return std::trunc((einzug + auszug) / 2);
}

} // namespace

Aufgabenliste Umplanung::WegfallendeMitInhalt() const
{
    Aufgabenliste liste;
    for (const taufgabe& a : weggefallen) {
        if (a.Erledigt || !ZeilenZuText(a.Notiz).remove(QLatin1Char('|')).trimmed().isEmpty())
            liste.push_back(a);
    }
    return liste;
}

Umplanung Umplanen(const Aufgabenliste& aufgaben, const Situation& alt, const Situation& neu,
                   double einzugdatum, double auszugdatum, bool eigeneVerschieben,
                   std::span<const Taufgdata> katalog)
{
    Plan neuerPlan;
    neuerPlan.situation() = neu;
    // The plan stays the same plan: its exported appointments keep their UIDs.
    if (neuerPlan.situation().PlanID.isEmpty())
        neuerPlan.situation().PlanID = alt.PlanID;
    neuerPlan.AbfolgeSuchen(einzugdatum, auszugdatum, nullptr, katalog);

    Umplanung u;
    u.stichtag = neuerPlan.Stichtag();
    u.keineAbfolge = neuerPlan.keineAbfolge();
    QHash<qint32, const taufgabe*> alte;
    for (const taufgabe& a : aufgaben) {
        if (!a.Benutzeraufgabe && !alte.contains(a.Nummer))
            alte.insert(a.Nummer, &a);
    }
    const taufgabe* alterUmzug = alte.value(Umzugsaufgabe, nullptr);
    const double mitteAlt = Fenstermitte(alt);
    const double mitteNeu = Fenstermitte(neuerPlan.situation());
    if (!alterUmzug && std::isfinite(mitteAlt) && std::isfinite(mitteNeu))
        u.verschiebung = mitteNeu - mitteAlt;

    const QSet<qint32> frueherGewaehlt = GewaehlteNummern(alt, katalog);
    QSet<qint32> bleibende;
    Aufgabenliste neueAufgaben;
    neueAufgaben.reserve(neuerPlan.Aufgaben().size() + aufgaben.size());
    for (taufgabe& t : neuerPlan.Aufgaben()) {
        if (t.Nummer == Umzugsaufgabe && alterUmzug && std::isfinite(alterUmzug->Tag))
            u.verschiebung = std::trunc(t.Tag) - std::trunc(alterUmzug->Tag);
        bleibende.insert(t.Nummer);
        const taufgabe* alterStand = alte.value(t.Nummer, nullptr);
        if (!alterStand) {
            if (!frueherGewaehlt.contains(t.Nummer))
                neueAufgaben.push_back(std::move(t));
            continue;
        }
        t.Notiz = alterStand->Notiz;
        t.Erledigt = alterStand->Erledigt;
        // The catalogue gives every plan the same begin and duration: a different one was set
        // by the user.
        if (alterStand->Start != t.Start || alterStand->Dauer != t.Dauer) {
            t.Start = alterStand->Start;
            t.Dauer = alterStand->Dauer;
        }
        neueAufgaben.push_back(std::move(t));
    }
    for (const taufgabe& a : aufgaben) {
        if (a.Benutzeraufgabe) {
            taufgabe eigene = a;
            if (eigeneVerschieben)
                eigene.Tag += u.verschiebung;
            neueAufgaben.push_back(std::move(eigene));
        } else if (!bleibende.contains(a.Nummer)) {
            u.weggefallen.push_back(a);
        }
    }
    neuerPlan.Aufgaben() = std::move(neueAufgaben);
    u.konflikte = neuerPlan.ReihenfolgePruefen(-1, 0, 0);
    u.aufgaben = std::move(neuerPlan.Aufgaben());
    u.situation = std::move(neuerPlan.situation());
    return u;
}
