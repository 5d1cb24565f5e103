#include "zeichnen.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <QtMath>

#include <cstdio>
#include <cstdlib>
#include <memory>

QFont Schrift(int pixel, bool fett)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixel);
    f.setBold(fett);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

namespace {
int gMassstab = 1;
} // namespace

void MassstabSetzen(int faktor)
{
    gMassstab = faktor;
}

QImage NeuesBild(int breite, int hoehe, const QColor& grund)
{
    QImage bild(breite * gMassstab, hoehe * gMassstab, QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(gMassstab);
    bild.fill(grund);
    return bild;
}

void Vorbereiten(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

namespace {

std::unique_ptr<QSvgRenderer> Zeichnung(const QString& datei)
{
    auto svg = std::make_unique<QSvgRenderer>(datei);
    if (!svg->isValid()) {
        std::fprintf(stderr, "Kann %s nicht lesen\n", qPrintable(datei));
        std::exit(1);
    }
    return svg;
}

} // namespace

void SvgZeichnen(QPainter& p, const QString& datei, const QRectF& ziel)
{
    Zeichnung(datei)->render(&p, ziel);
}

namespace {

QPen Umriss(const QColor& farbe, qreal breite = 1.0)
{
    QPen pen(farbe, breite);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QPainterPath Vieleck(std::initializer_list<QPointF> punkte)
{
    QPainterPath pfad;
    bool erster = true;
    for (const QPointF& pt : punkte) {
        if (erster)
            pfad.moveTo(pt);
        else
            pfad.lineTo(pt);
        erster = false;
    }
    pfad.closeSubpath();
    return pfad;
}

// A small house glyph, as printed on box labels and the van.
void HausSymbol(QPainter& p, const QRectF& r, const QColor& farbe)
{
    const qreal w = r.width();
    const qreal h = r.height();
    QPainterPath pfad = Vieleck({{r.left() + w * 0.5, r.top()},
                                 {r.right(), r.top() + h * 0.48},
                                 {r.right() - w * 0.16, r.top() + h * 0.48},
                                 {r.right() - w * 0.16, r.bottom()},
                                 {r.left() + w * 0.16, r.bottom()},
                                 {r.left() + w * 0.16, r.top() + h * 0.48},
                                 {r.left(), r.top() + h * 0.48}});
    p.fillPath(pfad, farbe);
}

} // namespace

void KistenZeichnen(QPainter& p, const QRectF& rahmen, qreal tiefe, bool etikett)
{
    p.save();
    const qreal dx = tiefe * 0.8;
    const qreal dy = tiefe * 0.55;
    const QRectF front(rahmen.left(), rahmen.top() + dy, rahmen.width() - dx, rahmen.height() - dy);
    const QPointF versatz(dx, -dy);

    const QPainterPath oben = Vieleck(
        {front.topLeft(), front.topRight(), front.topRight() + versatz, front.topLeft() + versatz});
    const QPainterPath seite = Vieleck({front.topRight(), front.topRight() + versatz,
                                        front.bottomRight() + versatz, front.bottomRight()});

    QLinearGradient vorn(front.topLeft(), front.bottomLeft());
    vorn.setColorAt(0, Palette::Karton.lighter(104));
    vorn.setColorAt(1, Palette::Karton.darker(108));
    p.fillRect(front, vorn);

    QLinearGradient seitlich(front.topRight(), front.bottomRight() + versatz);
    seitlich.setColorAt(0, Palette::Karton.darker(122));
    seitlich.setColorAt(1, Palette::Karton.darker(138));
    p.fillPath(seite, seitlich);

    QLinearGradient deckel(front.topLeft(), front.topRight() + versatz);
    deckel.setColorAt(0, Palette::KartonHell);
    deckel.setColorAt(1, Palette::KartonHell.darker(106));
    p.fillPath(oben, deckel);

    // Tape over the seam of the flaps and down the front.
    const qreal band = front.width() * 0.16;
    const qreal mitte = front.left() + front.width() / 2;
    QColor klebeband = Palette::Klebeband;
    klebeband.setAlpha(210);
    p.fillPath(Vieleck({{mitte - band / 2, front.top()},
                        {mitte + band / 2, front.top()},
                        QPointF(mitte + band / 2, front.top()) + versatz,
                        QPointF(mitte - band / 2, front.top()) + versatz}),
               klebeband.lighter(112));
    p.fillRect(QRectF(mitte - band / 2, front.top(), band, front.height() * 0.34), klebeband);
    p.setPen(Umriss(Palette::KartonDunkel, 0.6));
    p.drawLine(QPointF(mitte, front.top()), QPointF(mitte, front.top()) + versatz);

    if (etikett && front.width() > 24) {
        const qreal ew = front.width() * 0.34;
        const qreal eh = front.height() * 0.3;
        const QRectF schild(front.left() + front.width() * 0.1,
                            front.bottom() - eh - front.height() * 0.14, ew, eh);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 252, 242));
        p.drawRoundedRect(schild, 1.5, 1.5);
        const qreal s = std::min(schild.height() * 0.7, schild.width() * 0.4);
        HausSymbol(p,
                   QRectF(schild.left() + schild.width() * 0.1, schild.center().y() - s / 2, s, s),
                   Palette::Mittelblau);
        p.setPen(Umriss(QColor(150, 150, 170), 0.8));
        const qreal lx = schild.left() + schild.width() * 0.1 + s + schild.width() * 0.08;
        for (int i = 0; i < 2; ++i) {
            const qreal ly = schild.top() + schild.height() * (0.38 + 0.28 * i);
            p.drawLine(QPointF(lx, ly), QPointF(schild.right() - schild.width() * 0.1, ly));
        }
    }

    // Edges: a light rim along the top, the outline in dark cardboard.
    p.setPen(Umriss(QColor(255, 236, 196, 150), 0.8));
    p.drawLine(front.topLeft() + QPointF(0.8, 0.8), front.topRight() + QPointF(-0.4, 0.8));
    p.setBrush(Qt::NoBrush);
    p.setPen(Umriss(Palette::KartonDunkel.darker(115), 1.0));
    QPainterPath umriss;
    umriss.addRect(front);
    p.drawPath(umriss);
    p.drawPath(oben);
    p.drawPath(seite);
    p.restore();
}

void HausZeichnen(QPainter& p, const QRectF& r)
{
    p.save();
    const qreal w = r.width();
    const qreal h = r.height();
    const qreal dachUnten = r.top() + h * 0.4;
    const QRectF wand(r.left() + w * 0.08, dachUnten, w * 0.84, r.bottom() - dachUnten);

    // Chimney behind the roof.
    const QRectF kamin(r.left() + w * 0.66, r.top() + h * 0.1, w * 0.09, h * 0.22);
    p.fillRect(kamin, Palette::Mittelblau.darker(130));
    p.fillRect(QRectF(kamin.left() - w * 0.012, kamin.top(), kamin.width() + w * 0.024, h * 0.025),
               Palette::Dunkelblau);

    QLinearGradient wandVerlauf(wand.topLeft(), wand.bottomLeft());
    wandVerlauf.setColorAt(0, QColor(255, 252, 240));
    wandVerlauf.setColorAt(1, Palette::Hellgelb);
    p.fillRect(wand, wandVerlauf);
    // Shadow of the eaves on the wall.
    QLinearGradient traufe(wand.topLeft(), wand.topLeft() + QPointF(0, h * 0.06));
    traufe.setColorAt(0, QColor(0, 0, 60, 60));
    traufe.setColorAt(1, QColor(0, 0, 60, 0));
    p.fillRect(QRectF(wand.left(), wand.top(), wand.width(), h * 0.06), traufe);

    const QPainterPath dach = Vieleck({{r.left(), dachUnten + h * 0.02},
                                       {r.left() + w * 0.5, r.top()},
                                       {r.right(), dachUnten + h * 0.02}});
    QLinearGradient dachVerlauf(r.topLeft(), QPointF(r.left(), dachUnten));
    dachVerlauf.setColorAt(0, Palette::Mittelblau);
    dachVerlauf.setColorAt(1, Palette::Dunkelblau);
    p.fillPath(dach, dachVerlauf);
    // Rows of tiles.
    p.save();
    p.setClipPath(dach);
    p.setPen(Umriss(QColor(255, 255, 255, 40), 1.0));
    for (qreal y = r.top() + h * 0.1; y < dachUnten; y += h * 0.07)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    p.restore();

    // Round window in the gable.
    const qreal rund = w * 0.07;
    const QPointF giebel(r.left() + w * 0.5, r.top() + h * 0.25);
    p.setPen(Umriss(Palette::Hellgelb, w * 0.018));
    p.setBrush(Palette::Hellblau);
    p.drawEllipse(giebel, rund, rund);

    // Windows left and right of the door.
    const qreal fw = w * 0.2;
    const qreal fh = wand.height() * 0.36;
    const qreal fy = wand.top() + wand.height() * 0.2;
    for (qreal fx : {wand.left() + wand.width() * 0.09, wand.right() - wand.width() * 0.09 - fw}) {
        const QRectF fenster(fx, fy, fw, fh);
        QLinearGradient glas(fenster.topLeft(), fenster.bottomRight());
        glas.setColorAt(0, Palette::Hellblau.lighter(120));
        glas.setColorAt(1, Palette::Hellblau.darker(105));
        p.setPen(Umriss(Palette::Dunkelblau, 1.0));
        p.setBrush(glas);
        p.drawRect(fenster);
        p.setPen(Umriss(Qt::white, std::max<qreal>(1.0, w * 0.012)));
        p.drawLine(QPointF(fenster.center().x(), fenster.top() + 1),
                   QPointF(fenster.center().x(), fenster.bottom() - 1));
        p.drawLine(QPointF(fenster.left() + 1, fenster.center().y()),
                   QPointF(fenster.right() - 1, fenster.center().y()));
        // Window sill.
        p.fillRect(QRectF(fenster.left() - w * 0.015, fenster.bottom(), fenster.width() + w * 0.03,
                          h * 0.018),
                   Palette::Mittelblau);
    }

    // Door with step and knob.
    const qreal tw = w * 0.2;
    const qreal th = wand.height() * 0.58;
    const QRectF tuer(wand.center().x() - tw / 2, wand.bottom() - th, tw, th);
    QPainterPath tuerPfad;
    tuerPfad.moveTo(tuer.bottomLeft());
    tuerPfad.lineTo(tuer.left(), tuer.top() + tw / 2);
    tuerPfad.arcTo(QRectF(tuer.left(), tuer.top(), tw, tw), 180, -180);
    tuerPfad.lineTo(tuer.bottomRight());
    tuerPfad.closeSubpath();
    QLinearGradient tuerVerlauf(tuer.topLeft(), tuer.topRight());
    tuerVerlauf.setColorAt(0, Palette::Mittelblau);
    tuerVerlauf.setColorAt(1, Palette::Mittelblau.darker(125));
    p.setPen(Umriss(Palette::Dunkelblau, 1.0));
    p.setBrush(tuerVerlauf);
    p.drawPath(tuerPfad);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::Orange);
    p.drawEllipse(QPointF(tuer.right() - tw * 0.22, tuer.top() + th * 0.58), w * 0.014, w * 0.014);

    p.setBrush(Qt::NoBrush);
    p.setPen(Umriss(Palette::Dunkelblau, 1.0));
    p.drawRect(wand);
    p.drawPath(dach);
    p.restore();
}

