#pragma once

#include "print/vorlagenmass.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

// Shared tools of the template pictures, all in pixels at 150 dots per inch.
namespace Zeichnen {

using Vorlagenmass::Punktdichte;

constexpr double mm(double millimeter)
{
    return millimeter * Punktdichte / 25.4;
}

// A white canvas that knows it is 150 dpi, so font sizes in points come out right.
QImage leinwand(QSize groesse, QColor grund = Qt::white);

// Liberation Sans in points, greyscale antialiased and unhinted: the pictures are printed,
// and subpixel colour fringes would end up in the palette.
QFont schrift(double punkt, bool fett = false, bool kursiv = false);

} // namespace Zeichnen
