#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

// The screen that holds the mouse pointer; the primary screen when none does.
QScreen* BildschirmMitMaus();

// Top left corner of a window of `groesse` centred in `flaeche`.
QPoint Mittig(const QRect& flaeche, QSize groesse);

// Moves the top-level window `fenster`, frame included, to the middle of the free area of the
// screen that holds the mouse pointer.
void AufBildschirmMitte(QWidget* fenster);
