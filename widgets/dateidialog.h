#pragma once

#include <QFileDialog>
#include <QString>

// The file dialog of the plan commands. Saving refuses a folder that does not exist, with a
// message, and leaves the dialog open; and the completion list of the name field never
// outlives the dialog (the file system model may report a folder read only after the dialog
// closed, and the list would then open over the calendar).
class TDateiDialog final : public QFileDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDateiDialog)

public:
    // "%1": the folder as the user wrote it.
    static const QString OrdnerFehlt;

    explicit TDateiDialog(QWidget* eltern);
    ~TDateiDialog() override;

    void accept() override;
    void done(int ergebnis) override;
};
