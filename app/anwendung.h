#pragma once

#include <QApplication>

// The application object: German texts for Qt's own dialogs, and the top-level report for a
// failure that no handler caught.
class Anwendung final : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Anwendung)

public:
    Anwendung(int& argc, char** argv);

    bool notify(QObject* empfaenger, QEvent* ereignis) override;

    // Loads Qt's German translations (qtbase_de); false when none are installed.
    static bool DeutschLaden(QCoreApplication& app);
};

// Whether a graphical session is there to show windows in (or a platform was chosen).
bool BildschirmVorhanden();

// What to do without one, for a user of the installed program.
extern const char* const OhneBildschirmText;

// Reads the command line of `app`: --help and --version are answered on standard output and end
// the program, as a wrong option or a second plan file do (with exit code 2). Returns the plan
// file to open as an absolute path (taken from where the program was started), or "" for the
// start dialog.
QString BefehlszeileLesen(const QCoreApplication& app);
