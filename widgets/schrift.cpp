#include "widgets/schrift.h"

#include <QFontDatabase>
#include <QStringList>

namespace {
QFont arial()
{
    QFont f(QStringLiteral("Arial"));
    f.setFamilies(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    return f;
}
} // namespace

QFont ArialPixel(int pixel, bool fett)
{
    QFont f = arial();
    f.setPixelSize(pixel);
    f.setBold(fett);
    return f;
}

QFont ArialPunkt(int punkt, bool fett)
{
    QFont f = arial();
    f.setPointSize(punkt);
    f.setBold(fett);
    return f;
}
