#pragma once

#include <QString>

// Clears what earlier runs left behind, at start: the temporary files of interrupted saves
// (only those of the program's own shape, see Dateizugriff::ZwischendateienEntfernen) beside
// the settings file and beside the plan saved last, and calendar files "termine-*.ics" in
// `terminOrdner` older than a week. Nothing else is touched: a user's "umzug.kvr.backup" stays.
void AltlastenEntfernen(const QString& einstellungsPfad, const QString& terminOrdner);
