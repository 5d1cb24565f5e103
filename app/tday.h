#pragma once

#include "model/tagdaten.h"
#include "widgets/zellenzeichnung.h"

#include <QWidget>

#include <optional>

class Kalenderfeld;

// A day cell of the calendar: draws its day and turns the mouse into the three gestures
// (click a task, click free space, drag a task to another day). With the keyboard focus it
// marks itself or one of its tasks and hands the keys to the calendar.
class tday final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(tday)

public:
    // The status line's hints while the mouse moves over a cell.
    static const QString HinweisZiehen;
    static const QString HinweisFreieFlaeche;
    static const QString HinweisAufgabe;

    tday(Kalenderfeld* kalender, double datum, QWidget* eltern);

    TagDaten daten;

    double Datum() const { return daten.Datum; }
    // The appointment the keyboard focus is on, -1 for the day itself.
    int FokussierteAufgabe() const { return m_fokusAufgabe; }
    void FokusSetzen(int aufgabe);
    // The context menu of appointment `termin` (-1: of the day) at `ort` on the screen, or
    // below the appointment's band: "Erledigt", "Öffnen …", "Löschen …"; of the day "Neue
    // Aufgabe …". It does not wait for the choice.
    void MenueZeigen(int termin, std::optional<QPoint> ort = std::nullopt);

protected:
    void paintEvent(QPaintEvent* ereignis) override;
    void mousePressEvent(QMouseEvent* ereignis) override;
    void mouseMoveEvent(QMouseEvent* ereignis) override;
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    void focusInEvent(QFocusEvent* ereignis) override;
    void focusOutEvent(QFocusEvent* ereignis) override;
    void contextMenuEvent(QContextMenuEvent* ereignis) override;

private:
    Kalenderfeld* m_kalender;
    Zellenzeichnung::Zeilenspeicher m_zeilen;
    int m_fokusAufgabe = -1;
    // Where the button went down: the task there is the one a drag takes, wherever the first
    // move lands (a band may be a single line high).
    QPoint m_druckpunkt;
};
