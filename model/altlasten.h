#pragma once

#include <QString>

// Clears what earlier runs left behind: temporary files of interrupted saves of the settings
// file and of the plan saved last (older than an hour, so a save running in another window
// keeps its own), and calendar files "termine-*.ics" in `terminOrdner` older than a week.
void AltlastenEntfernen(const QString& einstellungsPfad, const QString& terminOrdner);
