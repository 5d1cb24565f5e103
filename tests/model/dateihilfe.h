#pragma once

#include "support/dateigroessengrenze.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <csignal>
#include <sys/resource.h>

// Small file helpers shared by the file tests.
inline bool DateiSchreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly) && f.write(inhalt) == inhalt.size();
}

inline QByteArray DateiLesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList Dateinamen(const QString& ordner)
{
    return QDir(ordner).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}
