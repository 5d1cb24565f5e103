#pragma once

#include "dialogs/aufgabendialog.h"

class QLabel;
class QLineEdit;

// The dialog for a task of the user's own: name, day, begin, duration and notes; a new task
// or one made earlier.
//
// The main window makes one at start-up with itself as PlanFenster and parent, and for
// "Neue Aufgabe" (-1, today), a click on free space in a day cell (-1, that day) or a click
// on a user task (its number, the cell's day) calls AufgabeAnzeigen(nummer, tag), then
// exec(), then its own KalenderAktualisieren whatever the result.
class TEigenerTerminForm final : public TAufgabenDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEigenerTerminForm)

public:
    static const QString NamenVorgabe;     // the prompt in the name field of a new task
    static const QString NotizVorgabeText; // the placeholder line of a new task's notes
    static const QString LoeschenFrage;

    TEigenerTerminForm(PlanFenster* kalender, QWidget* eltern);
    ~TEigenerTerminForm() override;

    // Fills the dialog: nummer -1 makes a new task on day `tag`; otherwise the user task
    // with that number is shown and `tag` is not used.
    void AufgabeAnzeigen(qint32 nummer, double tag);

    bool NotizVorgabe() const { return m_notizVorgabe; }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void FormShow() override;
    QWidget* ErstesFeld() const override;
    // Day, begin or duration differ from the stored task (a new task always differs).
    bool TerminGeaendert() const override;
    void UebernehmenClick() override;
    void AbbrechenClick() override;
    void LoeschenClick() override;
    void BezeichnungGeaendert();
    void NotizFeldBetreten();
    void DruckenButtonClick();

    // The notes as they would be stored: the lone placeholder line counts as no notes.
    QStringList Notizen() const;

    QLabel* m_ueberschrift = nullptr; // the heading
    QLabel* m_unterzeile = nullptr;
    QLineEdit* m_bezeichnungsFeld = nullptr;
    TQvImageButton* m_druckenButton = nullptr;
    bool m_notizVorgabe = false;
};
