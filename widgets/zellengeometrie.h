#pragma once

#include "model/tagdaten.h"

// Where things lie in a day cell, in the pixels of its own 164-pixel-high area. The screen
// draws and hit-tests with these; the printout scales them into its cells.
namespace Zellengeometrie {

constexpr int Kopfhoehe = 20; // date header
constexpr int Zellenhoehe = 164;
constexpr int Koerperhoehe = Zellenhoehe - Kopfhoehe; // room for the bands

} // namespace Zellengeometrie

// A band in a day cell, in cell pixels, both edges inclusive. A band whose bottom lies above
// its top (more than 144 appointments in a day) contains no point.
struct Bandbereich
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool enthaelt(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const Bandbereich&) const = default;
};

namespace Zellengeometrie {

// The band of appointment `index` of the day in a cell `breite` pixels wide: the body is
// shared in equal bands of 144 div n pixels below the header, in the day's order.
Bandbereich Band(const TagDaten& tag, int index, int breite);
// Index of the appointment whose band holds the point (the last one wins), -1 if none.
int TerminAnPunkt(const TagDaten& tag, int breite, int x, int y);
// Index of the appointment whose band holds the height y (the last one wins), -1 if none.
int TerminInHoehe(const TagDaten& tag, int y);

} // namespace Zellengeometrie
