// Kistenlotse: plans a household's move.

#include "app/anwendung.h"
#include "app/kalenderform.h"
#include "model/plandatei.h"

#include <QDir>
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
    // Settings, templates and help are found beside the program.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    AltlastenEntfernen(EinstellungsPfad(),
                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    TKalenderForm kalender;
    if (!kalender.Starten())
        return 0;
    return app.exec();
}
