#include "erzeugen.h"
#include "zeichnen.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// The decoration column and the logo band share this ground, so that the band placed
// over the column's top merges with it.
const QColor SpalteOben(255, 248, 226);
const QColor SpalteMitte = Palette::Hellgelb;
const QColor SpalteUnten(252, 232, 182);
const QColor SpalteKante(228, 204, 146);
constexpr int SpalteHoehe = 600;
constexpr int Streifenabstand = 6;

QLinearGradient SpaltenVerlauf()
{
    QLinearGradient verlauf(0, 0, 0, SpalteHoehe);
    verlauf.setColorAt(0, SpalteOben);
    verlauf.setColorAt(0.45, SpalteMitte);
    verlauf.setColorAt(1, SpalteUnten);
    return verlauf;
}

// Fine vertical lines; they survive the column being stretched to any height.
void Nadelstreifen(QPainter& p, const QRectF& bereich, qreal nullpunkt)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(214, 186, 120, 38));
    qreal x = nullpunkt;
    while (x > bereich.left())
        x -= Streifenabstand;
    for (; x < bereich.right(); x += Streifenabstand)
        if (x >= bereich.left())
            p.drawLine(QPointF(x, bereich.top()), QPointF(x, bereich.bottom()));
    p.restore();
}

QImage Dekorspalte()
{
    QImage bild = NeuesBild(120, SpalteHoehe);
    QPainter p(&bild);
    p.fillRect(bild.rect(), SpaltenVerlauf());
    Nadelstreifen(p, QRectF(2, 0, 118, SpalteHoehe), 4);
    p.fillRect(QRect(0, 0, 1, SpalteHoehe), SpalteKante);
    p.fillRect(QRect(1, 0, 1, SpalteHoehe), QColor(255, 255, 255, 150));
    p.end();
    return bild.convertToFormat(QImage::Format_RGB32);
}

QImage Logo()
{
    constexpr int Breite = 200;
    constexpr int Hoehe = 32;
    constexpr int Spalte = Breite - 120; // where the column lies below the band
    QImage bild = NeuesBild(Breite, Hoehe, Qt::white);
    QPainter p(&bild);
    Vorbereiten(p);

    // The band: square against the window's top and the column, rounded at the bottom left.
    const qreal r = 12;
    QPainterPath band;
    band.moveTo(0, 0);
    band.lineTo(Breite, 0);
    band.lineTo(Breite, Hoehe);
    band.lineTo(r, Hoehe);
    band.quadTo(0, Hoehe, 0, Hoehe - r);
    band.closeSubpath();
    p.fillPath(band, SpaltenVerlauf());
    p.save();
    p.setClipPath(band);
    Nadelstreifen(p, QRectF(0, 0, Breite, Hoehe), Spalte + 4);
    p.restore();
    // Outline of the band down to the column's own edge line.
    QPainterPath kante;
    kante.moveTo(0, 0);
    kante.lineTo(0, Hoehe - r);
    kante.quadTo(0, Hoehe, r, Hoehe);
    kante.lineTo(Spalte, Hoehe);
    QPen pen(SpalteKante, 1.0);
    p.setPen(pen);
    p.drawPath(kante.translated(0.5, -0.5));

    MarkeZeichnen(p, QRectF(10, 4, 23, 23));
    QFont f = Schrift(19, true);
    p.setFont(f);
    const QFontMetricsF fm(f);
    const QString kisten = QStringLiteral("Kisten");
    const QString lotse = QStringLiteral("lotse");
    const qreal grundlinie = 23;
    p.setPen(Palette::Dunkelblau);
    p.drawText(QPointF(40, grundlinie), kisten);
    p.setPen(Palette::Mittelblau);
    p.drawText(QPointF(40 + fm.horizontalAdvance(kisten), grundlinie), lotse);
    p.end();
    return bild.convertToFormat(QImage::Format_RGB32);
}

QImage LogoStreifen()
{
    constexpr qreal Breite = 300;
    constexpr qreal Rand = 6;
    QImage bild = NeuesBild(int(Breite), 48, Qt::white);
    QPainter p(&bild);
    Vorbereiten(p);
    const QFont gross = Schrift(30, true);
    const QFontMetricsF fm(gross);
    const QString kisten = QStringLiteral("Kisten");
    const QString lotse = QStringLiteral("lotse");
    // Flush right: the strip sits in the splash window's bottom right corner.
    const qreal ende = Breite - Rand;
    const qreal textLinks = ende - fm.horizontalAdvance(kisten + lotse);
    MarkeZeichnen(p, QRectF(textLinks - 50, 4, 40, 40));
    p.setFont(gross);
    p.setPen(Palette::Dunkelblau);
    p.drawText(QPointF(textLinks, 30), kisten);
    p.setPen(Palette::Mittelblau);
    p.drawText(QPointF(textLinks + fm.horizontalAdvance(kisten), 30), lotse);

    QFont klein = Schrift(11, false);
    klein.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(klein);
    const QString firma = QStringLiteral("DER QUELLMARK AG");
    // The spacing after the last letter would push the line off the right edge.
    const qreal firmaBreite = QFontMetricsF(klein).horizontalAdvance(firma) - 1.2;
    p.drawText(QPointF(ende - firmaBreite, 44), firma);
    const qreal linieEnde = ende - firmaBreite - 8;
    QLinearGradient linie(textLinks, 0, linieEnde, 0);
    linie.setColorAt(0, QColor(102, 204, 255, 0));
    linie.setColorAt(1, Palette::Hellblau);
    p.fillRect(QRectF(textLinks, 39.5, linieEnde - textLinks, 1.5), linie);
    p.end();
    return bild.convertToFormat(QImage::Format_RGB32);
}

