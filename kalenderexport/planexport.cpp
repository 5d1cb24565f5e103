#include "kalenderexport/planexport.h"

#include "kalenderexport/exportstand.h"
#include "model/uhr.h"

#include <QScopeGuard>

void TermineEintragen(const Aufgabenliste& aufgaben, const Exportweise& weise,
                      const QDateTime& jetzt,
                      const std::function<void(const Kalendertermin&)>& eintragen)
{
    Exportstand stand(weise.standOrdner, weise.planId);
    const auto standSichern = qScopeGuard([&stand] {
        // Without the record the next export only starts the revisions anew.
        stand.Speichern(nullptr);
    });
    for (const taufgabe& aufgabe : aufgaben) {
        Kalendertermin termin = TerminDerAufgabe(aufgabe);
        termin.Kennung = stand.Kennung(aufgabe.Nummer, termin, jetzt);
        termin.ErinnerungVorlauf = ErinnerungVorlauf(weise.erinnerung, termin.Start);
        eintragen(termin);
    }
}

bool PlanTermineSchreiben(const Aufgabenliste& aufgaben, const QString& pfad,
                          const Exportweise& weise, QString* fehler)
{
    try {
        // All or nothing: a file without the mistyped task would look complete.
        const QString nicht = NichtUebertragbarMeldung(aufgaben);
        if (!nicht.isEmpty())
            throw KalenderFehler(nicht);
        TIcsKalender kalender;
        TermineEintragen(aufgaben, weise, Uhr::JetztUtc(),
                         [&kalender](const Kalendertermin& t) { kalender.TerminHinzufuegen(t); });
        kalender.Schreiben(pfad);
        return true;
    } catch (const KalenderFehler& e) {
        if (fehler)
            *fehler = e.Text();
    } catch (const std::exception& e) {
        if (fehler)
            *fehler = QStringLiteral("Die Termine konnten nicht geschrieben werden: %1")
                          .arg(QString::fromLocal8Bit(e.what()));
    }
    return false;
}
