#pragma once

#include "model/tagdaten.h"
#include "widgets/zellenzeichnung.h"

#include <QWidget>

class TKalenderForm;

// A day cell of the calendar: draws its day and turns the mouse into the three gestures
// (click a task, click free space, drag a task to another day).
class tday final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(tday)

public:
    tday(TKalenderForm* kalender, double datum, QWidget* eltern);

    TagDaten daten;

    double Datum() const { return daten.Datum; }

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseMoveEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;

private:
    TKalenderForm* m_kalender;
    Zellenzeichnung::Zeilenspeicher m_zeilen;
};
