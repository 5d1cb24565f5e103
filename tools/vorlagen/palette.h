#pragma once

#include <QImage>

// Turns a picture drawn in full colour with antialiasing into an 8-bit palette picture of at
// most maxFarben colours (median cut, splitting where the squared error falls most; no
// dithering, which would only add noise to flat artwork). Large areas keep their exact
// colour. The result depends only on the pixels, so the same picture gives the same bytes.
// The palette is sorted by how often a colour is used, most used first.
QImage aufPaletteReduzieren(const QImage& bild, int maxFarben);
