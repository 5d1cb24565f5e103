#pragma once

#include "kalenderexport/kalenderziel.h"

#include <QDateTime>
#include <QHash>
#include <QString>

// What the last export of a plan gave each task's appointment, so that the appointment keeps
// its UID (TerminUid) in every export and its SEQUENCE and LAST-MODIFIED rise only when the
// task changed: a calendar that imports the plan again updates instead of doubling. Kept as
// "export-<plan ID>.txt" in the folder of the exported files, the user's alone.
class Exportstand
{
public:
    // Reads what is kept for the plan; a missing or damaged record counts as no export yet.
    Exportstand(const QString& ordner, const QString& planId);

    // The identity of task `nummer`'s appointment as it goes out now (`jetzt`, UTC).
    Terminkennung Kennung(qint32 nummer, const Kalendertermin& termin, const QDateTime& jetzt);
    // Writes the record at once or not at all; false and a reason on failure.
    bool Speichern(QString* fehler) const;

    // A SEQUENCE above every earlier one of the moment `jetzt`, even where the record was lost:
    // the minutes since 2020.
    static int Zeitfolge(const QDateTime& jetzt);

private:
    struct Stand
    {
        int sequenz = 0;
        QDateTime geaendert;
        QByteArray fingerabdruck;
    };

    QString m_pfad;
    QString m_planId;
    QHash<qint32, Stand> m_staende;
};
