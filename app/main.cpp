// Kistenlotse: plans a household's move.

#include "app/anwendung.h"
#include "app/kalenderform.h"
#include "model/altlasten.h"
#include "model/plandatei.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char** argv)
{
    if (!BildschirmVorhanden()) {
        std::fputs("Kistenlotse braucht eine grafische Oberfläche (keine Anzeige gefunden); "
                   "ohne Bildschirm starten Sie es mit: xvfb-run -a scripts/run\n",
                   stderr);
        return 1;
    }
    Anwendung app(argc, argv);
    // The one argument is a plan file to open (what a double-click in the file manager runs);
    // a relative path is taken from where the program was started.
    const QStringList argumente = QCoreApplication::arguments();
    const QString plandatei =
        argumente.size() > 1 ? QFileInfo(argumente.at(1)).absoluteFilePath() : QString();
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    AltlastenEntfernen(EinstellungsPfad(),
                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    TKalenderForm kalender;
    if (!kalender.Starten(plandatei))
        return 0;
    return app.exec();
}
