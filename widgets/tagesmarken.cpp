#include "widgets/tagesmarken.h"

#include "widgets/farben.h"
#include "widgets/zellengeometrie.h"

#include <QPainter>
#include <QRegion>

namespace Tagesmarken {

QRect Band(const TagDaten& tag, int termin, int breite)
{
    // As the cell fills it: the band's last row stays as a hairline between bands.
    const Bandbereich b = Zellengeometrie::Band(tag, termin, breite);
    return QRect(0, b.top, breite, std::max(b.bottom - b.top, 0));
}

void Daempfen(QPainter& p, const TagDaten& tag, QSize groesse)
{
    QRegion frei(QRect(QPoint(0, 0), groesse));
    for (size_t i = 0; i < tag.Termine.size(); ++i)
        frei -= Band(tag, static_cast<int>(i), groesse.width());
    p.save();
    p.setClipRegion(frei);
    p.fillRect(QRect(QPoint(0, 0), groesse), QColor(190, 190, 196, 150));
    p.restore();
}

void HeuteRahmen(QPainter& p, QSize groesse)
{
    p.save();
    QPen stift(Farben::Dunkelblau, 3);
    stift.setJoinStyle(Qt::MiterJoin);
    p.setPen(stift);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, groesse.width() - 3, groesse.height() - 3));
    p.restore();
}

void Fokus(QPainter& p, const TagDaten& tag, QSize groesse, int termin)
{
    p.save();
    QPen stift(Farben::Orange, 2);
    stift.setJoinStyle(Qt::MiterJoin);
    p.setPen(stift);
    p.setBrush(Qt::NoBrush);
    if (termin >= 0 && termin < static_cast<int>(tag.Termine.size())) {
        const QRect band = Band(tag, termin, groesse.width());
        p.drawRect(QRectF(band).adjusted(4, 1, -4, -1));
    } else {
        p.drawRect(QRectF(4, 4, groesse.width() - 8, groesse.height() - 8));
    }
    p.restore();
}

} // namespace Tagesmarken
