#pragma once

#include <QDialog>
#include <QPageSize>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The printer setup dialog "Druckeinstellung", shared by all printouts. It offers only what
// the printouts honour: the printer (a CUPS queue, or a PDF file and its name) and the paper.
// Orientation, pages and copies every printout sets itself. It shows the setting in force,
// works on its own fields, and only "Übernehmen" changes the shared printer.
class TDruckeinstellung final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDruckeinstellung)

public:
    explicit TDruckeinstellung(QWidget* eltern = nullptr);

    // The entry of Druckerauswahl that prints into a PDF file.
    static QString PdfEintrag();

    QComboBox* Druckerauswahl = nullptr;
    QLineEdit* Dateiname = nullptr;
    QPushButton* Durchsuchen = nullptr;
    QComboBox* Papierauswahl = nullptr;
    QPushButton* Uebernehmen = nullptr;
    QPushButton* Abbrechen = nullptr;

    void accept() override;

private:
    bool PdfGewaehlt() const;
    void DruckerGewaehlt();
    void DateiWaehlen();

    QLabel* m_dateiLabel = nullptr;
};

// Shows the dialog; true when the user confirmed a choice, which then holds for all later
// printouts.
bool DruckerEinrichten(QWidget* eltern);
