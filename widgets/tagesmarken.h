#pragma once

#include "model/tagdaten.h"

#include <QRect>
#include <QSize>

class QPainter;

// Marks drawn over a day cell on the screen: where today is, which days are past, where the
// keyboard is.
namespace Tagesmarken {

// Greys the header and the free body of a past day; its tasks' bands stay as they are.
void Daempfen(QPainter& p, const TagDaten& tag, QSize groesse);
// Today: a frame in the program's dark blue.
void HeuteRahmen(QPainter& p, QSize groesse);
// The keyboard focus: a frame inside the cell, or around the band of appointment `termin`.
void Fokus(QPainter& p, const TagDaten& tag, QSize groesse, int termin);

// The band of appointment `termin` as the cell fills it.
QRect Band(const TagDaten& tag, int termin, int breite);

} // namespace Tagesmarken
