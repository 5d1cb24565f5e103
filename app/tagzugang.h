#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What screen readers learn of the calendar: a day cell is a cell named by its date
// ("Mittwoch, 3. März 2027"), and its tasks are its children, named with date, title, begin
// and duration ("Mittwoch, 3. März 2027: Telefon ummelden, 08:30, 2 Stunden").
QAccessibleInterface* TagZugang(const QString& klasse, QObject* objekt);

// Installs TagZugang once per program.
void TagZugangEinrichten();
