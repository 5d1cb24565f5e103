#include "app/anwendung.h"

#include "widgets/artwork.h"
#include "widgets/meldung.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

Anwendung::Anwendung(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Kistenlotse"));
    // The window belongs to the installed desktop entry and shows the program's icon.
    setDesktopFileName(QString(Artwork::Programmkennung));
    QIcon symbol;
    for (int groesse : Artwork::Symbolgroessen)
        symbol.addFile(QStringLiteral(":/artwork/icons/hicolor/%1x%1/apps/%2.png")
                           .arg(groesse)
                           .arg(Artwork::Programmkennung));
    setWindowIcon(symbol);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    DeutschLaden(*this);
}

bool Anwendung::DeutschLaden(QCoreApplication& app)
{
    bool geladen = false;
    const QString ordner = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_de", "qt_de"}) {
        auto* t = new QTranslator(&app); // owned by the application
        if (t->load(QString::fromLatin1(name), ordner)) {
            QCoreApplication::installTranslator(t);
            geladen = true;
        } else {
            delete t;
        }
    }
    return geladen;
}

bool Anwendung::notify(QObject* empfaenger, QEvent* ereignis)
{
    try {
        return QApplication::notify(empfaenger, ereignis);
    } catch (const std::exception& fehler) {
        FehlerBericht(activeWindow(), QString::fromLocal8Bit(fehler.what()));
    } catch (...) {
        FehlerBericht(activeWindow(), QStringLiteral("Unbekannter Fehler."));
    }
    return false;
}

bool BildschirmVorhanden()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}
