#pragma once

#include <QObject>

// F1 opens the help in every window of the program: at the section of the dialog it was
// pressed in, at the contents in the main window (as its HilfeButton does). Watches the whole
// application, so a modal dialog, which blocks the main window, still answers F1: the help
// window then belongs to that dialog.
class THilfeTaste final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(THilfeTaste)

public:
    explicit THilfeTaste(QObject* eltern);
    ~THilfeTaste() override;

    // The help section of a window by its object name ("aufgabe" for the task dialog); a
    // message box or pop-up without a section of its own takes its parent's. Empty: contents.
    static QString Abschnitt(const QWidget* fenster);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
};
