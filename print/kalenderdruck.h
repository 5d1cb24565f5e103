#pragma once

#include "model/tagdaten.h"

#include <QRect>
#include <QSize>

#include <vector>

class QPainter;

// The calendar printout: two weeks per landscape page, one week per row, Monday to Sunday.
namespace Kalenderdruck {

constexpr int TageProSeite = 14;

// 2 cm in dots of the vertical resolution: the margin on all four sides.
int Rand(int dpi);

struct Seitenmass
{
    int rand = 0;
    int spalte = 0; // column width
    int zeile = 0;  // row height
    // Row 0 or 1, column 0 (Monday) to 6; neighbouring cells share their edges.
    QRect Zelle(int zeile, int spalte) const;
};

// The page at `dpi` with a printable area of `seite` dots.
Seitenmass Mass(int dpi, QSize seite);

// Pages for `anzahlTage` day cells: (anzahlTage + 13) div 14.
int Seiten(int anzahlTage);

// Draws the days erster … erster + 13 of `tage` that exist into their cells.
void SeiteZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<const TagDaten*>& tage,
                   int erster);

} // namespace Kalenderdruck
