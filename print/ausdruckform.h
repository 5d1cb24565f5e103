#pragma once

#include <QDialog>

class PlanFenster;
class QPushButton;
class QRadioButton;

// The print dialog: the calendar printout or the checklist. The main window makes it once,
// `new TAusdruckForm(this)`, and opens it with exec() from its print button; the dialog reads
// the day cells and the plan when printing. The choice holds while the dialog lives.
class TAusdruckForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAusdruckForm)

public:
    explicit TAusdruckForm(PlanFenster* fenster, QWidget* eltern = nullptr);

    // "Drucken": every page of the calendar, through a printer each page a print job of its
    // own, into a PDF file all in one file; the first failure ends the run. The dialog stays
    // open.
    void KalenderDrucken();
    // The checklist of every task (print/checkliste.h).
    void ChecklisteDrucken();
    // "Drucken": the printout chosen.
    void Drucken();
    // "Druckeinstellung": the printer setup dialog.
    void DruckeinstellungOeffnen();

    // Object names as the tests and the window photographer find them: "Button3", "Button2",
    // "Button1".
    QRadioButton* KalenderWahl = nullptr;
    QRadioButton* ChecklisteWahl = nullptr;
    QPushButton* DruckenKnopf = nullptr;
    QPushButton* DruckeinstellungKnopf = nullptr;
    QPushButton* AbbrechenKnopf = nullptr;

private:
    PlanFenster* m_fenster;
};
