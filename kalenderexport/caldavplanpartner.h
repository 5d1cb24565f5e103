#pragma once

#include "kalenderexport/caldavabgleich.h"
#include "model/mitverschieben.h"

#include <QStringList>

class Plan;

// The plan side of a round over a Plan. A server's new title or notes are taken over; a new
// day or time only where the order check lets it (otherwise the plan's version is sent back).
// The questions get answers that lose nothing, for a round without anyone to ask: on a change
// on both sides the plan's version wins, and an event deleted on the server is sent again.
// Each of these is noted for the user. The window overrides the questions to ask instead.
class CalDavPlanpartner : public Abgleichpartner
{
public:
    explicit CalDavPlanpartner(Plan& plan);

    const Aufgabenliste& Aufgaben() const override;
    Vorrang BeideGeaendert(const taufgabe& aufgabe, const Termininhalt& server) override;
    NachServerloeschung AufServerGeloescht(const taufgabe& aufgabe) override;
    void Uebernehmen(const Uebernahme& aenderung) override;
    void AufgabeLoeschen(qint32 nummer) override;

    // What the user should know about the round's decisions, one sentence each.
    const QStringList& Hinweise() const { return m_hinweise; }
    // Whether the round changed a task of the plan.
    bool PlanGeaendert() const { return m_geaendert; }

protected:
    // A server's new day or time for `aufgabe`: whether it may be taken, and in *bewegung the
    // tasks to move with it (the task itself first). Here: only a move that adds no order
    // conflict.
    virtual bool ZeitPruefen(const taufgabe& aufgabe, const Aufgabenzeit& zeit,
                             Mitverschiebung* bewegung);
    // Called once before the round's first change to the plan (the window's undo step).
    virtual void VorDerErstenAenderung() {}

    Plan& m_plan;
    QStringList m_hinweise;

private:
    void Aendern();

    bool m_geaendert = false;
};
