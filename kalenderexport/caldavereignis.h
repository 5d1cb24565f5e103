#pragma once

#include "kalenderexport/icsdatei.h"
#include "model/taufgabe.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A task as one event resource on a calendar server, and such a resource read back. Only what
// the plan owns counts (title, text, begin, end): an alarm or a colour a phone adds is no change.

// What the plan puts into a task's appointment.
struct Termininhalt
{
    QString Titel;
    QString Text; // lines joined by "\n", no line break at the end
    Ortszeit Start;
    Ortszeit Ende;

    bool operator==(const Termininhalt&) const = default;
};

Termininhalt TermininhaltAus(const taufgabe& aufgabe);

// The fingerprint of a content kept in the plan to notice a change since the last round:
// SHA-256 in hex over a fixed layout of the fields.
QByteArray TerminHash(const Termininhalt& inhalt);

// An event read from the server.
struct Servertermin
{
    QString Uid;
    Termininhalt Inhalt;
};

// The resource for a task: one VCALENDAR with the zone and one VEVENT with the plan's fixed UID.
// Throws KalenderFehler when the task's times cannot be written.
QByteArray EreignisText(const QString& uid, const taufgabe& aufgabe,
                        const QByteArray& zeitzone = KalenderZeitzone());

// Reads one event resource: the first VEVENT without RECURRENCE-ID, its times turned into the
// wall clock of `zeitzone` (TZID with the zone of the resource or a known zone name, UTC,
// floating or a whole day). False with a message for the user when the text is no iCalendar
// or carries no event with a UID and a begin.
bool EreignisLesen(const QByteArray& text, const QByteArray& zeitzone, Servertermin* termin,
                   QString* fehler);

// The fields of a task that an event changed on the server gives back to the plan. The notes
// are the text's lines after the task's own advice lines (the text begins with them when the
// phone left them alone; otherwise every line is a note).
struct Aufgabenzeit
{
    double Tag = 0;
    qint32 Start = 0;
    qint32 Dauer = -1;

    bool operator==(const Aufgabenzeit&) const = default;
};
Aufgabenzeit AufgabenzeitAus(const Termininhalt& inhalt);
QStringList NotizAus(const Termininhalt& inhalt, const QStringList& beschreibung);
