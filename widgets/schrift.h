#pragma once

#include <QFont>

// The program's fonts: every window, cell and printout takes its font from here.

// "Arial" as the windows and printouts name it; on Linux the metric-compatible
// Liberation Sans stands in for it.
QFont ArialPixel(int pixel, bool fett = false);
QFont ArialPunkt(int punkt, bool fett = false);

// The day cells' font on the screen (the printout draws them in ArialPunkt(10)).
QFont ZellenSchrift();

// The task dialogs' font. Its line height (13 pixels) is also the pitch at which a label
// lays out its lines, which the link label's place relies on.
QFont Dialogschrift();

// The start dialog's font.
QFont Startdialogschrift();
