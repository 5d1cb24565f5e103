#include "app/umzugaendern.h"

#include "app/fensterdialoge.h"
#include "app/reihenfolge.h"
#include "app/situationsform.h"
#include "model/plandokument.h"
#include "model/tageszahl.h"
#include "model/umplanung.h"
#include "widgets/meldung.h"

#include <QDialog>

#include <algorithm>
#include <cmath>

namespace {

// "einen Tag", "14 Tage".
QString Tage(double anzahl)
{
    const qint64 n = qint64(std::abs(anzahl));
    return n == 1 ? QStringLiteral("einen Tag") : QStringLiteral("%1 Tage").arg(n);
}

// The moving task's day in `aufgaben`, if the plan has one.
std::optional<double> Umzugstag(const Aufgabenliste& aufgaben)
{
    for (const taufgabe& a : aufgaben)
        if (a.Nummer == Umzugsaufgabe && !a.Benutzeraufgabe)
            return a.Tag;
    return std::nullopt;
}

QString EigeneFrage(double verschiebung, std::optional<double> alt, std::optional<double> neu)
{
    QString text = QStringLiteral("Der Umzugstag verschiebt sich um %1 nach %2")
                       .arg(Tage(verschiebung),
                            verschiebung > 0 ? QStringLiteral("hinten") : QStringLiteral("vorn"));
    if (alt && neu)
        text +=
            QStringLiteral(", vom %1 auf den %2").arg(Tageszahl::Text(*alt), Tageszahl::Text(*neu));
    return text + QStringLiteral(".\nSollen Ihre eigenen Aufgaben mitverschoben werden? Mit "
                                 "„Nein“ bleiben sie an ihren Tagen.");
}

QString WegfallFrage(const Aufgabenliste& aufgaben)
{
    const bool eine = aufgaben.size() == 1;
    QString text = eine ? QStringLiteral("Diese Aufgabe gehört nicht mehr zu Ihrem Umzug und würde "
                                         "entfernt, obwohl sie eine Notiz hat oder erledigt ist:")
                        : QStringLiteral("Diese Aufgaben gehören nicht mehr zu Ihrem Umzug und "
                                         "würden entfernt, obwohl sie eine Notiz haben oder "
                                         "erledigt sind:");
    for (const taufgabe& a : aufgaben)
        text += QStringLiteral("\n„%1“").arg(a.Kurzbezeichnung) +
                (a.Erledigt ? QStringLiteral(" (erledigt)") : QStringLiteral(" (mit Notiz)"));
    return text + (eine ? QStringLiteral("\nSoll sie trotzdem entfernt werden?")
                        : QStringLiteral("\nSollen sie trotzdem entfernt werden?"));
}

// What the status line says after the change.
QString Ansage(const Situation& s, bool mitEigenen, double eigeneVerschiebung, size_t entfallen)
{
    QString text = QStringLiteral("Der Umzug wurde geändert: Einzug ab dem %1, Auszug vor dem %2.")
                       .arg(s.Einzugdatum, s.Auszugdatum);
    if (mitEigenen && eigeneVerschiebung != 0)
        text +=
            QStringLiteral(" Ihre eigenen Aufgaben liegen %1 %2.")
                .arg(Tage(eigeneVerschiebung),
                     eigeneVerschiebung > 0 ? QStringLiteral("später") : QStringLiteral("früher"));
    else if (mitEigenen)
        text += QStringLiteral(" Ihre eigenen Aufgaben bleiben an ihren Tagen.");
    if (entfallen == 1)
        text += QStringLiteral(" Eine Aufgabe ist entfallen.");
    else if (entfallen > 1)
        text += QStringLiteral(" %1 Aufgaben sind entfallen.").arg(entfallen);
    return text;
}

} // namespace

std::optional<QString> UmzugAendern(Plandokument& dokument, Fensterdialoge& dialoge,
                                    QWidget* fenster, PlanMelder* melder)
{
    TSituationsForm* startdialog = dialoge.Startdialog();
    if (startdialog->AendernZeigen(dokument.plan().situation) != QDialog::Accepted)
        return std::nullopt;
    const Situation neu = startdialog->GewaehlteSituation();
    double einzug = 0;
    double auszug = 0;
    Tageszahl::ausText(neu.Einzugdatum, &einzug);
    Tageszahl::ausText(neu.Auszugdatum, &auszug);

    const Plan& plan = dokument.plan();
    if (plan.Aufgaben.empty()) {
        // Nothing to carry over (the calendar stayed empty): a plan as the start makes it.
        dokument.NeuPlanen(neu, melder);
        return Ansage(dokument.plan().situation, false, 0, 0);
    }

    Umplanung umplanung = plan.Umplanen(neu, einzug, auszug, true);
    const bool mitEigenen = std::any_of(plan.Aufgaben.begin(), plan.Aufgaben.end(),
                                        [](const taufgabe& a) { return a.Benutzeraufgabe; });
    bool eigeneVerschieben = true;
    if (mitEigenen && umplanung.verschiebung != 0) {
        switch (Meldung(fenster, MeldungsArt::Bestaetigung,
                        EigeneFrage(umplanung.verschiebung, Umzugstag(plan.Aufgaben),
                                    Umzugstag(umplanung.aufgaben)),
                        Ja | Nein | Abbrechen)) {
        case Ja:
            break;
        case Nein:
            eigeneVerschieben = false;
            umplanung = plan.Umplanen(neu, einzug, auszug, false);
            break;
        default:
            return std::nullopt;
        }
    }

    if (!umplanung.konflikte.isEmpty()) {
        TReihenfolge* konflikte = dialoge.Reihenfolgedialog();
        konflikte->KonflikteZeigen(umplanung.konflikte);
        konflikte->exec(); // only ever ends with Cancel, as for a drag
        return std::nullopt;
    }

    const Aufgabenliste mitInhalt = umplanung.WegfallendeMitInhalt();
    if (!mitInhalt.empty() &&
        Meldung(fenster, MeldungsArt::Bestaetigung, WegfallFrage(mitInhalt), Ja | Nein) != Ja)
        return std::nullopt;

    const double verschiebung = eigeneVerschieben ? umplanung.verschiebung : 0;
    const size_t entfallen = umplanung.weggefallen.size();
    dokument.UmplanungUebernehmen(std::move(umplanung));
    return Ansage(dokument.plan().situation, mitEigenen, verschiebung, entfallen);
}
