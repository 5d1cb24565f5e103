#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>

// Start slots and durations as the dialogs and printouts show them.
namespace Zeiten {

constexpr int Slots = 48;       // "00:00" … "23:30"
constexpr int Dauerstufen = 47; // "00h30" … "23h30"

// A stored Start or Dauer may hold any number (plan files are outside input): every view
// first brings it into its list this way, before any arithmetic on it.
constexpr qint32 StartImBereich(qint32 start)
{
    return std::clamp(start, 1, Slots);
}
constexpr qint32 DauerImBereich(qint32 dauer)
{
    return std::clamp(dauer, 0, Dauerstufen - 1);
}

// "00:00", "00:30", … "23:30"; index Start - 1.
const QStringList& BeginnTexte();
// "00h30", "01h00", … "23h30"; index Dauer.
const QStringList& DauerTexte();

// The begin of slot `start` as "HH:MM"; slots outside 1..48 are clamped.
QString BeginnText(qint32 start);
// The length of duration code `dauer` as "HHhMM"; codes outside 0..46 are clamped.
QString DauerText(qint32 dauer);

} // namespace Zeiten
