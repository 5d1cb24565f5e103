#pragma once

#include <QObject>

// F1 opens the help in every window of the program, as the main window's HilfeButton does.
// Watches the whole application, so a modal dialog, which blocks the main window, still
// answers F1: the help window then belongs to that dialog.
class THilfeTaste final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(THilfeTaste)

public:
    explicit THilfeTaste(QObject* eltern);
    ~THilfeTaste() override;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
};
