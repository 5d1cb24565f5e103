#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cstdlib>

// Compares a freshly drawn picture with its committed copy by what a viewer sees, not by its
// bytes: a new font version or Qt release shifts antialiased edges by a shade, which must not
// fail a test, while a moved text, a changed colour or a missing element must. Returns an empty
// string when the pictures agree, otherwise what differs.
namespace Bildvergleich {

// A channel may differ this much before a pixel counts as different.
inline constexpr int Kanaltoleranz = 40;
// At most this share of the pixels may differ (the edges of glyphs in another font).
inline constexpr double Pixelanteil = 0.03;
// Averaged over blocks of this size, the pictures may differ only by a shade: this catches
// texts and shapes that moved, whatever their glyphs look like.
inline constexpr int Block = 16;
inline constexpr int Blocktoleranz = 24;
// The ink (everything not of the corner colour) may start and end this many pixels apart.
inline constexpr int Tintenversatz = 3;

inline int abstand(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The bounding box of all pixels that differ clearly from the top-left corner's colour.
inline QRect tinte(const QImage& bild)
{
    const QRgb grund = bild.pixel(0, 0);
    int links = bild.width(), oben = bild.height(), rechts = -1, unten = -1;
    for (int y = 0; y < bild.height(); ++y) {
        const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        for (int x = 0; x < bild.width(); ++x) {
            if (abstand(zeile[x], grund) > Kanaltoleranz) {
                links = std::min(links, x);
                rechts = std::max(rechts, x);
                oben = std::min(oben, y);
                unten = std::max(unten, y);
            }
        }
    }
    return rechts < 0 ? QRect() : QRect(QPoint(links, oben), QPoint(rechts, unten));
}

inline QRgb blockMittel(const QImage& bild, const QRect& block)
{
    long r = 0, g = 0, b = 0;
    for (int y = block.top(); y <= block.bottom(); ++y) {
        const auto* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
        for (int x = block.left(); x <= block.right(); ++x) {
            r += qRed(zeile[x]);
            g += qGreen(zeile[x]);
            b += qBlue(zeile[x]);
        }
    }
    const long n = long(block.width()) * block.height();
    return qRgb(int(r / n), int(g / n), int(b / n));
}

inline QString vergleichen(const QImage& neu, const QImage& alt)
{
    if (neu.size() != alt.size())
        return QStringLiteral("size %1x%2 instead of %3x%4")
            .arg(neu.width())
            .arg(neu.height())
            .arg(alt.width())
            .arg(alt.height());
    if (neu.isNull())
        return {};
    const QImage a = neu.convertToFormat(QImage::Format_RGB32);
    const QImage b = alt.convertToFormat(QImage::Format_RGB32);

    long verschieden = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* za = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* zb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            verschieden += abstand(za[x], zb[x]) > Kanaltoleranz;
    }
    const double anteil = double(verschieden) / (double(a.width()) * a.height());
    if (anteil > Pixelanteil)
        return QStringLiteral("%1 % of the pixels differ").arg(anteil * 100, 0, 'f', 1);

    for (int y = 0; y < a.height(); y += Block) {
        for (int x = 0; x < a.width(); x += Block) {
            const QRect block = QRect(x, y, Block, Block) & a.rect();
            if (abstand(blockMittel(a, block), blockMittel(b, block)) > Blocktoleranz)
                return QStringLiteral("the area at (%1, %2) looks different").arg(x).arg(y);
        }
    }

    const QRect tinteNeu = tinte(a);
    const QRect tinteAlt = tinte(b);
    if (tinteNeu.isNull() != tinteAlt.isNull() ||
        std::abs(tinteNeu.left() - tinteAlt.left()) > Tintenversatz ||
        std::abs(tinteNeu.top() - tinteAlt.top()) > Tintenversatz ||
        std::abs(tinteNeu.right() - tinteAlt.right()) > Tintenversatz ||
        std::abs(tinteNeu.bottom() - tinteAlt.bottom()) > Tintenversatz)
        return QStringLiteral("the drawing spans (%1, %2)-(%3, %4) instead of (%5, %6)-(%7, %8)")
            .arg(tinteNeu.left())
            .arg(tinteNeu.top())
            .arg(tinteNeu.right())
            .arg(tinteNeu.bottom())
            .arg(tinteAlt.left())
            .arg(tinteAlt.top())
            .arg(tinteAlt.right())
            .arg(tinteAlt.bottom());
    return {};
}

} // namespace Bildvergleich
