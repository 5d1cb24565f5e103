#pragma once

#include <QString>

// What the status line says after a command, for everyone and for screen readers, which find
// the line as the window's status bar.
namespace Ansage {
// "„Umzugskartons packen“ liegt jetzt am Mittwoch, 23. Dezember 2026." and, with `mitgezogen`
// dependants moved along, " 2 abhängige Aufgaben wurden mitverschoben."
QString Verschoben(const QString& titel, double tag, int mitgezogen);
// After "Rückgängig".
QString Zurueckgenommen();
// "Der Plan wurde in „umzug.kvr“ gespeichert."
QString Gespeichert(const QString& pfad);
// Enter on a day opens a new task: "Neue Aufgabe am Dienstag, 22. Dezember 2026".
QString NeueAufgabe(double tag);
} // namespace Ansage
