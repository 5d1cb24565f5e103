#include "app/abgleichbefehl.h"

#include "app/fensterdialoge.h"
#include "app/reihenfolge.h"
#include "dialogs/abgleichdialog.h"
#include "kalenderexport/caldavplanpartner.h"
#include "model/abgleicheinstellungen.h"
#include "model/plandokument.h"
#include "model/tageszahl.h"
#include "widgets/meldung.h"

namespace {

QString Zeitpunkt(const Ortszeit& zeit)
{
    return QStringLiteral("am %1 um %2 Uhr")
        .arg(zeit.Datum.toString(QStringLiteral("dd.MM.yyyy")),
             zeit.Zeit.toString(QStringLiteral("HH:mm")));
}

// The plan partner of the window: asks the user where the command-line tool decides alone.
class Fensterpartner final : public CalDavPlanpartner
{
public:
    Fensterpartner(Plandokument& dokument, Fensterdialoge& dialoge, QWidget* fenster)
        : CalDavPlanpartner(dokument.plan()), m_dokument(dokument), m_dialoge(dialoge),
          m_fenster(fenster)
    {
    }

    Vorrang BeideGeaendert(const taufgabe& aufgabe, const Termininhalt& server) override
    {
        const Termininhalt hier = TermininhaltAus(aufgabe);
        const QString frage =
            QStringLiteral("„%1“ wurde seit dem letzten Abgleich im Plan und im Kalender "
                           "geändert.\n\nIm Plan: „%1“ %2\nIm Kalender: „%3“ %4\n\nSoll die "
                           "Fassung aus dem Kalender gelten? Mit „Nein“ gilt die Fassung des "
                           "Plans und wird in den Kalender gesendet.")
                .arg(aufgabe.Kurzbezeichnung, Zeitpunkt(hier.Start), server.Titel,
                     Zeitpunkt(server.Start));
        return Meldung(m_fenster, MeldungsArt::Bestaetigung, frage, Ja | Nein) == Ja
                   ? Vorrang::Server
                   : Vorrang::Plan;
    }

    NachServerloeschung AufServerGeloescht(const taufgabe& aufgabe) override
    {
        const QString frage =
            QStringLiteral("Der Termin „%1“ wurde im Kalender gelöscht.\n\nSoll die Aufgabe "
                           "auch aus dem Plan gelöscht werden? Mit „Nein“ bleibt sie im Plan "
                           "und wird wieder in den Kalender gesendet.")
                .arg(aufgabe.Kurzbezeichnung);
        return Meldung(m_fenster, MeldungsArt::Bestaetigung, frage, Ja | Nein) == Ja
                   ? NachServerloeschung::AufgabeLoeschen
                   : NachServerloeschung::NeuSenden;
    }

protected:
    // As a drag: the conflicts shown, with the offer to move the dependants along.
    bool ZeitPruefen(const taufgabe& aufgabe, const Aufgabenzeit& zeit,
                     Mitverschiebung* bewegung) override
    {
        const QStringList zeilen = m_plan.ReihenfolgePruefen(aufgabe.Nummer, zeit.Start, zeit.Tag);
        if (zeilen.isEmpty()) {
            bewegung->verschiebungen.push_back(
                {static_cast<size_t>(m_plan.AufgabeSuchen(aufgabe.Nummer)), zeit.Tag});
            return true;
        }
        *bewegung = MitAbhaengigenVerschieben(m_plan.Aufgaben(), aufgabe.Nummer, zeit.Tag,
                                              m_plan.situation().BundeslandA,
                                              m_plan.situation().BundeslandB);
        TReihenfolge* dialog = m_dialoge.Reihenfolgedialog();
        dialog->KonflikteZeigen(zeilen);
        dialog->MitverschiebenAnbieten(bewegung->nichtPlatzierbar);
        if (dialog->exec() == QDialog::Accepted && bewegung->moeglich())
            return true;
        m_hinweise << QStringLiteral("„%1“ bleibt am %2; der Termin des Plans wird wieder in "
                                     "den Kalender gesendet.")
                          .arg(aufgabe.Kurzbezeichnung, Tageszahl::Text(aufgabe.Tag));
        return false;
    }

    void VorDerErstenAenderung() override { m_dokument.ZustandSichern(); }

private:
    Plandokument& m_dokument;
    Fensterdialoge& m_dialoge;
    QWidget* m_fenster;
};

} // namespace

Abgleichbefehl::Abgleichbefehl(Plandokument& dokument, Fensterdialoge& dialoge, QWidget* fenster)
    : m_dokument(dokument), m_dialoge(dialoge), m_fenster(fenster)
{
}

bool Abgleichbefehl::Ausfuehren()
{
    Plan& plan = m_dokument.plan();
    const QString planId = plan.PlanIdSicherstellen();
    CalDavStand stand = plan.Abgleich();
    Fensterpartner partner(m_dokument, m_dialoge, m_fenster);
    const QString einstellungen = m_dokument.Einstellungsdatei();
    const Abgleicheinstellungen gemerkt =
        AbgleicheinstellungenLesen(einstellungen, stand.KalenderUrl);

    TAbgleichDialog dialog(partner, stand, planId, m_fenster);
    dialog.Vorbelegen(stand.KalenderUrl.isEmpty() ? gemerkt.Adresse : QString(), gemerkt.Benutzer,
                      gemerkt.VertrauteZertifikate);
    bool gelaufen = false;
    QObject::connect(&dialog, &TAbgleichDialog::RundeBeendet, &dialog,
                     [&](const CalDavBericht& bericht) {
                         // Kept after every round, also a failed one: what went through counts.
                         m_dokument.AbgleichSetzen(stand);
                         gelaufen = gelaufen || bericht.Erfolg() || !stand.Eintraege.empty();
                     });
    dialog.exec();

    if (gelaufen) {
        const Abgleicheinstellungen neu{dialog.Adresse(), dialog.Benutzer(),
                                        dialog.VertrauteZertifikate()};
        QString fehler;
        if (!AbgleicheinstellungenSchreiben(einstellungen, neu, &fehler))
            Meldung(m_fenster, MeldungsArt::Warnung,
                    QStringLiteral("Die Anmeldung für den Kalender wurde nicht gemerkt:\n%1")
                        .arg(fehler));
    }
    if (!partner.Hinweise().isEmpty())
        Meldung(m_fenster, MeldungsArt::Information, partner.Hinweise().join(QLatin1Char('\n')));
    if (!partner.PlanGeaendert())
        return false;
    m_dokument.SpanneNeuBerechnen();
    return true;
}
