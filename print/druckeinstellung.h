#pragma once

#include <QDialog>
#include <QPageSize>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The printer setup dialog "Druckeinstellung", shared by all printouts. It offers only what
// the printouts honour: the printer (a CUPS queue, or PDF files and the folder proposed for
// them) and the paper. Orientation, pages and copies every printout sets itself; the name of a
// PDF file each printout asks for. It shows the setting in force (a queue that cannot be
// reached now too), works on its own fields, and only "Übernehmen" changes the shared printer
// and keeps it in the settings file.
class TDruckeinstellung final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDruckeinstellung)

public:
    explicit TDruckeinstellung(QWidget* eltern = nullptr);

    // The entry of the printer list that prints into a PDF file.
    static QString PdfEintrag();

    void accept() override;

private:
    bool PdfGewaehlt() const;
    void DruckerGewaehlt();
    void OrdnerWaehlen();

    QComboBox* m_druckerauswahl = nullptr;
    QLineEdit* m_ordnerfeld = nullptr;
    QPushButton* m_durchsuchen = nullptr;
    QComboBox* m_papierauswahl = nullptr;
    QLabel* m_dateiLabel = nullptr;
};

// Shows the dialog; true when the user confirmed a choice, which then holds for all later
// printouts.
bool DruckerEinrichten(QWidget* eltern);
