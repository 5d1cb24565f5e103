#pragma once

#include "model/taufgabe.h"

#include <QStringList>

#include <cstddef>
#include <vector>

// Moving a task together with the tasks that depend on it, so that the order relations
// ("vorher") hold again.

struct Verschiebung
{
    std::size_t position = 0; // in the task list
    double Tag = 0;           // the new day
};

struct Mitverschiebung
{
    std::vector<Verschiebung> verschiebungen; // the moved task first, then its dependants
    // Titles of the tasks that would leave the 52 weeks a calendar can show, in list order.
    QStringList nichtPlatzierbar;

    bool moeglich() const { return nichtPlatzierbar.isEmpty(); }
};

// Task `nummer` goes to day `tag` at its own start slot. Moving later, every task that must
// come after it (directly or through others) moves later by the fewest whole days that put
// it after its moved predecessors; moving earlier, every task that must come before it moves
// earlier in the same way. Each keeps its start slot; a task without auchSonntags skips
// Sundays and the holidays of both states, as the plan search does. A task that would leave
// the 52 weeks counted from the plan's unmoved end cannot be placed. Relations that only
// involve unmoved tasks are left as they are.
Mitverschiebung MitAbhaengigenVerschieben(const Aufgabenliste& aufgaben, qint32 nummer, double tag,
                                          int landA, int landB);

// Gives the tasks their new days.
void Anwenden(Aufgabenliste& aufgaben, const Mitverschiebung& m);
