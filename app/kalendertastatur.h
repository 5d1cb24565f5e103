#pragma once

#include <Qt>

#include <functional>

// The keyboard in the calendar: arrows walk the days and their tasks, Enter opens, Entf
// deletes, Leertaste ticks the task off or opens it again, the context-menu key (or
// Umschalt+F10) opens the menu of the task or day, Alt+arrow moves the task a day (left,
// right) or a week (up, down). This decides where a key leads; the window carries it out.
namespace Kalendertastatur {

enum class Befehl
{
    Fremd,       // not a key of the calendar
    Nichts,      // a calendar key with nothing to do here (the calendar ends, no task)
    Fokus,       // the focus goes to cell `zelle`, its task `aufgabe` (-1 the day itself)
    Oeffnen,     // open task `aufgabe` of the current cell (-1: a new task on its day)
    Loeschen,    // delete task `aufgabe` of the current cell
    Verschieben, // move task `aufgabe` of the current cell to the day of cell `zelle`
    Erledigt,    // tick task `aufgabe` of the current cell off, or open it again
    Menue,       // the context menu of task `aufgabe` of the current cell (-1: of the day)
};

struct Ziel
{
    Befehl befehl = Befehl::Fremd;
    int zelle = -1;
    int aufgabe = -1;

    bool operator==(const Ziel&) const = default;
};

// Where the focus is: cell `zelle` of `anzahlZellen` (seven to a week), its task `aufgabe`
// (-1 the day itself). `termine(i)` tells how many tasks cell i shows.
struct Stelle
{
    int zelle = 0;
    int aufgabe = -1;
    int anzahlZellen = 0;
    std::function<int(int)> termine;
};

Ziel Taste(const Stelle& stelle, int taste, Qt::KeyboardModifiers modifikatoren);

} // namespace Kalendertastatur
