#include "app/tday.h"

#include "app/kalenderform.h"
#include "widgets/zellenzeichnung.h"

#include <QMouseEvent>
#include <QPainter>

tday::tday(TKalenderForm* kalender, double datum, QWidget* eltern)
    : QWidget(eltern), daten(datum), m_kalender(kalender)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFont(Zellenzeichnung::ZellenSchrift());
}

void tday::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Zellenzeichnung::AufBildschirm(p, daten, size(), font(), &m_zeilen);
}

void tday::resizeEvent(QResizeEvent* ereignis)
{
    daten.Breite = width();
    for (ttermin& t : daten.Termine)
        t.Bereich.right = daten.Breite;
    QWidget::resizeEvent(ereignis);
}

void tday::mousePressEvent(QMouseEvent*)
{
    if (m_kalender->gezogeneAufgabe == -1)
        m_kalender->gezogeneAufgabe = -2;
}

void tday::mouseMoveEvent(QMouseEvent* ereignis)
{
    const QPoint pos = ereignis->position().toPoint();
    int& zustand = m_kalender->gezogeneAufgabe;
    if (zustand == -2) {
        m_kalender->StatusAnzeigen(TKalenderForm::HinweisZiehen);
        const int i = daten.TerminInHoehe(pos.y());
        if (i >= 0) {
            zustand = daten.Termine[static_cast<size_t>(i)].Nummer;
            setCursor(Qt::DragMoveCursor);
        } else {
            zustand = -1;
            unsetCursor();
        }
    } else if (zustand == -1) {
        m_kalender->StatusAnzeigen(daten.TerminAnPunkt(pos.x(), pos.y()) == -1
                                       ? TKalenderForm::HinweisFreieFlaeche
                                       : TKalenderForm::HinweisAufgabe);
    } else {
        m_kalender->StatusAnzeigen(TKalenderForm::HinweisZiehen);
    }
}

void tday::mouseReleaseEvent(QMouseEvent* ereignis)
{
    unsetCursor();
    m_kalender->ZellenFreigabe(this, ereignis->position().toPoint());
}
