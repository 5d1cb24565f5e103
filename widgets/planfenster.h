#pragma once

#include "model/plan.h"
#include "model/tagdaten.h"

#include <QString>

#include <vector>

class QWidget;

// What the dialogs and printouts may ask of the window that owns the plan. Every change to the
// plan follows one protocol: after the user has confirmed it, ZustandSichern; change the task
// list; if a task's day left the calendar, KalenderNeuAufbauen; finally KalenderAktualisieren.
class PlanFenster
{
public:
    virtual ~PlanFenster() = default;

    virtual Plan& plan() = 0;
    // May the task be given this start slot and day? Shows the conflicts when not.
    virtual bool AufgabeVerschieben(qint32 nummer, qint32 start, double tag) = 0;
    virtual void ZustandSichern() = 0;
    // Builds the calendar again around the kept tasks with the stored situation.
    virtual void KalenderNeuAufbauen() = 0;
    virtual void KalenderAktualisieren() = 0;
    // The first and the last day cell in use.
    virtual double ErsterTag() const = 0;
    virtual double LetzterTag() const = 0;
    // The day cells in use, in date order.
    virtual std::vector<const TagDaten*> TagDatenListe() const = 0;
    virtual QWidget* Fenster() = 0;
};
