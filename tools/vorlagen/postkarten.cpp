#include "tools/vorlagen/motive.h"
#include "tools/vorlagen/vorlagen.h"
#include "tools/vorlagen/zeichnen.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <iterator>

using namespace Zeichnen;

namespace {

const double Breite = Vorlagen::KartenGroesse.width();
const double Hoehe = Vorlagen::KartenGroesse.height();

QPainterPath giebelhaus(const QRectF& wand, double giebelHoehe)
{
    QPainterPath dach;
    dach.moveTo(wand.left() - 10, wand.top() + 2);
    dach.lineTo(wand.center().x(), wand.top() - giebelHoehe);
    dach.lineTo(wand.right() + 10, wand.top() + 2);
    dach.closeSubpath();
    return dach;
}

struct Haus
{
    QRectF wand;
    double giebel;
    QColor wandFarbe;
    QColor dachFarbe;
    int stockwerke;
};

void hausZeichnen(QPainter& p, const Haus& h)
{
    const QColor kontur(58, 52, 48);
    p.setPen(QPen(kontur, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // chimney first, the roof covers its foot
    p.setBrush(h.dachFarbe.darker(115));
    p.drawRect(QRectF(h.wand.right() - h.wand.width() * 0.3, h.wand.top() - h.giebel * 0.8, 18,
                      h.giebel * 0.6));
    p.setBrush(h.wandFarbe);
    p.drawRect(h.wand);
    p.setBrush(h.dachFarbe);
    p.drawPath(giebelhaus(h.wand, h.giebel));

    // round attic window
    p.setBrush(QColor(255, 244, 207));
    p.drawEllipse(QPointF(h.wand.center().x(), h.wand.top() - h.giebel * 0.38), 11, 11);

    const double tuerBreite = 38, tuerHoehe = 66;
    const double etage = (h.wand.height() - tuerHoehe - 16) / h.stockwerke;
    for (int s = 0; s < h.stockwerke; ++s) {
        for (int i = 0; i < 2; ++i) {
            const double x = h.wand.left() + h.wand.width() * (i == 0 ? 0.3 : 0.7);
            const QRectF glas(x - 17, h.wand.top() + 16 + s * etage, 34, etage - 26);
            Motive::fenster(p, glas,
                            (s + i) % 2 == 0 ? QColor(255, 244, 207) : QColor(190, 220, 236));
        }
    }
    const QRectF tuer(h.wand.center().x() - tuerBreite / 2, h.wand.bottom() - tuerHoehe, tuerBreite,
                      tuerHoehe);
    p.setPen(QPen(kontur, 3));
    p.setBrush(h.dachFarbe.darker(130));
    QPainterPath bogen;
    bogen.moveTo(tuer.bottomLeft());
    bogen.lineTo(tuer.left(), tuer.top() + tuerBreite / 2);
    bogen.arcTo(QRectF(tuer.left(), tuer.top(), tuerBreite, tuerBreite), 180, -180);
    bogen.lineTo(tuer.bottomRight());
    bogen.closeSubpath();
    p.drawPath(bogen);
    p.setBrush(QColor(240, 200, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(tuer.right() - 9, tuer.center().y() + 8), 3.5, 3.5);
}

} // namespace

namespace Vorlagen {

QString Titel(const QString& vorderseite)
{
    // The cards named for their message say it in their headline.
    if (vorderseite == QLatin1String("Neue_Anschrift"))
        return QStringLiteral("Neue Anschrift");
    if (vorderseite == QLatin1String("umgezogen"))
        return QStringLiteral("Wir sind\numgezogen!");
    if (vorderseite == QLatin1String("Haeuser"))
        return QStringLiteral("Wir wohnen jetzt hier!");
    if (vorderseite == QLatin1String("Solitude"))
        return QStringLiteral("Angekommen.");
    return {};
}

QImage haeuser()
{
    QImage bild = leinwand(KartenGroesse, QColor(255, 250, 240));
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const double boden = 600;
    p.fillRect(QRectF(0, 0, Breite, boden), QColor(204, 230, 244));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(246, 201, 69));
    p.drawEllipse(QPointF(520, 105), 46, 46);
    Motive::wolke(p, QPointF(130, 120), 1.0);
    Motive::wolke(p, QPointF(330, 70), 0.7);

    const Haus haeuser[] = {
        {QRectF(22, 400, 142, boden - 400), 84, QColor(224, 122, 95), QColor(122, 59, 46), 2},
        {QRectF(174, 320, 140, boden - 320), 70, QColor(242, 204, 143), QColor(61, 64, 91), 3},
        {QRectF(324, 380, 140, boden - 380), 80, QColor(129, 178, 154), QColor(51, 92, 75), 2},
        {QRectF(474, 344, 124, boden - 344), 66, QColor(168, 197, 224), QColor(91, 108, 143), 3},
    };
    for (const Haus& h : haeuser)
        hausZeichnen(p, h);

    // pavement and kerb
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 219, 206));
    p.drawRect(QRectF(0, boden, Breite, 46));
    p.setBrush(QColor(176, 168, 154));
    p.drawRect(QRectF(0, boden + 46, Breite, 8));

    // this one is ours
    const Haus& unseres = haeuser[2];
    Motive::herz(p, QPointF(unseres.wand.center().x(), unseres.wand.top() - unseres.giebel - 62),
                 58, QColor(214, 60, 60));
    Motive::umzugskarton(p, QRectF(unseres.wand.right() + 4, boden - 2, 56, 40), QString());
    Motive::busch(p, QPointF(60, boden + 6), 34, QColor(96, 153, 102));
    Motive::busch(p, QPointF(566, boden + 6), 30, QColor(96, 153, 102));

    p.setPen(QColor(61, 64, 91));
    p.setFont(schrift(25, true));
    p.drawText(QRectF(0, 705, Breite, 70), Qt::AlignCenter, Titel(QStringLiteral("Haeuser")));
    p.setPen(QColor(90, 90, 90));
    p.setFont(schrift(13));
    p.drawText(QRectF(0, 775, Breite, 50), Qt::AlignCenter,
               QStringLiteral("Neue Adresse – kommt uns besuchen!"));
    return bild;
}

QImage neueAnschrift()
{
    const QColor grund(251, 244, 230);
    const QColor dunkelblau(31, 58, 95);
    QImage bild = leinwand(KartenGroesse, grund);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // frame
    p.setPen(QPen(QColor(224, 122, 95), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(24, 24, Breite - 48, Hoehe - 48), 18, 18);

    // a house with boxes in front of it
    const double grundlinie = 212;
    Motive::hausSymbol(p, QPointF(Breite / 2, grundlinie), 104, dunkelblau, QColor(242, 204, 143));
    Motive::umzugskarton(p, QRectF(150, grundlinie - 52, 70, 52), QString());
    Motive::umzugskarton(p, QRectF(160, grundlinie - 92, 52, 40), QString());
    Motive::umzugskarton(p, QRectF(398, grundlinie - 57, 76, 57), QString());
    p.setPen(QPen(dunkelblau, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(120, grundlinie + 1.5), QPointF(Breite - 120, grundlinie + 1.5));

    p.setPen(dunkelblau);
    p.setFont(schrift(26, true));
    p.drawText(QRectF(0, 236, Breite, 68), Qt::AlignCenter,
               Titel(QStringLiteral("Neue_Anschrift")));
    p.setFont(schrift(14, false, true));
    p.setPen(QColor(150, 70, 50));
    p.drawText(QRectF(0, 300, Breite, 44), Qt::AlignCenter,
               QStringLiteral("– so erreicht ihr uns ab jetzt –"));

    // room to write the address
    const QRectF feld(60, 362, Breite - 120, 290);
    p.setPen(QPen(QColor(214, 200, 176), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(feld, 12, 12);
    p.setPen(QPen(QColor(120, 120, 120), 2));
    for (int i = 0; i < 4; ++i) {
        const double y = feld.top() + 72 + i * 62;
        p.drawLine(QPointF(feld.left() + 30, y), QPointF(feld.right() - 30, y));
    }

    p.setFont(schrift(11));
    p.setPen(dunkelblau);
    const double links = 60, rechts = Breite - 60;
    const struct
    {
        const char* text;
        double y;
    } zeilen[] = {{"Ab dem", 716}, {"Telefon", 776}};
    double start = 0;
    for (const auto& z : zeilen)
        start = std::max(start,
                         links + p.fontMetrics().horizontalAdvance(QString::fromUtf8(z.text)) + 14);
    for (const auto& z : zeilen) {
        p.setPen(dunkelblau);
        p.drawText(QRectF(links, z.y - 30, 160, 34), Qt::AlignLeft | Qt::AlignBottom,
                   QString::fromUtf8(z.text));
        p.setPen(QPen(QColor(120, 120, 120), 2));
        p.drawLine(QPointF(start, z.y), QPointF(rechts, z.y));
    }

    p.setPen(QColor(90, 90, 90));
    p.setFont(schrift(11, false, true));
    p.drawText(QRectF(0, 800, Breite, 40), Qt::AlignCenter,
               QStringLiteral("Wir freuen uns auf euren Besuch!"));
    return bild;
}

QImage solitude()
{
    QImage bild = leinwand(KartenGroesse);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // banded morning sky, deep blue above to warm orange at the horizon
    const QColor himmel[] = {
        QColor(44, 62, 112),   QColor(66, 84, 140),   QColor(98, 106, 160),  QColor(140, 122, 170),
        QColor(186, 136, 166), QColor(226, 154, 146), QColor(244, 180, 130), QColor(250, 208, 140),
    };
    const double horizont = 520;
    const double band = horizont / std::size(himmel);
    for (std::size_t i = 0; i < std::size(himmel); ++i)
        p.fillRect(QRectF(0, i * band, Breite, band + 1), himmel[i]);

    // the sun rising behind the far hills, with rings of light
    const QPointF sonne(390, horizont - 10);
    p.setPen(Qt::NoPen);
    const QColor ringe[] = {QColor(252, 222, 160), QColor(253, 233, 178), QColor(254, 242, 200)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(ringe[i]);
        p.drawEllipse(sonne, 150 - i * 35, 150 - i * 35);
    }
    p.setBrush(QColor(255, 250, 228));
    p.drawEllipse(sonne, 52, 52);

    Motive::huegel(p, horizont - 40, {{0, 40}, {0.3, -10}, {0.7, 30}, {1, 0}},
                   QColor(120, 128, 168));
    Motive::huegel(p, horizont + 20, {{0, -30}, {0.35, 20}, {0.75, -20}, {1, 10}},
                   QColor(96, 132, 120));
    Motive::huegel(p, horizont + 110, {{0, 0}, {0.4, -60}, {0.8, 10}, {1, -10}},
                   QColor(70, 112, 88));

    // the house on the middle hill, one window already lit
    Motive::landhaus(p, QPointF(200, horizont + 32), 1.0);
    Motive::pappel(p, QPointF(276, horizont + 38), 1.0, QColor(46, 82, 62));
    Motive::pappel(p, QPointF(120, horizont + 46), 0.8, QColor(46, 82, 62));

    Motive::huegel(p, horizont + 230, {{0, 10}, {0.5, -40}, {1, 20}}, QColor(44, 78, 60));
    Motive::voegel(p, {{420, 220}, {455, 200}, {470, 240}}, QColor(60, 56, 80));

    p.setPen(QColor(255, 246, 224));
    QFont f = schrift(22, false, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(f);
    p.drawText(QRectF(0, 760, Breite, 70), Qt::AlignCenter, Titel(QStringLiteral("Solitude")));
    return bild;
}

QImage umgezogen()
{
    QImage bild = leinwand(KartenGroesse, QColor(206, 232, 246));
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const double strasse = 724;
    Motive::wolke(p, QPointF(500, 320), 0.8);
    Motive::wolke(p, QPointF(110, 350), 0.6);

    p.setPen(QColor(205, 72, 40));
    p.setFont(schrift(36, true));
    p.drawText(QRectF(0, 34, Breite, 180), Qt::AlignCenter, Titel(QStringLiteral("umgezogen")));
    p.setPen(QColor(40, 56, 90));
    p.setFont(schrift(14));
    p.drawText(QRectF(30, 212, Breite - 60, 80), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Alle Kisten sind angekommen –\nund wir auch."));

    Motive::stadtsilhouette(p, strasse - 8, QColor(178, 210, 230));

    // road
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(92, 96, 104));
    p.drawRect(QRectF(0, strasse, Breite, Hoehe - strasse));
    p.setBrush(QColor(176, 170, 160));
    p.drawRect(QRectF(0, strasse - 8, Breite, 12));
    p.setBrush(QColor(240, 240, 236));
    for (double x = -20; x < Breite; x += 110)
        p.drawRect(QRectF(x, strasse + 78, 60, 10));

    Motive::umzugswagen(p, QRectF(30, 424, 400, strasse - 424));

    const double kx = 440;
    Motive::umzugskarton(p, QRectF(kx, strasse - 90, 130, 90), QStringLiteral("Küche"));
    Motive::umzugskarton(p, QRectF(kx + 10, strasse - 160, 110, 70), QStringLiteral("Bücher"));
    Motive::umzugskarton(p, QRectF(kx + 24, strasse - 214, 80, 54), QString());
    return bild;
}

} // namespace Vorlagen
