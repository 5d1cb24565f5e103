#include "tools/vorlagen/vorlagen.h"
#include "tools/vorlagen/zeichnen.h"

#include <QPainter>
#include <QPainterPath>

using namespace Zeichnen;

namespace {

const QColor Tinte(0, 0, 0);
const QColor Grau(110, 110, 110);
const QColor Hellgrau(190, 190, 190);

// Crop marks outside the corners of the card, so no cut leaves a line on it.
void schnittmarken(QPainter& p, const QRect& karte)
{
    p.setPen(QPen(Tinte, 1.5));
    const double abstand = 8, laenge = 30;
    const double links = karte.left(), rechts = karte.left() + karte.width();
    const double oben = karte.top(), unten = karte.top() + karte.height();
    for (double x : {links, rechts}) {
        p.drawLine(QPointF(x, oben - abstand), QPointF(x, oben - abstand - laenge));
        p.drawLine(QPointF(x, unten + abstand), QPointF(x, unten + abstand + laenge));
    }
    for (double y : {oben, unten}) {
        p.drawLine(QPointF(links - abstand, y), QPointF(links - abstand - laenge, y));
        p.drawLine(QPointF(rechts + abstand, y), QPointF(rechts + abstand + laenge, y));
    }
}

void falzmarken(QPainter& p, const QRect& karte, double x)
{
    QPen stift(Tinte, 1.5, Qt::CustomDashLine);
    stift.setDashPattern({4, 3});
    p.setPen(stift);
    const double oben = karte.top(), unten = karte.top() + karte.height();
    p.drawLine(QPointF(x, oben - 8), QPointF(x, oben - 40));
    p.drawLine(QPointF(x, unten + 8), QPointF(x, unten + 40));
}

// A small folded moving box, the program's mark.
void kiste(QPainter& p, QPointF mitte, double groesse, const QColor& farbe)
{
    const double b = groesse, h = groesse * 0.72;
    const QRectF koerper(mitte.x() - b / 2, mitte.y() - h / 2 + b * 0.1, b, h);
    p.setPen(QPen(farbe, groesse / 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(koerper);
    // open flaps
    QPainterPath klappen;
    klappen.moveTo(koerper.topLeft());
    klappen.lineTo(koerper.left() - b * 0.16, koerper.top() - b * 0.22);
    klappen.moveTo(koerper.topRight());
    klappen.lineTo(koerper.right() + b * 0.16, koerper.top() - b * 0.22);
    p.drawPath(klappen);
    p.drawLine(QPointF(mitte.x(), koerper.top()), QPointF(mitte.x(), koerper.top() + h * 0.35));
}

// The address side as seen when the card is turned to read it: 874 × 620, landscape.
void anschriftseite(QPainter& p)
{
    const double breite = Vorlagen::KartenGroesse.height();
    const double hoehe = Vorlagen::KartenGroesse.width();
    const double rand = mm(6);
    const double mitte = breite / 2;

    // heading over the message half, as on classic postcards
    QFont titel = schrift(13, true);
    titel.setLetterSpacing(QFont::AbsoluteSpacing, 9);
    p.setFont(titel);
    p.setPen(Tinte);
    p.drawText(QRectF(rand, rand - 4, mitte - 2 * rand, 50), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("POSTKARTE"));

    // dividing line between message and address
    p.setPen(QPen(Tinte, 2));
    p.drawLine(QPointF(mitte, mm(14)), QPointF(mitte, hoehe - mm(14)));

    // stamp box
    const QRectF marke(breite - rand - mm(24), rand, mm(24), mm(29));
    QPen gestrichelt(Grau, 1.5, Qt::CustomDashLine);
    gestrichelt.setDashPattern({5, 4});
    p.setPen(gestrichelt);
    p.setBrush(Qt::NoBrush);
    p.drawRect(marke);
    p.setFont(schrift(7.5));
    p.setPen(Grau);
    p.drawText(marke, Qt::AlignCenter, QStringLiteral("Bitte\nfrei-\nmachen"));

    // address lines, ending above the zone the sorting machines print their code into
    p.setPen(QPen(Tinte, 2));
    const double links = mitte + mm(7), rechts = breite - rand;
    const double abstandZeilen = mm(11);
    const double ersteZeile = hoehe - mm(17) - 3 * abstandZeilen;
    for (int i = 0; i < 4; ++i) {
        const double y = ersteZeile + i * abstandZeilen;
        p.drawLine(QPointF(links, y), QPointF(rechts, y));
    }

    // publisher's line along the foot of the divider, reading upwards
    p.save();
    p.translate(mitte - 10, hoehe - mm(14));
    p.rotate(-90);
    p.setFont(schrift(6));
    p.setPen(Grau);
    kiste(p, QPointF(9, -8), 16, Grau);
    p.drawText(QPointF(24, -3), QStringLiteral("Kistenlotse · Umzugsplaner"));
    p.restore();
}

} // namespace

namespace Vorlagen {

QImage rueckseite()
{
    QImage bild = leinwand(RueckseitenGroesse);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRect karte = AnschriftFlaeche.united(VorderseitenFlaeche);
    schnittmarken(p, karte);
    falzmarken(p, karte, VorderseitePosition.x());

    // instructions in the margin, cut away with it
    p.setFont(schrift(7));
    p.setPen(Grau);
    const double textOben = karte.top() + karte.height() + 12;
    p.drawText(QRectF(karte.left(), textOben, VorderseitePosition.x() - karte.left() - 20, 30),
               Qt::AlignRight | Qt::AlignTop,
               QStringLiteral("An den Schnittmarken ausschneiden, an der Falzmarke falten,"));
    p.drawText(QRectF(VorderseitePosition.x() + 20, textOben,
                      karte.right() - VorderseitePosition.x() - 20, 30),
               Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Bild und Anschrift nach außen, innen zusammenkleben."));

    // the address side, turned a quarter to the left on the sheet
    p.save();
    p.translate(AnschriftFlaeche.left(), AnschriftFlaeche.top() + AnschriftFlaeche.height());
    p.rotate(-90);
    anschriftseite(p);
    p.restore();
    return bild;
}

} // namespace Vorlagen
