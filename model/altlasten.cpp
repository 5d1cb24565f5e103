#include "model/altlasten.h"

#include "model/dateizugriff.h"
#include "model/plandatei.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

void AltlastenEntfernen(const QString& einstellungsPfad, const QString& terminOrdner)
{
    constexpr qint64 kStunde = 3600;
    const QFileInfo einstellungen(einstellungsPfad);
    Dateizugriff::ZwischendateienEntfernen(einstellungen.absolutePath(), einstellungen.fileName(),
                                           kStunde);
    const QString lastsaved = EinstellungenLesen(einstellungsPfad).lastsaved;
    if (!lastsaved.isEmpty()) {
        const QFileInfo plan(lastsaved);
        Dateizugriff::ZwischendateienEntfernen(plan.absolutePath(), plan.fileName(), kStunde);
    }
    if (terminOrdner.isEmpty())
        return;
    const QDateTime grenze = QDateTime::currentDateTimeUtc().addDays(-7);
    const QFileInfoList termine =
        QDir(terminOrdner)
            .entryInfoList({QStringLiteral("termine-*.ics")}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& f : termine) {
        if (f.lastModified().toUTC() < grenze)
            QFile::remove(f.absoluteFilePath());
    }
}
