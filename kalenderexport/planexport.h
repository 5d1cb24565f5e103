#pragma once

#include "kalenderexport/erinnerung.h"
#include "kalenderexport/kalenderziel.h"

#include <QDateTime>
#include <QString>

#include <functional>

// The appointments of a plan's tasks as every export makes them, to the desktop's calendar
// program and into a file of the command-line tool alike.

// What an export gives the appointments beyond the tasks.
struct Exportweise
{
    // With the plan's ID each appointment keeps its UID from export to export and its
    // SEQUENCE rises when the task changed; empty: new appointments in every export.
    QString planId;
    // Where the record of the revisions lies (Exportstand); it is written back at the end,
    // also after a failure half-way.
    QString standOrdner;
    Erinnerung erinnerung = Erinnerung::Keine;
};

// Hands every task's appointment in list order to `eintragen`, as of the moment `jetzt`
// (UTC). Throws KalenderFehler (a task without a valid date) or what `eintragen` throws; the
// appointments handed on before stay handed on.
void TermineEintragen(const Aufgabenliste& aufgaben, const Exportweise& weise,
                      const QDateTime& jetzt,
                      const std::function<void(const Kalendertermin&)>& eintragen);

// Writes every task as above into one iCalendar file at `pfad`, at once or not at all: a list
// with a task that cannot be written (NichtUebertragbarMeldung) writes nothing. On failure
// returns false and, if `fehler` is given, a message for the user.
bool PlanTermineSchreiben(const Aufgabenliste& aufgaben, const QString& pfad,
                          const Exportweise& weise, QString* fehler);
