#pragma once

#include "model/tagdaten.h"

#include <vector>

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

// The bands of the day's appointments in a cell `breite` pixels wide, as the screen draws them
// in the cell font (Zellenzeichnung::BildschirmLage): top down below the header, each as high
// as its text needs and the body has room for, the rest of the body free for a click. An
// appointment without room has an empty band (the cell counts it in "+N").
std::vector<Bandbereich> Baender(const TagDaten& tag, int breite);
// The band of appointment `index`; an empty band for an index out of range.
Bandbereich Band(const TagDaten& tag, int index, int breite);
// Index of the appointment whose band holds the point (the last one wins), -1 if none.
int TerminAnPunkt(const TagDaten& tag, int breite, int x, int y);
// Index of the appointment whose band holds the height y (the last one wins), -1 if none.
int TerminInHoehe(const TagDaten& tag, int breite, int y);

} // namespace Zellengeometrie
