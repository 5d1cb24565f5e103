#pragma once

#include <QString>

// The move situation: the answers of the start dialog, kept with the plan and written to
// plan files under these names.
struct Situation
{
    qint32 BundeslandA = 1; // federal state of the old home, 1..17
    qint32 BundeslandB = 1; // federal state of the new home, 1..17
    bool Auszugsrenovierung = false;
    bool Einzugsrenovierung = false;
    bool Spedition = false;
    bool Kinder = false;
    QString Einzugdatum; // "dd.mm.yyyy": first day the new home can be entered
    QString Auszugdatum; // "dd.mm.yyyy": the old home must be left before this day

    bool operator==(const Situation&) const = default;
};
