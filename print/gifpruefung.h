#pragma once

#include <QByteArray>
#include <QString>

// Whether a GIF file holds its pictures whole. Qt's decoder fills what a cut-off file lacks
// with black and reports nothing, so the blocks are walked and every picture's compressed
// data is decoded far enough to count its pixels.
namespace GifPruefung {

// Empty when every picture of `daten` is complete; otherwise why not, in German.
QString Maengel(const QByteArray& daten);

} // namespace GifPruefung
