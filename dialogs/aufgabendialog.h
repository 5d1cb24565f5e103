#pragma once

#include <QDialog>
#include <QLatin1String>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>

class PlanFenster;
class QCheckBox;
class QColor;
class QComboBox;
class QPlainTextEdit;
class TDateEdit;
class TQvImageButton;
struct taufgabe;

// What the two task dialogs share: the window that owns the plan, the number of the task
// shown, the fields for day, begin, duration and notes with their rules, the buttons
// "Abbrechen", "Löschen" and "Übernehmen", and the checks and writes of applying.
class TAufgabenDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAufgabenDialog)

public:
    static const QString VerwerfenFrage;

    ~TAufgabenDialog() override;

    qint32 aktuelleNummer() const { return m_nummer; }
    // The user changed something: "Übernehmen" becomes available.
    void AenderungMelden();
    // Whether the user changed anything since the dialog was filled.
    bool Bearbeitet() const { return m_bearbeitet; }

    TDateEdit* DatumFeld = nullptr;
    QComboBox* BeginnBox = nullptr;
    QComboBox* DauerBox = nullptr;
    QPlainTextEdit* NotizFeld = nullptr;
    QCheckBox* ErledigtBox = nullptr;          // "Erledigt"
    TQvImageButton* AbbrechenButton = nullptr; // "Abbrechen"
    TQvImageButton* LoeschenButton = nullptr;
    TQvImageButton* Uebernehmen = nullptr;

protected:
    // Names the dialog and gives it the task dialogs' frame and font.
    TAufgabenDialog(PlanFenster* kalender, QWidget* eltern, const QString& name);

    // The labels "Datum", "Beginn" and "Dauer" at the heights `beschriftungOben`, and beside
    // them the date field, its pop-up calendar in `datumFarbe`, and the begin and duration
    // lists, 24 pixels apart from the height `feldOben`.
    void TerminfelderAnlegen(const std::array<int, 3>& beschriftungOben, int feldOben,
                             const QColor& datumFarbe);
    // The check box "Erledigt" at `ort`; its place in the tab order is the dialog's to set.
    void ErledigtfeldAnlegen(QPoint ort);
    // The notes field at `lage`, borderless on light yellow, with its label just above.
    void NotizfeldAnlegen(const QString& beschriftung, QRect lage);
    // "Abbrechen", "Löschen" and "Übernehmen" in the button column from the height `oben`.
    void KnoepfeAnlegen(int oben, QLatin1String abbrechen, QLatin1String loeschen,
                        QLatin1String uebernehmen);

    // The dialog is filled: what happened so far is no edit of the user's.
    void BearbeitungZuruecksetzen() { m_bearbeitet = false; }
    // "Abbrechen", the close button and Escape: asks before edits are dropped.
    void Verwerfen();
    // Each showing starts at the first field.
    virtual QWidget* ErstesFeld() const = 0;

    // Shows day, begin, duration, done state and notes of `a`.
    void TerminZeigen(const taufgabe& a);
    // The checks of day, begin and duration before applying: the one-year rule, then, for a
    // changed appointment, the question about a year no calendar can carry. False when the
    // dialog stays open.
    bool TerminPruefen();
    // Writes day, begin, duration, done state and `notiz` into `a`, builds the calendar again when
    // the day left it, refreshes it and closes the dialog as applied.
    void TerminSchreiben(taufgabe* a, const QStringList& notiz);

    // Whether day, begin or duration differ from the task as stored.
    virtual bool TerminGeaendert() const = 0;
    // The user changed day, begin or duration.
    virtual void TerminBearbeitet();
    // Each time the dialog is shown.
    virtual void FormShow() = 0;
    virtual void UebernehmenClick() = 0;
    virtual void AbbrechenClick() = 0; // "Abbrechen"
    virtual void LoeschenClick() = 0;  // "Löschen"

    void showEvent(QShowEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;

    PlanFenster* m_kalender;
    qint32 m_nummer = -1;

private:
    bool m_bearbeitet = false;

    void BeginnBoxChange();
    void DauerBoxChange();
};
