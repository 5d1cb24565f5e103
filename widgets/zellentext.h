#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <limits>
#include <vector>

// Fitting a task's title and notes into a day cell's band.

// The most characters a line `breite` pixels wide can show: four UTF-16 units a pixel
// (combining marks, surrogate pairs) and 64 more. Texts are measured no further, so the work
// of a line is bounded by its width, not by the length of its text.
qsizetype ZeichenJeZeile(int breite);

// Shortens `text` from its end until it, followed by "...", is at most `breite` wide; a text
// that fits stays (a text longer than ZeichenJeZeile counts as too wide). When not even "..."
// fits, the result is "...".
QString Kuerzen(const QString& text, int breite, const QFontMetrics& fm);

// Splits the title at the rightmost blank or comma (never its last character) whose left part
// is at most `breite` wide, looking no further than ZeichenJeZeile; the second part keeps at
// most 255 characters. False when there is no such place.
bool TitelTeilen(const QString& titel, int breite, const QFontMetrics& fm, QString* erster,
                 QString* zweiter);

// The lines of a band: the title (split in two where possible, each part shortened), then
// every note line shortened and marked with a leading '*' for italics. `titelFm` measures the
// title, `notizFm` the notes. At most `hoechstens` lines are made: a band shows no more; a
// band of one line shows the whole title shortened.
QStringList ZellenText(const QString& titel, const QStringList& notiz, int breite,
                       const QFontMetrics& titelFm, const QFontMetrics& notizFm,
                       int hoechstens = std::numeric_limits<int>::max());

// How a day cell's body is shared among its bands.
struct Bandverteilung
{
    std::vector<int> zeilen; // lines of each band, in order; 0: the cell has no room for it
    int weitere = 0;         // bands without room, counted in a line below the others ("+N")
};

// Shares `hoehe` pixels among bands that would show all of their text in `gewuenscht` lines
// of `zeile` pixels, each band taking `abstand` pixels more (the line between bands). Every
// band gets one line first, in order; then each band that wants more gets one more line in
// turn while there is room, so that a long note does not crowd out the tasks after it. When
// not every band finds room for its first line, the last line is kept for the count of the
// others. What is left below is free space of the day.
Bandverteilung BaenderVerteilen(const std::vector<int>& gewuenscht, int hoehe, int zeile,
                                int abstand);