void TransporterZeichnen(QPainter& p, const QRectF& r)
{
    p.save();
    const qreal w = r.width();
    const qreal h = r.height();
    const qreal rad = h * 0.17;
    const qreal boden = r.bottom() - rad * 0.25;

    // Shadow on the road.
    QRadialGradient schatten(QPointF(r.center().x(), r.bottom() - 1), w * 0.5);
    schatten.setColorAt(0, QColor(0, 0, 40, 70));
    schatten.setColorAt(1, QColor(0, 0, 40, 0));
    p.save();
    p.translate(0, r.bottom() - 1);
    p.scale(1, 0.12);
    p.translate(0, -(r.bottom() - 1));
    p.setPen(Qt::NoPen);
    p.setBrush(schatten);
    p.drawEllipse(QPointF(r.center().x(), r.bottom() - 1), w * 0.52, w * 0.5);
    p.restore();

    // Cargo box.
    const QRectF koffer(r.left(), r.top(), w * 0.66, boden - rad * 0.7 - r.top());
    QLinearGradient kofferVerlauf(koffer.topLeft(), koffer.bottomLeft());
    kofferVerlauf.setColorAt(0, Qt::white);
    kofferVerlauf.setColorAt(1, QColor(226, 234, 248));
    p.setPen(Umriss(Palette::Dunkelblau, 1.0));
    p.setBrush(kofferVerlauf);
    p.drawRoundedRect(koffer, h * 0.04, h * 0.04);
    const QRectF streifen(koffer.left() + 0.5, koffer.bottom() - koffer.height() * 0.2,
                          koffer.width() - 1, koffer.height() * 0.1);
    p.fillRect(streifen, Palette::Mittelblau);
    p.fillRect(
        QRectF(streifen.left(), streifen.bottom(), streifen.width(), koffer.height() * 0.035),
        Palette::Hellblau);
    // The mark and name on the side.
    const qreal ms = koffer.height() * 0.42;
    MarkeZeichnen(p, QRectF(koffer.left() + koffer.width() * 0.08,
                            koffer.top() + koffer.height() * 0.14, ms, ms));
    const QRectF textfeld(koffer.left() + koffer.width() * 0.12 + ms,
                          koffer.top() + koffer.height() * 0.14, koffer.width() * 0.84 - ms, ms);
    const QString name = QStringLiteral("Kistenlotse");
    for (int pixel = int(koffer.height() * 0.24); pixel >= 7; --pixel) {
        const QFont f = Schrift(pixel, true);
        if (QFontMetricsF(f).horizontalAdvance(name) <= textfeld.width()) {
            p.setFont(f);
            p.setPen(Palette::Dunkelblau);
            p.drawText(textfeld, Qt::AlignLeft | Qt::AlignVCenter, name);
            break;
        }
    }

    // Cab with sloped windscreen.
    const qreal kx = koffer.right() + w * 0.015;
    const qreal dachY = r.top() + h * 0.28;
    QPainterPath kabine;
    kabine.moveTo(kx, boden - rad * 0.7);
    kabine.lineTo(kx, dachY + h * 0.04);
    kabine.quadTo(kx, dachY, kx + w * 0.03, dachY);
    kabine.lineTo(r.left() + w * 0.84, dachY);
    kabine.quadTo(r.left() + w * 0.88, dachY, r.left() + w * 0.9, dachY + h * 0.06);
    kabine.lineTo(r.left() + w * 0.955, r.top() + h * 0.52);
    kabine.quadTo(r.right(), r.top() + h * 0.55, r.right(), r.top() + h * 0.62);
    kabine.lineTo(r.right(), boden - rad * 0.7);
    kabine.closeSubpath();
    QLinearGradient kabinenVerlauf(QPointF(0, dachY), QPointF(0, boden));
    kabinenVerlauf.setColorAt(0, Palette::Mittelblau.lighter(112));
    kabinenVerlauf.setColorAt(1, Palette::Mittelblau.darker(118));
    p.setPen(Umriss(Palette::Dunkelblau, 1.0));
    p.setBrush(kabinenVerlauf);
    p.drawPath(kabine);
    // Side window.
    QPainterPath fenster;
    fenster.moveTo(kx + w * 0.03, dachY + h * 0.06);
    fenster.lineTo(r.left() + w * 0.86, dachY + h * 0.06);
    fenster.lineTo(r.left() + w * 0.925, r.top() + h * 0.5);
    fenster.lineTo(kx + w * 0.03, r.top() + h * 0.5);
    fenster.closeSubpath();
    QLinearGradient glas(QPointF(kx, dachY), QPointF(r.right(), r.top() + h * 0.5));
    glas.setColorAt(0, Palette::Hellblau.lighter(125));
    glas.setColorAt(1, Palette::Hellblau);
    p.setPen(Umriss(Palette::Dunkelblau, 0.8));
    p.setBrush(glas);
    p.drawPath(fenster);
    // Door line, handle, headlight, bumper.
    p.setPen(Umriss(Palette::Dunkelblau.lighter(150), 0.8));
    p.drawLine(QPointF(r.left() + w * 0.9, r.top() + h * 0.52),
               QPointF(r.left() + w * 0.9, boden - rad * 0.9));
    p.fillRect(QRectF(r.left() + w * 0.8, r.top() + h * 0.56, w * 0.05, h * 0.025),
               Palette::Hellgelb);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::Orange);
    p.drawRoundedRect(QRectF(r.right() - w * 0.03, r.top() + h * 0.62, w * 0.03, h * 0.07), 1, 1);
    p.setBrush(QColor(70, 74, 96));
    p.drawRoundedRect(QRectF(r.left() + w * 0.86, boden - rad * 0.95, w * 0.14, h * 0.06), 1.5,
                      1.5);

    // Wheels.
    for (qreal mx : {r.left() + w * 0.17, r.left() + w * 0.8}) {
        const QPointF m(mx, boden - rad * 0.05);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(m, rad * 1.18, rad * 1.18);
        QRadialGradient reifen(m, rad);
        reifen.setColorAt(0.6, QColor(60, 62, 80));
        reifen.setColorAt(1.0, QColor(34, 36, 52));
        p.setBrush(reifen);
        p.drawEllipse(m, rad, rad);
        p.setBrush(QColor(205, 210, 225));
        p.drawEllipse(m, rad * 0.5, rad * 0.5);
        p.setBrush(QColor(120, 126, 150));
        p.drawEllipse(m, rad * 0.18, rad * 0.18);
    }
    p.restore();
}

