#pragma once

#include <QColor>
#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QToolButton;

// The pop-up month calendar of the date field: a small modal dialog with a month grid
// (Monday first, German names), buttons for the previous/next year and month, and
// OK/Abbrechen. A double click or Enter on a day accepts, Escape cancels.
class TMonatskalender final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMonatskalender)

public:
    // Room a title bar takes beside the title: icon, buttons and spacing.
    static constexpr int TitelleistenRand = 120;

    explicit TMonatskalender(QWidget* eltern = nullptr);

    // Day numbers (model/tageszahl.h); a day the calendar cannot show selects today.
    void setTag(double tag);
    double Tag() const;

    void setFarbe(const QColor& farbe);
    QColor Farbe() const { return m_farbe; }

    // "März 2027": the page shown.
    QString MonatsTitel() const;

    void VorherigesJahr() { Blaettern(-12); }
    void VorherigerMonat() { Blaettern(-1); }
    void NaechsterMonat() { Blaettern(1); }
    void NaechstesJahr() { Blaettern(12); }

protected:
    void changeEvent(QEvent* ereignis) override;

private:
    // Wide enough for the window title beside the title bar's icon and buttons.
    void BreiteFuerTitel();
    void Blaettern(int monate);
    void TitelAktualisieren();

    QCalendarWidget* m_kalender;
    QLabel* m_titel;
    int m_grundbreite = 0; // the grid's own least width
    QColor m_farbe;
};
