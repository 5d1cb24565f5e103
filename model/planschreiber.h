#pragma once

#include "model/situation.h"
#include "model/taufgabe.h"

#include <QByteArray>

// A plan file's bytes, serialised straight into Windows-1252: the same bytes as a TBigIniFile
// that received PlanEintragen's values would write, without building the store. False (and
// *bytes unspecified) when a character has no Windows-1252 byte; such a plan is written as
// UTF-8 by the store.
bool PlanBytes(const Aufgabenliste& aufgaben, const Situation& situation, double firstday,
               int anzdays, QByteArray* bytes);

// The whole day of `tag` as the file's integer (0 when it does not fit).
qint32 GanzerTag(double tag);

// The ten characters of "dd.mm.yyyy" for `tag` into `zeichen`; 0 for a day that is no date.
qsizetype TagZeichen(double tag, char16_t (&zeichen)[10]);