void MarkeZeichnen(QPainter& p, const QRectF& rahmen)
{
    const auto svg = Zeichnung(QStringLiteral(":/svg/programmsymbol.svg"));
    const QRectF box = svg->boundsOnElement(QStringLiteral("marke-rahmen"));
    const QRectF marke = svg->boundsOnElement(QStringLiteral("marke"));
    const qreal sx = rahmen.width() / box.width();
    const qreal sy = rahmen.height() / box.height();
    svg->render(&p, QStringLiteral("marke"),
                QRectF(rahmen.left() + (marke.left() - box.left()) * sx,
                       rahmen.top() + (marke.top() - box.top()) * sy, marke.width() * sx,
                       marke.height() * sy));
}

void SteuerradZeichnen(QPainter& p, const QPointF& m, qreal radius)
{
    p.save();
    const qreal griffInnen = radius * 0.8;
    // Spokes with turned handles beyond the rim.
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(m);
        p.rotate(22.5 + 45.0 * i);
        QLinearGradient holz(QPointF(-radius * 0.06, 0), QPointF(radius * 0.06, 0));
        holz.setColorAt(0, Palette::Mittelblau);
        holz.setColorAt(1, Palette::Dunkelblau);
        p.setPen(Qt::NoPen);
        p.setBrush(holz);
        p.drawRoundedRect(QRectF(-radius * 0.045, -griffInnen, radius * 0.09, griffInnen),
                          radius * 0.03, radius * 0.03);
        QPainterPath griff;
        griff.addRoundedRect(QRectF(-radius * 0.075, -radius, radius * 0.15, radius * 0.26),
                             radius * 0.075, radius * 0.075);
        p.drawPath(griff);
        p.restore();
    }
    // Rim.
    QPainterPath ring;
    ring.addEllipse(m, radius * 0.78, radius * 0.78);
    ring.addEllipse(m, radius * 0.62, radius * 0.62);
    QLinearGradient ringVerlauf(m - QPointF(radius, radius), m + QPointF(radius, radius));
    ringVerlauf.setColorAt(0, Palette::Mittelblau.lighter(115));
    ringVerlauf.setColorAt(1, Palette::Dunkelblau);
    p.setPen(Umriss(Palette::Dunkelblau, 1.0));
    p.setBrush(ringVerlauf);
    p.drawPath(ring);
    p.setPen(Umriss(QColor(255, 255, 255, 70), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(
        QRectF(m - QPointF(radius * 0.72, radius * 0.72), QSizeF(radius * 1.44, radius * 1.44)),
        30 * 16, 120 * 16);
    // Hub with the box.
    QRadialGradient nabe(m - QPointF(radius * 0.1, radius * 0.1), radius * 0.45);
    nabe.setColorAt(0, Qt::white);
    nabe.setColorAt(1, Palette::Hellgelb);
    p.setPen(Umriss(Palette::Dunkelblau, std::max<qreal>(1.0, radius * 0.04)));
    p.setBrush(nabe);
    p.drawEllipse(m, radius * 0.42, radius * 0.42);
    const qreal k = radius * 0.5;
    KistenZeichnen(p, QRectF(m.x() - k * 0.52, m.y() - k * 0.48, k * 1.04, k * 0.92), k * 0.32);
    p.restore();
}

void BaumZeichnen(QPainter& p, const QRectF& r)
{
    p.save();
    const qreal w = r.width();
    const qreal h = r.height();
    p.setPen(Qt::NoPen);
    QLinearGradient stamm(QPointF(r.center().x() - w * 0.06, 0),
                          QPointF(r.center().x() + w * 0.06, 0));
    stamm.setColorAt(0, QColor(140, 102, 62));
    stamm.setColorAt(1, QColor(104, 74, 44));
    p.setBrush(stamm);
    p.drawRect(QRectF(r.center().x() - w * 0.06, r.top() + h * 0.5, w * 0.12, h * 0.5));
    const struct
    {
        qreal x, y, rad;
    } kreise[] = {{0.5, 0.3, 0.3}, {0.3, 0.45, 0.24}, {0.7, 0.45, 0.25}, {0.5, 0.52, 0.24}};
    for (const auto& k : kreise) {
        const QPointF m(r.left() + w * k.x, r.top() + h * k.y);
        QRadialGradient laub(m - QPointF(w * k.rad * 0.4, w * k.rad * 0.5), w * k.rad * 1.3);
        laub.setColorAt(0, Palette::Blatt.lighter(120));
        laub.setColorAt(1, Palette::BlattDunkel);
        p.setBrush(laub);
        p.drawEllipse(m, w * k.rad, w * k.rad);
    }
    p.restore();
}

void WolkeZeichnen(QPainter& p, const QRectF& r)
{
    p.save();
    QPainterPath wolke;
    const qreal w = r.width();
    const qreal h = r.height();
    wolke.addEllipse(QRectF(r.left(), r.top() + h * 0.4, w * 0.45, h * 0.6));
    wolke.addEllipse(QRectF(r.left() + w * 0.22, r.top(), w * 0.45, h * 0.9));
    wolke.addEllipse(QRectF(r.left() + w * 0.5, r.top() + h * 0.25, w * 0.5, h * 0.75));
    wolke.setFillRule(Qt::WindingFill);
    QLinearGradient verlauf(r.topLeft(), r.bottomLeft());
    verlauf.setColorAt(0, Qt::white);
    verlauf.setColorAt(1, QColor(226, 240, 252));
    p.setPen(Qt::NoPen);
    p.setBrush(verlauf);
    p.drawPath(wolke.simplified());
    p.restore();
}

void PflanzeZeichnen(QPainter& p, const QRectF& r)
{
    p.save();
    const qreal w = r.width();
    const qreal h = r.height();
    // Leaves first, the pot in front of them.
    const QPointF fuss(r.center().x(), r.top() + h * 0.62);
    const struct
    {
        qreal winkel, laenge, breite;
    } blaetter[] = {{-62, 0.5, 0.16}, {-30, 0.58, 0.17}, {0, 0.62, 0.17}, {30, 0.56, 0.17},
                    {60, 0.48, 0.16}, {-14, 0.42, 0.14}, {16, 0.44, 0.14}};
    p.setPen(Umriss(Palette::BlattDunkel, 0.8));
    for (const auto& b : blaetter) {
        p.save();
        p.translate(fuss);
        p.rotate(b.winkel);
        const qreal l = h * b.laenge;
        QPainterPath blatt;
        blatt.moveTo(0, 0);
        blatt.cubicTo(QPointF(-w * b.breite, -l * 0.4), QPointF(-w * b.breite * 0.6, -l * 0.85),
                      QPointF(0, -l));
        blatt.cubicTo(QPointF(w * b.breite * 0.6, -l * 0.85), QPointF(w * b.breite, -l * 0.4),
                      QPointF(0, 0));
        QLinearGradient gruen(QPointF(-w * b.breite, 0), QPointF(w * b.breite, 0));
        gruen.setColorAt(0, Palette::Blatt.lighter(115));
        gruen.setColorAt(1, Palette::BlattDunkel);
        p.setBrush(gruen);
        p.drawPath(blatt);
        p.restore();
    }
    const QRectF topf(r.left() + w * 0.22, r.top() + h * 0.6, w * 0.56, h * 0.4);
    QPainterPath topfPfad = Vieleck({topf.topLeft(),
                                     topf.topRight(),
                                     {topf.right() - topf.width() * 0.12, topf.bottom()},
                                     {topf.left() + topf.width() * 0.12, topf.bottom()}});
    QLinearGradient topfVerlauf(topf.topLeft(), topf.topRight());
    topfVerlauf.setColorAt(0, Palette::Mittelblau.lighter(115));
    topfVerlauf.setColorAt(1, Palette::Dunkelblau);
    p.setPen(Umriss(Palette::Dunkelblau, 0.8));
    p.setBrush(topfVerlauf);
    p.drawPath(topfPfad);
    p.fillRect(QRectF(topf.left() - w * 0.03, topf.top(), topf.width() + w * 0.06, h * 0.07),
               Palette::Mittelblau);
    p.restore();
}
