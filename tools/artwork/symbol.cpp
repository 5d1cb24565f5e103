#include "erzeugen.h"
#include "zeichnen.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainterPath>
#include <QSvgGenerator>

namespace {

// The icon is drawn on a grid of 256 units, scaled to each size.
constexpr qreal Raster = 256;

// A rounded tile in the program's light yellow with a dark blue rim, the mark on it.
void SymbolZeichnen(QPainter& p, qreal groesse)
{
    p.save();
    p.scale(groesse / Raster, groesse / Raster);
    const QRectF kachel(12, 12, 232, 232);
    QLinearGradient grund(kachel.topLeft(), kachel.bottomLeft());
    grund.setColorAt(0, QColor(255, 250, 232));
    grund.setColorAt(1, QColor(252, 228, 170));
    QPainterPath rund;
    rund.addRoundedRect(kachel, 44, 44);
    p.setPen(QPen(Palette::Dunkelblau, 12));
    p.setBrush(grund);
    p.drawPath(rund);
    MarkeZeichnen(p, QRectF(40, 34, 176, 186));
    p.restore();
}

} // namespace

std::vector<Ausgabe> Programmsymbole(const QString& name)
{
    std::vector<Ausgabe> liste;
    for (int groesse : {16, 32, 48, 64, 128, 256}) {
        QImage bild = NeuesBild(groesse, groesse);
        QPainter p(&bild);
        Vorbereiten(p);
        SymbolZeichnen(p, groesse);
        p.end();
        liste.push_back({QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(groesse).arg(name), bild});
    }
    return liste;
}

QByteArray ProgrammsymbolSvg()
{
    QBuffer puffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&puffer);
    svg.setSize(QSize(int(Raster), int(Raster)));
    svg.setViewBox(QRectF(0, 0, Raster, Raster));
    svg.setTitle(QStringLiteral("Kistenlotse"));
    QPainter p(&svg);
    SymbolZeichnen(p, Raster);
    p.end();
    return puffer.data();
}
