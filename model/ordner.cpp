#include "model/ordner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kEinstellungsdatei = QStringLiteral("kistenlotse.ini");

// Qt takes "/" for an unset HOME, which would put the settings into /.config.
bool heimBrauchbar()
{
    const QString heim = qEnvironmentVariable("HOME");
    return QDir::isAbsolutePath(heim) && QDir::cleanPath(heim) != QDir::rootPath() &&
           QFileInfo(heim).isDir();
}
} // namespace

bool EinstellungsordnerVorhanden()
{
    return QDir::isAbsolutePath(qEnvironmentVariable("XDG_CONFIG_HOME")) || heimBrauchbar();
}

QString OhneEinstellungsdateiText()
{
    return QStringLiteral("Es gibt keinen Benutzerordner (HOME ist nicht gesetzt oder nennt "
                          "keinen Ordner). Die Einstellungen gelten deshalb nur, bis Sie "
                          "Kistenlotse beenden.");
}

QString EinstellungsPfad()
{
    return EinstellungsPfad(QCoreApplication::applicationDirPath());
}

QString EinstellungsPfad(const QString& programmOrdner)
{
    QString tragbar = QDir(programmOrdner).filePath(kEinstellungsdatei);
    if (QFileInfo(tragbar).isFile() && QFileInfo(programmOrdner).isWritable())
        return tragbar;
    if (!EinstellungsordnerVorhanden())
        return {};
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
