#include "tools/vorlagen/motive.h"

#include "tools/vorlagen/zeichnen.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <iterator>

namespace Motive {

namespace {
const QColor Kontur(58, 52, 48);

QPen kontur(double breite = 3)
{
    return QPen(Kontur, breite, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
} // namespace

void fenster(QPainter& p, const QRectF& glas, const QColor& glasFarbe)
{
    p.setPen(kontur(3));
    p.setBrush(glasFarbe);
    p.drawRect(glas);
    p.setPen(kontur(2));
    p.drawLine(QPointF(glas.center().x(), glas.top()), QPointF(glas.center().x(), glas.bottom()));
    p.drawLine(QPointF(glas.left(), glas.top() + glas.height() * 0.4),
               QPointF(glas.right(), glas.top() + glas.height() * 0.4));
    // sill
    p.setPen(kontur(3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(glas.left() - 4, glas.bottom(), glas.width() + 8, 5));
}

void herz(QPainter& p, QPointF mitte, double groesse, const QColor& farbe)
{
    const double s = groesse / 2;
    QPainterPath pfad;
    pfad.moveTo(mitte.x(), mitte.y() + s);
    pfad.cubicTo(mitte.x() - s * 1.6, mitte.y() - s * 0.1, mitte.x() - s * 0.9, mitte.y() - s * 1.3,
                 mitte.x(), mitte.y() - s * 0.45);
    pfad.cubicTo(mitte.x() + s * 0.9, mitte.y() - s * 1.3, mitte.x() + s * 1.6, mitte.y() - s * 0.1,
                 mitte.x(), mitte.y() + s);
    p.setPen(kontur(3));
    p.setBrush(farbe);
    p.drawPath(pfad);
}

void umzugskarton(QPainter& p, const QRectF& rahmen, const QString& aufschrift)
{
    const QColor pappe(200, 150, 90);
    p.setPen(kontur(3));
    p.setBrush(pappe);
    p.drawRect(rahmen);
    // lid seam and tape
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 196, 140));
    const double band = std::max(6.0, rahmen.width() * 0.12);
    p.drawRect(
        QRectF(rahmen.center().x() - band / 2, rahmen.top() + 1.5, band, rahmen.height() * 0.32));
    p.setPen(kontur(2));
    p.drawLine(QPointF(rahmen.left(), rahmen.top() + rahmen.height() * 0.32),
               QPointF(rahmen.right(), rahmen.top() + rahmen.height() * 0.32));
    p.setPen(kontur(3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rahmen);
    if (!aufschrift.isEmpty()) {
        const QRectF schild(rahmen.left() + rahmen.width() * 0.15,
                            rahmen.top() + rahmen.height() * 0.45, rahmen.width() * 0.7,
                            rahmen.height() * 0.36);
        p.setPen(kontur(2));
        p.setBrush(Qt::white);
        p.drawRect(schild);
        p.setPen(Kontur);
        p.setFont(Zeichnen::schrift(std::min(12.0, schild.height() * 0.33), true));
        p.drawText(schild, Qt::AlignCenter, aufschrift);
    }
}

void wolke(QPainter& p, QPointF mitte, double massstab)
{
    QPainterPath pfad;
    const double m = massstab;
    pfad.addEllipse(mitte + QPointF(-60 * m, 6 * m), 40 * m, 28 * m);
    pfad.addEllipse(mitte + QPointF(-10 * m, -14 * m), 48 * m, 40 * m);
    pfad.addEllipse(mitte + QPointF(45 * m, 4 * m), 42 * m, 30 * m);
    pfad.addRoundedRect(QRectF(mitte.x() - 90 * m, mitte.y(), 176 * m, 34 * m), 17 * m, 17 * m);
    pfad.setFillRule(Qt::WindingFill);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(pfad.simplified());
}

void busch(QPainter& p, QPointF fuss, double radius, const QColor& farbe)
{
    QPainterPath pfad;
    pfad.addEllipse(fuss + QPointF(-radius * 0.6, -radius * 0.7), radius * 0.7, radius * 0.7);
    pfad.addEllipse(fuss + QPointF(radius * 0.1, -radius * 1.1), radius * 0.8, radius * 0.8);
    pfad.addEllipse(fuss + QPointF(radius * 0.7, -radius * 0.6), radius * 0.65, radius * 0.65);
    pfad.addRect(
        QRectF(fuss.x() - radius * 1.2, fuss.y() - radius * 0.6, radius * 2.4, radius * 0.6));
    pfad.setFillRule(Qt::WindingFill);
    p.setPen(kontur(3));
    p.setBrush(farbe);
    p.drawPath(pfad.simplified());
}

void hausSymbol(QPainter& p, QPointF fuss, double groesse, const QColor& linie,
                const QColor& fuellung)
{
    const double b = groesse, h = groesse * 0.62;
    const QRectF wand(fuss.x() - b / 2, fuss.y() - h, b, h);
    p.setPen(QPen(linie, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fuellung);
    p.drawRect(wand);
    QPainterPath dach;
    dach.moveTo(wand.left() - b * 0.12, wand.top() + 4);
    dach.lineTo(fuss.x(), wand.top() - b * 0.5);
    dach.lineTo(wand.right() + b * 0.12, wand.top() + 4);
    dach.closeSubpath();
    p.setBrush(QColor(224, 122, 95));
    p.drawPath(dach);
    p.setBrush(linie);
    p.drawRect(QRectF(fuss.x() - b * 0.1, fuss.y() - h * 0.55, b * 0.2, h * 0.55));
    p.setBrush(QColor(255, 244, 207));
    p.drawRect(QRectF(wand.left() + b * 0.1, wand.top() + h * 0.2, b * 0.2, b * 0.18));
    p.drawRect(QRectF(wand.right() - b * 0.3, wand.top() + h * 0.2, b * 0.2, b * 0.18));
}

void huegel(QPainter& p, double hoehe, const std::vector<std::pair<double, double>>& punkte,
            const QColor& farbe)
{
    const QRectF flaeche = p.window();
    QPainterPath pfad;
    auto punkt = [&](std::size_t i) {
        return QPointF(flaeche.width() * punkte[i].first, hoehe + punkte[i].second);
    };
    pfad.moveTo(punkt(0));
    for (std::size_t i = 1; i < punkte.size(); ++i) {
        const QPointF a = punkt(i - 1), b = punkt(i);
        const double mitteX = (a.x() + b.x()) / 2;
        pfad.cubicTo(QPointF(mitteX, a.y()), QPointF(mitteX, b.y()), b);
    }
    pfad.lineTo(flaeche.width(), flaeche.height());
    pfad.lineTo(0, flaeche.height());
    pfad.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(farbe);
    p.drawPath(pfad);
}

void landhaus(QPainter& p, QPointF fuss, double massstab)
{
    const double m = massstab;
    const QRectF wand(fuss.x() - 40 * m, fuss.y() - 46 * m, 80 * m, 46 * m);
    p.setPen(QPen(QColor(40, 40, 50), 2.5 * m, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(150, 90, 80));
    p.drawRect(QRectF(wand.right() - 22 * m, wand.top() - 40 * m, 10 * m, 26 * m));
    p.setBrush(QColor(238, 226, 204));
    p.drawRect(wand);
    QPainterPath dach;
    dach.moveTo(wand.left() - 10 * m, wand.top() + 2 * m);
    dach.lineTo(wand.left() + 14 * m, wand.top() - 32 * m);
    dach.lineTo(wand.right() - 6 * m, wand.top() - 32 * m);
    dach.lineTo(wand.right() + 10 * m, wand.top() + 2 * m);
    dach.closeSubpath();
    p.setBrush(QColor(178, 74, 58));
    p.drawPath(dach);
    p.setBrush(QColor(255, 214, 110));
    p.drawRect(QRectF(wand.left() + 12 * m, wand.top() + 12 * m, 16 * m, 14 * m));
    p.setBrush(QColor(90, 96, 120));
    p.drawRect(QRectF(wand.right() - 30 * m, wand.top() + 12 * m, 16 * m, 14 * m));
    p.setBrush(QColor(110, 70, 50));
    p.drawRect(QRectF(fuss.x() - 5 * m, wand.bottom() - 24 * m, 12 * m, 24 * m));
}

void pappel(QPainter& p, QPointF fuss, double massstab, const QColor& farbe)
{
    const double m = massstab;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 60, 46));
    p.drawRect(QRectF(fuss.x() - 2.5 * m, fuss.y() - 20 * m, 5 * m, 20 * m));
    p.setBrush(farbe);
    p.drawEllipse(QRectF(fuss.x() - 14 * m, fuss.y() - 110 * m, 28 * m, 96 * m));
}

void voegel(QPainter& p, const std::vector<QPointF>& orte, const QColor& farbe)
{
    p.setPen(QPen(farbe, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const QPointF& o : orte) {
        QPainterPath v;
        v.moveTo(o + QPointF(-12, -4));
        v.quadTo(o + QPointF(-6, -8), o);
        v.quadTo(o + QPointF(6, -8), o + QPointF(12, -4));
        p.drawPath(v);
    }
}

void stadtsilhouette(QPainter& p, double grund, const QColor& farbe)
{
    const double breite = p.window().width();
    // (width, height, gable) of each house, repeated across the picture
    const double haeuser[][3] = {{70, 170, 30}, {54, 230, 0},  {80, 150, 36}, {60, 210, 26},
                                 {90, 180, 0},  {64, 160, 30}, {50, 250, 0}};
    QPainterPath pfad;
    pfad.setFillRule(Qt::WindingFill);
    double x = -20;
    for (std::size_t i = 0; x < breite; ++i) {
        const auto& h = haeuser[i % std::size(haeuser)];
        pfad.addRect(QRectF(x, grund - h[1], h[0], h[1]));
        if (h[2] > 0) {
            QPolygonF giebel;
            giebel << QPointF(x, grund - h[1]) << QPointF(x + h[0] / 2, grund - h[1] - h[2])
                   << QPointF(x + h[0], grund - h[1]);
            pfad.addPolygon(giebel);
            pfad.closeSubpath();
        }
        x += h[0] + 6;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(farbe);
    p.drawPath(pfad.simplified());
}

void umzugswagen(QPainter& p, const QRectF& r)
{
    const double rad = r.height() * 0.17;
    const double achse = r.bottom() - rad;
    const double kabineBreite = r.width() * 0.27;
    const QRectF koffer(r.left() + kabineBreite - 4, r.top(), r.width() - kabineBreite + 4,
                        achse - r.top() - rad * 0.2);

    // cab, facing left
    QPainterPath kabine;
    const double kabineOben = r.top() + r.height() * 0.28;
    kabine.moveTo(koffer.left() + 4, achse);
    kabine.lineTo(r.left() + 4, achse);
    kabine.lineTo(r.left(), achse - rad * 1.6);
    kabine.lineTo(r.left() + kabineBreite * 0.12, kabineOben + r.height() * 0.2);
    kabine.lineTo(r.left() + kabineBreite * 0.42, kabineOben);
    kabine.lineTo(koffer.left() + 4, kabineOben);
    kabine.closeSubpath();
    p.setPen(kontur(3.5));
    p.setBrush(QColor(205, 72, 40));
    p.drawPath(kabine);
    // cab window
    QPainterPath scheibe;
    scheibe.moveTo(r.left() + kabineBreite * 0.2, kabineOben + r.height() * 0.19);
    scheibe.lineTo(r.left() + kabineBreite * 0.46, kabineOben + r.height() * 0.04);
    scheibe.lineTo(koffer.left() - 10, kabineOben + r.height() * 0.04);
    scheibe.lineTo(koffer.left() - 10, kabineOben + r.height() * 0.19);
    scheibe.closeSubpath();
    p.setBrush(QColor(190, 220, 236));
    p.setPen(kontur(3));
    p.drawPath(scheibe);
    // headlight and bumper
    p.setBrush(QColor(255, 230, 140));
    p.drawEllipse(QPointF(r.left() + 10, achse - rad * 1.3), 6, 6);
    p.setBrush(QColor(120, 120, 124));
    p.drawRoundedRect(QRectF(r.left() - 8, achse - rad * 0.75, 26, rad * 0.45), 4, 4);
    // door and handle
    p.setBrush(Qt::NoBrush);
    p.setPen(kontur(2));
    p.drawLine(QPointF(r.left() + kabineBreite * 0.5, kabineOben + r.height() * 0.04),
               QPointF(r.left() + kabineBreite * 0.5, achse - rad * 1.1));
    p.drawLine(QPointF(koffer.left() - 28, kabineOben + r.height() * 0.26),
               QPointF(koffer.left() - 14, kabineOben + r.height() * 0.26));

    // cargo box with the firm's stripe
    p.setBrush(QColor(250, 248, 242));
    p.setPen(kontur(3.5));
    p.drawRoundedRect(koffer, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(242, 170, 60));
    p.drawRect(QRectF(koffer.left() + 2, koffer.bottom() - koffer.height() * 0.22,
                      koffer.width() - 4, koffer.height() * 0.12));
    p.setPen(QColor(205, 72, 40));
    p.setFont(Zeichnen::schrift(koffer.height() * 0.12, true));
    p.drawText(QRectF(koffer.left(), koffer.top() + koffer.height() * 0.2, koffer.width(),
                      koffer.height() * 0.4),
               Qt::AlignCenter, QStringLiteral("UMZUG"));

    // wheels
    for (double x : {r.left() + kabineBreite * 0.62, koffer.right() - rad * 1.8}) {
        p.setPen(kontur(3));
        p.setBrush(QColor(40, 40, 44));
        p.drawEllipse(QPointF(x, achse), rad, rad);
        p.setBrush(QColor(190, 190, 196));
        p.drawEllipse(QPointF(x, achse), rad * 0.45, rad * 0.45);
    }
}

} // namespace Motive
