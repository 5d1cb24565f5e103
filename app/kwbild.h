#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

// The calendar-week column: one blue square with the week number at the top of every row,
// with `pixelfaktor` device pixels per pixel.
QImage KWBildZeichnen(const QList<int>& wochen, qreal pixelfaktor = 1);

class KWBild final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KWBild)

public:
    KWBild(const QList<int>& wochen, QWidget* eltern);

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    QList<int> m_wochen;
    QImage m_bild;
};
