#include "tools/vorlagen/zeichnen.h"

namespace Zeichnen {

QImage leinwand(QSize groesse, QColor grund)
{
    QImage bild(groesse, QImage::Format_ARGB32_Premultiplied);
    const int proMeter = qRound(Punktdichte / 0.0254);
    bild.setDotsPerMeterX(proMeter);
    bild.setDotsPerMeterY(proMeter);
    bild.fill(grund);
    return bild;
}

QFont schrift(double punkt, bool fett, bool kursiv)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(punkt);
    f.setBold(fett);
    f.setItalic(kursiv);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias |
                                            QFont::NoFontMerging));
    return f;
}

} // namespace Zeichnen
