#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

// A typed date text read: whether it is a date, its day number and its shown form.
struct DatumsEingabe
{
    bool gueltig = false;
    double tag = 0.0; // 0 when the text is no date
    QString text;     // "dd.mm.yyyy" when valid, else the text as typed
};

// Reads "d.m.yyyy" or "dd.mm.yyyy" (four-digit year, blanks around allowed).
DatumsEingabe DatumsEingabeLesen(const QString& text);

// The message shown when a typed text is no date.
QString UngueltigesDatumText(const QString& eingabe);

// The date field of the start dialog and the task dialogs: a line for "dd.mm.yyyy" and a
// button for the pop-up month calendar. The typed text is checked when the field loses
// the focus or Enter is pressed; a text that is no date is reported and kept, and then
// counts as day 0. Alt+Down and F4 open the calendar as the button does.
//
// Change() fires once for each new text: when typing completes a date, when the field is
// left with a text that is no date (or empty), when a date is chosen in the calendar, and
// on setDate()/setText(). Typing the same date in another form ("5.3.2027" for
// "05.03.2027") is no change.
class TDateEdit final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDateEdit)

public:
    explicit TDateEdit(QWidget* eltern = nullptr);

    // The whole day number of the text; 0 when the text is no date.
    double Date() const;
    void setDate(double tag);

    QString text() const;
    // A valid date is shown as "dd.mm.yyyy", anything else as given (without a message).
    void setText(const QString& text);

    void setKalenderFarbe(const QColor& farbe) { m_kalenderFarbe = farbe; }
    QColor KalenderFarbe() const { return m_kalenderFarbe; }
    void setKalenderTitel(const QString& titel) { m_kalenderTitel = titel; }
    QString KalenderTitel() const { return m_kalenderTitel; }

    // Opens the pop-up month calendar; its date is taken on OK.
    void KalenderOeffnen();

    QLineEdit* Zeile() const { return m_zeile; }
    QToolButton* KalenderKnopf() const { return m_knopf; }

Q_SIGNALS:
    void Change();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void EingabePruefen();
    void Uebernehmen(const QString& text);

    QLineEdit* m_zeile;
    QToolButton* m_knopf;
    QColor m_kalenderFarbe;
    QString m_kalenderTitel;
    QString m_gemeldet;               // the text last reported through Change()
    double m_letzterGueltigerTag = 0; // where the calendar opens for a text that is no date
    bool m_prueftGerade = false;
};
