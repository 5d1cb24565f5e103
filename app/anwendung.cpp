#include "app/anwendung.h"

#include "widgets/artwork.h"
#include "widgets/meldung.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
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

const char* const OhneBildschirmText =
    "Kistenlotse braucht eine grafische Oberfläche, findet aber keine Anzeige "
    "(DISPLAY oder WAYLAND_DISPLAY ist nicht gesetzt).\n"
    "Starten Sie es in Ihrer Desktop-Sitzung aus dem Menü „Büro“ oder im Terminal mit: "
    "kistenlotse [PLAN.kvr]\n"
    "Von einem anderen Rechner aus: ssh -X RECHNER kistenlotse\n";

QString BefehlszeileLesen(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plant einen Umzug: ein Kalender mit allen Aufgaben vom Urlaubsantrag bis "
                       "zur Ummeldung."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("PLAN.kvr"),
        QStringLiteral("Ein gespeicherter Plan, mit dem das Programm statt mit dem Startdialog "
                       "beginnt."),
        QStringLiteral("[PLAN.kvr]"));
    parser.process(app);
    const QStringList plaene = parser.positionalArguments();
    if (plaene.size() > 1) {
        const QString meldung =
            QStringLiteral("Kistenlotse öffnet nur eine Plandatei, nicht %1.").arg(plaene.size());
        std::fprintf(stderr, "%s\n", meldung.toUtf8().constData());
        std::exit(2);
    }
    return plaene.isEmpty() ? QString() : QFileInfo(plaene.front()).absoluteFilePath();
}
