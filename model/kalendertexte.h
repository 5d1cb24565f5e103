#pragma once

#include <QString>

// German names of days and months, and the texts that say where in time the calendar is.
// Own tables: the program is German whatever the system's regional settings say.
namespace Kalendertexte {

// 1 January … 12 December; empty outside.
QString Monatsname(int monat);
// The weekday of a day number: "Montag" … "Sonntag".
QString Wochentagsname(double tag);

// The head of a day cell: "1. März" with the month's name, else "2.3.".
QString Tageskopf(double tag, bool mitMonat);
// The head with the month's name shortened where it is long: "1. Dez.", "1. März".
QString TageskopfKurz(double tag);
// The month's name belongs in the head on the first of a month and in the first cell.
bool MonatImKopf(double tag, bool ersteZelle);

// The months from `von` to `bis`: "März 2027", "Februar – März 2027",
// "Dezember 2026 – Januar 2027"; empty when a day is no date.
QString Monatsspanne(double von, double bis);
// A printed page's head: "KW 6 – 7, Februar 2027"; one week alone "KW 6, Februar 2027".
QString Seitenkopf(int kwVon, int kwBis, double von, double bis);
// "Seite 2 von 4".
QString Seitenfuss(int seite, int seiten);
// "Mittwoch, 3. März 2027".
QString LangesDatum(double tag);
// How long duration code `dauer` lasts, for reading aloud: "30 Minuten", "1 Stunde",
// "1,5 Stunden"; codes outside the duration list are clamped as there.
QString DauerGesprochen(qint32 dauer);
// A task as a screen reader reads it:
// "Mittwoch, 3. März 2027: Telefon ummelden, 08:30, 2 Stunden".
QString AufgabeGesprochen(double tag, const QString& titel, qint32 start, qint32 dauer);

} // namespace Kalendertexte
