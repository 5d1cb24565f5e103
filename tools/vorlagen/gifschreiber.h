#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Writes GIF89a files through giflib; Qt reads GIF but cannot write it. One image, no
// interlacing, a global colour table, optionally one transparent palette entry.
namespace Gif {

// Encodes an image of format QImage::Format_Indexed8 with 1 to 256 palette colours.
// transparent is a palette index or -1. On bad input the result is empty and *fehler
// (if given) says why.
QByteArray kodieren(const QImage& bild, int transparent = -1, QString* fehler = nullptr);

// Encodes and writes atomically: either the whole new file is there or the old one stays.
bool speichern(const QImage& bild, const QString& pfad, int transparent = -1,
               QString* fehler = nullptr);

} // namespace Gif
