#pragma once

#include <QDialog>

class PlanFenster;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TDateEdit;
class TQvImageButton;
struct taufgabe;

// The dialog for a task of the user's own: name, day, begin, duration and notes; a new task
// or one made earlier.
//
// The main window makes one at start-up with itself as PlanFenster and parent, and for
// "Neue Aufgabe" (-1, today), a click on free space in a day cell (-1, that day) or a click
// on a user task (its number, the cell's day) calls AufgabeAnzeigen(nummer, tag), then
// exec(), then its own KalenderAktualisieren whatever the result.
class TEigenerTerminForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEigenerTerminForm)

public:
    static const QString NamenVorgabe;  // the prompt in the name field of a new task
    static const QString NotizVorgabeText; // the placeholder line of a new task's notes
    static const QString LoeschenFrage;

    TEigenerTerminForm(PlanFenster* kalender, QWidget* eltern);
    ~TEigenerTerminForm() override;

    // Fills the dialog: nummer -1 makes a new task on day `tag`; otherwise the user task
    // with that number is shown and `tag` is not used.
    void AufgabeAnzeigen(qint32 nummer, double tag);
    void AenderungMelden();

    qint32 aktuelleNummer() const { return m_nummer; }
    bool NotizVorgabe() const { return m_notizVorgabe; }

    QLabel* Label4 = nullptr; // the heading
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    TDateEdit* DateEdit1 = nullptr;
    QComboBox* BeginnBox = nullptr;
    QComboBox* DauerBox = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    TQvImageButton* QvImageButton3 = nullptr; // "Abbrechen"
    TQvImageButton* LoeschenButton = nullptr;
    TQvImageButton* Uebernehmen = nullptr;
    TQvImageButton* DruckenButton = nullptr;

protected:
    void showEvent(QShowEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void FormShow();
    void Edit1Change();
    void BeginnBoxChange();
    void DauerBoxChange();
    void Memo1Enter();
    void UebernehmenClick();
    void Button1Click();
    void Button2Click();
    void DruckenButtonClick();

    // The notes as they would be stored: the lone placeholder line counts as no notes.
    QStringList Notizen() const;
    // Whether day, begin index and duration index differ from the stored task (a new task
    // always differs).
    bool TerminGeaendert(double tag, int beginn, int dauer) const;

    PlanFenster* m_kalender;
    qint32 m_nummer = -1;
    bool m_notizVorgabe = false;
};
