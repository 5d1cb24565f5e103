#pragma once

#include <QRect>
#include <QSize>

#include <array>

// Where the main window's controls sit for a given client size, and where the day cells sit in
// the calendar. Pure geometry, shared by the window and its tests.
namespace Fensterlayout {

constexpr int Knopfbreite = 120;
constexpr int Knopfhoehe = 24;
constexpr int Dekobreite = 120; // the decoration column at the right
constexpr int Statushoehe = 32;
constexpr int Kopfleistenoben = 40; // the weekday header
constexpr int Kopfleistenhoehe = 17;
constexpr int Logobreite = 200;
constexpr int Logohoehe = 32;
constexpr int Wochenspalte = 20; // the calendar-week column
constexpr int Anzahlknoepfe = 12;

struct Hauptfenster
{
    QRect kalender;   // the scroll box
    QRect kopfleiste; // weekday header
    QRect logo;
    QRect deko;
    QRect status;
    // Undo at the top … "Ende" at the bottom.
    std::array<QRect, Anzahlknoepfe> knoepfe;
};

Hauptfenster Berechnen(QSize client);

// Width of a day cell for a calendar of the given width.
int Zellenbreite(int kalenderbreite);
// Cell i within the calendar's content (unscrolled).
QRect Zelle(int i, int kalenderbreite);
// Left edge and width of weekday head k (0 Monday … 6 Sunday) in a header of the given width.
QRect Wochentagskopf(int k, int kopfbreite);

// The smallest client size at which nothing overlaps: weekday heads of `kopfbreite` pixels,
// the title and the plan's span of `titelbreite` pixels together, the button column below the
// logo, one week of cells.
QSize Mindestgroesse(int kopfbreite, int titelbreite);

// A stored client area made to fit the screen area `verfuegbar`: no smaller than `minimum`,
// no larger than the area, and moved inside it (a window from a monitor that is gone, or of
// hostile size, opens whole on this one).
QRect Wiederhergestellt(QRect gespeichert, QRect verfuegbar, QSize minimum);

} // namespace Fensterlayout
