#pragma once

#include "model/bundesland.h"

#include <QString>

// The move situation: the answers of the start dialog, kept with the plan and written to
// plan files under these names, and the plan's identity.
struct Situation
{
    qint32 BundeslandA = Bundesland::BadenWuerttemberg; // federal state of the old home
    qint32 BundeslandB = Bundesland::BadenWuerttemberg; // federal state of the new home
    bool Auszugsrenovierung = false;
    bool Einzugsrenovierung = false;
    bool Spedition = false;
    bool Kinder = false;
    QString Einzugdatum; // "dd.mm.yyyy": first day the new home can be entered
    QString Auszugdatum; // "dd.mm.yyyy": the old home must be left before this day
    // A random ID made on the plan's first save or export (Plan::PlanIdSicherstellen), so that
    // exported appointments keep their UIDs; empty until then. A new plan gets a new one.
    QString PlanID;

    bool operator==(const Situation&) const = default;
};
