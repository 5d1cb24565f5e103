#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;
class tday;

// What screen readers learn of the calendar. The calendar's content is a table "Umzugskalender"
// with a row per week, headed "Kalenderwoche 50", and a column per weekday. A day cell is a
// cell named by its date ("Mittwoch, 3. März 2027") and described by what marks it ("heute,
// Umzugstag, Feiertag, 2 Aufgaben, Eingabetaste: neue Aufgabe"); its tasks are a list in time
// order, each named with date, title, begin, duration and state ("Mittwoch, 3. März 2027: Telefon
// ummelden, 08:30, 2 Stunden, überfällig") and described by its notes.
QAccessibleInterface* TagZugang(const QString& klasse, QObject* objekt);

// Installs TagZugang once per program.
void TagZugangEinrichten();

// The object name of the widget that holds the day cells and the week column.
inline constexpr const char* KalenderinhaltName = "Kalenderinhalt";

// The object name of the window's status line.
inline constexpr const char* StatuszeileName = "StatusPanel";

// Task `aufgabe` of the cell, nullptr when it has none of that index.
QAccessibleInterface* AufgabeZugang(tday* tag, int aufgabe);

// Tells screen readers where the keyboard is in the cell: its current task, or the day. A
// focused cell calls it whenever its current task changes.
void FokusMelden(tday* tag);
// The same once the events of the present focus change are out: Qt announces a cell that
// gets the focus as the day, so a current task must be announced after it.
void FokusMeldenDanach(tday* tag);

// Tells screen readers that the cell's tasks changed (after an undo, a load, a move): its
// description and its list.
void TagGeaendert(tday* tag);
