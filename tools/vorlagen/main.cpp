// Draws the print templates and writes them into the folder given on the command line:
//   kl_vorlagen <folder>
// The output is committed under resources/templates; running the program again must give
// the same bytes.

#include "tools/vorlagen/vorlagen.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // No window is shown; drawing must not depend on a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList argumente = QGuiApplication::arguments();
    if (argumente.size() != 2) {
        std::fprintf(stderr, "Aufruf: kl_vorlagen <Zielordner>\n");
        return 2;
    }
    QString fehler;
    if (!Vorlagen::schreiben(argumente.at(1), &fehler)) {
        std::fprintf(stderr, "%s\n", qPrintable(fehler));
        return 1;
    }
    return 0;
}
