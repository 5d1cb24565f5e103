// Kistenlotse: plans a household's move.

#include "app/anwendung.h"
#include "app/kalenderform.h"
#include "model/altlasten.h"
#include "model/ordner.h"
#include "model/plandatei.h"

#include <QStandardPaths>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("Kistenlotse"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KL_VERSION));
    if (!BildschirmVorhanden()) {
        // --help and --version need no display.
        QCoreApplication befehlszeile(argc, argv);
        Anwendung::DeutschLaden(befehlszeile);
        BefehlszeileLesen(befehlszeile);
        std::fputs(OhneBildschirmText, stderr);
        return 1;
    }
    Anwendung app(argc, argv);
    // The working folder stays where the program was started: data files are found beside the
    // program or in its installed data folder (model/ordner.h), never through it.
    const QString plandatei = BefehlszeileLesen(app);
    AltlastenEntfernen(EinstellungsPfad(),
                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    TKalenderForm kalender;
    if (!kalender.Starten(plandatei))
        return 0;
    return app.exec();
}
