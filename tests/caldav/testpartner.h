#pragma once

// The plan side of a sync round for tests: a task list, preset answers, a record of the
// questions, and the order check accepting every move.

#include "kalenderexport/caldavabgleich.h"
#include "kalenderexport/caldavrunde.h"
#include "kalenderexport/caldavverbindung.h"

#include <QStringList>
#include <QTimer>

class TestPartner final : public Abgleichpartner
{
public:
    Aufgabenliste aufgaben;
    Vorrang vorrang = Vorrang::Plan;
    NachServerloeschung nachLoeschung = NachServerloeschung::NeuSenden;
    QStringList fragen;

    const Aufgabenliste& Aufgaben() const override { return aufgaben; }
    Vorrang BeideGeaendert(const taufgabe& a, const Termininhalt&) override
    {
        fragen << QStringLiteral("beide %1").arg(a.Nummer);
        return vorrang;
    }
    NachServerloeschung AufServerGeloescht(const taufgabe& a) override
    {
        fragen << QStringLiteral("geloescht %1").arg(a.Nummer);
        return nachLoeschung;
    }
    void Uebernehmen(const Uebernahme& u) override
    {
        for (taufgabe& a : aufgaben) {
            if (a.Nummer != u.Nummer)
                continue;
            if (u.TitelGeaendert)
                a.Kurzbezeichnung = u.Titel;
            if (u.NotizGeaendert)
                a.Notiz = u.Notiz;
            if (u.ZeitGeaendert) {
                a.Tag = u.Zeit.Tag;
                a.Start = u.Zeit.Start;
                a.Dauer = u.Zeit.Dauer;
            }
        }
    }
    void AufgabeLoeschen(qint32 nummer) override
    {
        std::erase_if(aufgaben, [&](const taufgabe& a) { return a.Nummer == nummer; });
    }
};

// Runs one round to its end; `waehrend` is called on each progress report.
inline CalDavBericht RundeDurchlaufen(CalDavVerbindung& verbindung, Abgleichpartner& partner,
                                      CalDavStand& stand, const QString& planId,
                                      const std::function<void(CalDavRunde&, int)>& waehrend = {})
{
    CalDavRunde runde(verbindung, partner, stand, planId);
    if (waehrend)
        QObject::connect(&runde, &CalDavRunde::Fortschritt, &runde,
                         [&](int erledigt, int) { waehrend(runde, erledigt); });
    return runde.BisZumEnde();
}
