#pragma once

// Days, tasks and move situations as the tests write them.

#include "model/bundesland.h"
#include "model/situation.h"
#include "model/tageszahl.h"
#include "model/taufgabe.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The day number of a date.
inline double T(int jahr, int monat, int tag)
{
    return Tageszahl::ausDatum(QDate(jahr, monat, tag));
}

// A task with number, title, day and start slot, the tasks that must come before it and its
// duration code; every other field keeps a new task's value.
inline taufgabe Aufgabe(qint32 nummer, const char* titel, double tag, qint32 start,
                        QList<qint32> vorher = {}, qint32 dauer = -1)
{
    taufgabe a;
    a.Nummer = nummer;
    a.Kurzbezeichnung = QString::fromUtf8(titel);
    a.Tag = tag;
    a.Start = start;
    a.Dauer = dauer;
    a.vorher = std::move(vorher);
    return a;
}

// A task as an appointment to hand over: title, date, start slot, duration code, advice and
// notes, and whether the user made it.
inline taufgabe Aufgabe(const QString& titel, QDate tag, qint32 start, qint32 dauer,
                        const QStringList& beschreibung = {}, const QStringList& notiz = {},
                        bool benutzeraufgabe = false)
{
    taufgabe a;
    a.Kurzbezeichnung = titel;
    a.Tag = Tageszahl::ausDatum(tag);
    a.Start = start;
    a.Dauer = dauer;
    a.Beschreibung = beschreibung;
    a.Notiz = notiz;
    a.Benutzeraufgabe = benutzeraufgabe;
    return a;
}

// The move of the full run: Berlin to Berlin, entering from 10.09., leaving before 14.09.2001,
// no renovations, moving company or children. It plans 33 tasks from 16.08. to 29.09.2001 in
// cells from Monday 13.08. to Sunday 30.09.2001.
inline Situation BerlinerUmzug()
{
    return {.BundeslandA = Bundesland::Berlin,
            .BundeslandB = Bundesland::Berlin,
            .Einzugdatum = QStringLiteral("10.09.2001"),
            .Auszugdatum = QStringLiteral("14.09.2001")};
}
