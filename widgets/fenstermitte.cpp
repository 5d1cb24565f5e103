#include "widgets/fenstermitte.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QScreen* BildschirmMitMaus()
{
    if (QScreen* s = QGuiApplication::screenAt(QCursor::pos()))
        return s;
    return QGuiApplication::primaryScreen();
}

QPoint Mittig(const QRect& flaeche, QSize groesse)
{
    return {flaeche.x() + (flaeche.width() - groesse.width()) / 2,
            flaeche.y() + (flaeche.height() - groesse.height()) / 2};
}

void AufBildschirmMitte(QWidget* fenster)
{
    const QScreen* bildschirm = BildschirmMitMaus();
    if (!bildschirm)
        return;
    // Before the first showing the frame is not known yet and counts as the client area; a
    // move() then places the frame's corner, so frame and position agree either way.
    fenster->move(Mittig(bildschirm->availableGeometry(), fenster->frameGeometry().size()));
}
