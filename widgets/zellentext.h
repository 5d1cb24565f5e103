#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <limits>

// Fitting a task's title and notes into a day cell's band.

// Shortens `text` from its end until it, followed by "...", is at most `breite` wide; a text
// that fits stays. When not even "..." fits, the result is "...".
QString Kuerzen(const QString& text, int breite, const QFontMetrics& fm);

// Splits the title at the rightmost blank or comma (never its last character) whose left part
// is at most `breite` wide. False when there is no such place.
bool TitelTeilen(const QString& titel, int breite, const QFontMetrics& fm, QString* erster,
                 QString* zweiter);

// The lines of a band: the title (split in two where possible, each part shortened), then
// every note line shortened and marked with a leading '*' for italics. `titelFm` measures the
// title, `notizFm` the notes. At most `hoechstens` lines are made: a band shows no more.
QStringList ZellenText(const QString& titel, const QStringList& notiz, int breite,
                       const QFontMetrics& titelFm, const QFontMetrics& notizFm,
                       int hoechstens = std::numeric_limits<int>::max());