QImage Emblem()
{
    QImage bild = NeuesBild(120, 120, Qt::white);
    QPainter p(&bild);
    Vorbereiten(p);
    // A soft light-blue disc behind the wheel.
    QRadialGradient schein(QPointF(60, 60), 58);
    schein.setColorAt(0, QColor(102, 204, 255, 90));
    schein.setColorAt(0.75, QColor(102, 204, 255, 40));
    schein.setColorAt(1, QColor(102, 204, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(schein);
    p.drawEllipse(QPointF(60, 60), 58, 58);
    SteuerradZeichnen(p, QPointF(60, 60), 54);
    p.end();
    return bild.convertToFormat(QImage::Format_RGB32);
}

QImage BildLinks()
{
    QImage bild = NeuesBild(80, 184, Qt::white);
    QPainter p(&bild);
    Vorbereiten(p);
    // Floor shadow.
    QRadialGradient schatten(QPointF(38, 180), 36);
    schatten.setColorAt(0, QColor(0, 0, 60, 55));
    schatten.setColorAt(1, QColor(0, 0, 60, 0));
    p.save();
    p.translate(0, 180);
    p.scale(1, 0.14);
    p.translate(0, -180);
    p.setPen(Qt::NoPen);
    p.setBrush(schatten);
    p.drawEllipse(QPointF(38, 180), 38, 36);
    p.restore();

    KistenZeichnen(p, QRectF(4, 126, 72, 54), 14, true);
    KistenZeichnen(p, QRectF(10, 80, 60, 48), 12);
    KistenZeichnen(p, QRectF(18, 44, 46, 38), 10, true);
    PflanzeZeichnen(p, QRectF(22, 2, 30, 46));
    p.end();
    return bild.convertToFormat(QImage::Format_RGB32);
}

QImage SplashBild()
{
    constexpr int Breite = 200;
    constexpr int Hoehe = 400;
    QImage bild = NeuesBild(Breite, Hoehe, Qt::white);
    QPainter p(&bild);
    Vorbereiten(p);

    const QRectF tafel(4.5, 4.5, Breite - 9, Hoehe - 9);
    QPainterPath rahmen;
    rahmen.addRoundedRect(tafel, 14, 14);
    p.save();
    p.setClipPath(rahmen);

    QLinearGradient himmel(0, 0, 0, 300);
    himmel.setColorAt(0, QColor(128, 206, 250));
    himmel.setColorAt(0.7, QColor(214, 238, 252));
    himmel.setColorAt(1, QColor(240, 248, 255));
    p.fillRect(tafel, himmel);

    // Sun and clouds.
    QRadialGradient sonne(QPointF(156, 52), 30);
    sonne.setColorAt(0, QColor(255, 236, 150));
    sonne.setColorAt(0.55, QColor(255, 214, 90));
    sonne.setColorAt(0.6, QColor(255, 214, 90, 120));
    sonne.setColorAt(1, QColor(255, 214, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sonne);
    p.drawEllipse(QPointF(156, 52), 30, 30);
    WolkeZeichnen(p, QRectF(18, 40, 78, 34));
    WolkeZeichnen(p, QRectF(112, 88, 62, 26));

    // Hills and lawn.
    QPainterPath huegel;
    huegel.moveTo(0, 262);
    huegel.cubicTo(50, 232, 110, 236, 200, 250);
    huegel.lineTo(200, 400);
    huegel.lineTo(0, 400);
    huegel.closeSubpath();
    QLinearGradient gras(0, 236, 0, 320);
    gras.setColorAt(0, QColor(172, 214, 150));
    gras.setColorAt(1, QColor(132, 186, 118));
    p.fillPath(huegel, gras);

    BaumZeichnen(p, QRectF(6, 186, 46, 80));
    HausZeichnen(p, QRectF(44, 132, 128, 138));

    // The road with its dashed middle line.
    const QRectF strasse(0, 316, Breite, 80);
    QLinearGradient asphalt(0, strasse.top(), 0, strasse.bottom());
    asphalt.setColorAt(0, QColor(126, 134, 162));
    asphalt.setColorAt(1, QColor(96, 104, 134));
    p.fillRect(strasse, asphalt);
    p.fillRect(QRectF(0, strasse.top(), Breite, 3), QColor(214, 218, 232));
    for (int x = 6; x < Breite; x += 30)
        p.fillRect(QRectF(x, 374, 16, 3), QColor(255, 243, 204, 220));

    // Boxes waiting on the lawn and the van in front of the house.
    KistenZeichnen(p, QRectF(150, 268, 40, 34), 9, true);
    KistenZeichnen(p, QRectF(160, 244, 28, 26), 7);
    TransporterZeichnen(p, QRectF(14, 290, 150, 74));
    p.restore();

    p.setPen(QPen(Palette::Mittelblau, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rahmen);
    p.end();
    return bild.convertToFormat(QImage::Format_RGB32);
}

} // namespace

std::vector<Ausgabe> Bilder()
{
    std::vector<Ausgabe> liste;
    liste.push_back({QStringLiteral("logo.png"), Logo()});
    liste.push_back({QStringLiteral("dekorspalte.png"), Dekorspalte()});
    liste.push_back({QStringLiteral("bild_links.png"), BildLinks()});
    liste.push_back({QStringLiteral("splash_bild.png"), SplashBild()});
    liste.push_back({QStringLiteral("splash_emblem.png"), Emblem()});
    liste.push_back({QStringLiteral("splash_logo.png"), LogoStreifen()});
    return liste;
}
