#include "model/altlasten.h"

#include "model/dateizugriff.h"
#include "model/plandatei.h"
#include "model/uhr.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

void AltlastenEntfernen(const QString& einstellungsPfad, const QString& terminOrdner)
{
    if (!einstellungsPfad.isEmpty()) {
        Dateizugriff::ZwischendateienNeben(einstellungsPfad);
        const QString lastsaved = EinstellungenLesen(einstellungsPfad).zuletztGespeichert;
        if (!lastsaved.isEmpty())
            Dateizugriff::ZwischendateienNeben(lastsaved);
    }
    if (terminOrdner.isEmpty())
        return;
    const QDateTime grenze = Uhr::JetztUtc().addDays(-7);
    const QFileInfoList termine =
        QDir(terminOrdner)
            .entryInfoList({QStringLiteral("termine-*.ics")}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& f : termine) {
        if (f.lastModified().toUTC() < grenze)
            QFile::remove(f.absoluteFilePath());
    }
}
