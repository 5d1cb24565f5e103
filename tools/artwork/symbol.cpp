#include "erzeugen.h"
#include "zeichnen.h"

std::vector<Ausgabe> Programmsymbole(const QString& name)
{
    std::vector<Ausgabe> liste;
    for (int groesse : {16, 32, 48, 64, 128, 256}) {
        QImage bild = NeuesBild(groesse, groesse);
        QPainter p(&bild);
        SvgZeichnen(p, QStringLiteral(":/svg/programmsymbol.svg"), QRectF(0, 0, groesse, groesse));
        p.end();
        liste.push_back(
            {QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(groesse).arg(name), bild});
    }
    return liste;
}
