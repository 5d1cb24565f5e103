#pragma once

#include "model/tagdaten.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

// The calendar printout: two weeks per landscape page, one week per row, Monday to Sunday,
// under a head line naming the page's weeks and months and over a foot line with the page number.
namespace Kalenderdruck {

constexpr int TageProSeite = 14;

// 2 cm in dots of the vertical resolution: the margin on all four sides.
int Rand(int dpi);

// 1 cm in dots: the height of the head band above the cells and of the foot band below them.
int Bandhoehe(int dpi);

struct Seitenmass
{
    int rand = 0;
    int spalte = 0; // column width
    int zeile = 0;  // row height
    int band = 0;   // height of the head and of the foot band
    // Row 0 or 1, column 0 (Monday) to 6; neighbouring cells share their edges.
    QRect Zelle(int zeile, int spalte) const;
    // The head line's band, from the top margin down to the first row, as wide as the rows.
    QRect Kopf() const;
    // The foot line's band, from the last row down to the bottom margin.
    QRect Fuss() const;
};

// The page at `dpi` with a printable area of `seite` dots: within the margins the head band,
// the two rows, the foot band.
Seitenmass Mass(int dpi, QSize seite);

struct Seitentexte
{
    QString kopf; // "KW 6 – 7, Februar 2027"
    QString fuss; // "Seite 1 von 4"
};

// The head and foot lines of the page whose first day is `tage[erster]`; empty when the page
// holds no day.
Seitentexte Texte(const std::vector<const TagDaten*>& tage, int erster);

// Pages for `anzahlTage` day cells: (anzahlTage + 13) div 14.
int Seiten(int anzahlTage);

// Draws the days erster … erster + 13 of `tage` that exist into their cells, and the page's
// head and foot lines.
void SeiteZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<const TagDaten*>& tage,
                   int erster);

} // namespace Kalenderdruck
