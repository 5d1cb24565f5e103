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
