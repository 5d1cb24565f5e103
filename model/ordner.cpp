#include "model/ordner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kEinstellungsdatei = QStringLiteral("kistenlotse.ini");
} // namespace

QString EinstellungsPfad()
{
    return EinstellungsPfad(QCoreApplication::applicationDirPath());
}

QString EinstellungsPfad(const QString& programmOrdner)
{
    QString tragbar = QDir(programmOrdner).filePath(kEinstellungsdatei);
    if (QFileInfo(tragbar).isFile() && QFileInfo(programmOrdner).isWritable())
        return tragbar;
    const QString konfiguration =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(konfiguration).filePath(QStringLiteral("Kistenlotse/") + kEinstellungsdatei);
}

QString InstallierterDatenordner(const QString& programmOrdner)
{
    return QDir::cleanPath(QDir(programmOrdner).filePath(QStringLiteral(KL_DATENORDNER_RELATIV)));
}

QString Datendatei(const QString& name)
{
    return Datendatei(name, QCoreApplication::applicationDirPath());
}

QString Datendatei(const QString& name, const QString& programmOrdner)
{
    QString daneben = QDir(programmOrdner).filePath(name);
    if (QFileInfo::exists(daneben))
        return daneben;
    const QDir installiert(InstallierterDatenordner(programmOrdner));
    if (installiert.exists())
        return installiert.filePath(name);
    return daneben;
}

QString PlanOrdner()
{
    QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!dokumente.isEmpty() && QFileInfo(dokumente).isDir())
        return dokumente;
    return QDir::homePath();
}
