#include "app/kalendertastatur.h"

namespace Kalendertastatur {

namespace {

constexpr int Woche = 7;

// Alt+arrow: the task moves a day or a week.
Ziel Verschieben(const Stelle& s, int taste)
{
    int schritt = 0;
    switch (taste) {
    case Qt::Key_Left:
        schritt = -1;
        break;
    case Qt::Key_Right:
        schritt = 1;
        break;
    case Qt::Key_Up:
        schritt = -Woche;
        break;
    case Qt::Key_Down:
        schritt = Woche;
        break;
    default:
        return {};
    }
    const int ziel = s.zelle + schritt;
    if (s.aufgabe < 0 || ziel < 0 || ziel >= s.anzahlZellen)
        return {Befehl::Nichts}; // no task, or the calendar ends here
    return {Befehl::Verschieben, ziel, s.aufgabe};
}

Ziel Fokus(int zelle, int aufgabe)
{
    return {Befehl::Fokus, zelle, aufgabe};
}

} // namespace

Ziel Taste(const Stelle& s, int taste, Qt::KeyboardModifiers modifikatoren)
{
    const int termine = s.termine(s.zelle);
    const int t = s.aufgabe < termine ? s.aufgabe : -1;
    const Qt::KeyboardModifiers tasten = modifikatoren & ~Qt::KeypadModifier;
    if (tasten == Qt::AltModifier)
        return Verschieben({s.zelle, t, s.anzahlZellen, s.termine}, taste);
    if (tasten == Qt::ShiftModifier && taste == Qt::Key_F10)
        return {Befehl::Menue, s.zelle, t};
    if (tasten != Qt::NoModifier)
        return {};

    const int i = s.zelle;
    switch (taste) {
    case Qt::Key_Left:
        return i > 0 ? Fokus(i - 1, -1) : Ziel{Befehl::Nichts};
    case Qt::Key_Right:
        return i + 1 < s.anzahlZellen ? Fokus(i + 1, -1) : Ziel{Befehl::Nichts};
    case Qt::Key_Down:
        // Down the day's tasks, then on to the same weekday of the next week.
        if (t + 1 < termine)
            return Fokus(i, t + 1);
        return i + Woche < s.anzahlZellen ? Fokus(i + Woche, -1) : Ziel{Befehl::Nichts};
    case Qt::Key_Up:
        if (t >= 0)
            return Fokus(i, t - 1);
        return i - Woche >= 0 ? Fokus(i - Woche, s.termine(i - Woche) - 1) : Ziel{Befehl::Nichts};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {Befehl::Oeffnen, i, t};
    case Qt::Key_Delete:
        return t >= 0 ? Ziel{Befehl::Loeschen, i, t} : Ziel{Befehl::Nichts};
    case Qt::Key_Space:
        return t >= 0 ? Ziel{Befehl::Erledigt, i, t} : Ziel{Befehl::Nichts};
    case Qt::Key_Menu:
        return {Befehl::Menue, i, t};
    default:
        return {};
    }
}

} // namespace Kalendertastatur
