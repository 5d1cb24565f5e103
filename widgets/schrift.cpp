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

QFont ZellenSchrift()
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSize(8);
    return f;
}

QFont Dialogschrift()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

QFont Startdialogschrift()
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSize(9);
    return f;
}
