#include "app/kwbild.h"

#include "app/fensterlayout.h"
#include "widgets/farben.h"
#include "widgets/schrift.h"
#include "widgets/zellengeometrie.h"
#include "widgets/zellenzeichnung.h"

#include <QPaintEvent>
#include <QPainter>

QImage KWBildZeichnen(const QList<int>& wochen, qreal pixelfaktor)
{
    using namespace Fensterlayout;
    const int hoehe =
        std::max<int>(static_cast<int>(wochen.size()) * Zellengeometrie::Zellenhoehe, 1);
    QImage bild(QSize(Wochenspalte, hoehe) * pixelfaktor, QImage::Format_RGB32);
    bild.setDevicePixelRatio(pixelfaktor);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setFont(ZellenSchrift());
    const QFontMetrics fm = p.fontMetrics();
    p.setPen(Qt::white);
    for (int v = 0; v < wochen.size(); ++v) {
        const QRect feld(0, v * Zellengeometrie::Zellenhoehe, Wochenspalte, Wochenspalte);
        p.fillRect(feld, Farben::Mittelblau);
        const QString text = QString::number(wochen.at(v));
        const int tw = fm.horizontalAdvance(text);
        const int th = fm.height();
        // Offsets of half the free space, rounded toward zero.
        p.drawText(QRect(feld.left() + (Wochenspalte - tw) / 2,
                         feld.top() + (Wochenspalte - th) / 2, tw + 1, th),
                   Qt::AlignLeft | Qt::AlignTop, text);
    }
    return bild;
}

KWBild::KWBild(const QList<int>& wochen, QWidget* eltern)
    : QWidget(eltern), m_wochen(wochen), m_bild(KWBildZeichnen(wochen))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(m_bild.size());
}

void KWBild::paintEvent(QPaintEvent* ereignis)
{
    // Drawn again for a screen of another pixel density, so that the numbers stay sharp.
    if (m_bild.devicePixelRatio() != devicePixelRatioF())
        m_bild = KWBildZeichnen(m_wochen, devicePixelRatioF());
    QPainter p(this);
    p.setClipRect(ereignis->rect());
    p.drawImage(QPoint(0, 0), m_bild);
}
