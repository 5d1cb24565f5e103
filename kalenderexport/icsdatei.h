#pragma once

#include "model/taufgabe.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <stdexcept>
#include <vector>

// The appointment a task becomes in the user's desktop calendar, and the iCalendar file that
// carries such appointments there. No GUI: the command-line tool uses it too.

// Begin and end of a task's appointment as day numbers (tageszahl.h) in local time.
struct Terminzeiten
{
    double Start = 0;
    double Ende = 0;
};

// Begin: the task's day plus (Start - 1) half hours; end: the day plus (Start + Dauer) half
// hours. Start 17, Dauer 3 on 3 May gives 08:00 to 10:00; Start 48, Dauer 0 ends at 00:00 of
// the next day. Any field values give a result (a damaged plan file is outside input).
Terminzeiten TerminZeiten(const taufgabe& aufgabe);

// The appointment's text: the advice lines, then the note lines, each ended by CR LF.
QString TerminText(const taufgabe& aufgabe);

// A wall-clock time in the calendar's time zone, to the minute.
struct Ortszeit
{
    QDate Datum;
    QTime Zeit;

    bool gueltig() const { return Datum.isValid() && Zeit.isValid(); }
    bool operator==(const Ortszeit&) const = default;
};

// Day number to wall-clock time, rounded to the minute; invalid outside the years 1..9999.
Ortszeit OrtszeitAusTageszahl(double tag);
// A moment to the wall-clock time of the zone `zeitzone`; invalid outside the years 1..9999.
Ortszeit OrtszeitAusMoment(const QDateTime& moment, const QByteArray& zeitzone);

// The years a calendar file can carry: libical 3.0 writes no year after 3000 (every time
// of a later year comes out as "00000000T000000").
inline constexpr int ErstesKalenderjahr = 1;
inline constexpr int LetztesKalenderjahr = 3000;
// Whether a wall-clock time is valid and lies in those years.
bool Uebertragbar(const Ortszeit& zeit);
// Whether a task's appointment (TerminZeiten) begins and ends in those years.
bool Uebertragbar(const taufgabe& aufgabe);
// The refusal for a list with tasks whose appointments cannot be written: it names them with
// their day ("„Packen“ am 01.03.3027", the first ten, then how many more) and says that
// nothing was handed on. Empty when every task can be written.
QString NichtUebertragbarMeldung(const Aufgabenliste& aufgaben);

// The zone the appointments are written in: the machine's own, or Europe/Berlin when the
// machine names none, an unknown one, or UTC (a server default rather than the user's home).
QByteArray KalenderZeitzone();

// A failure of the calendar file; its text is written for the user.
class KalenderFehler final : public std::runtime_error
{
public:
    explicit KalenderFehler(const QString& text);
    QString Text() const { return m_text; }

private:
    QString m_text;
};

// Who an appointment is across exports: its UID, and how often (SEQUENCE) and when
// (LAST-MODIFIED) it last changed. Without a UID the appointment gets a fresh random one and
// no revision.
struct Terminkennung
{
    QString Uid;
    int Sequenz = 0;
    QDateTime GeaendertAm; // UTC
};

// One appointment as a calendar takes it: times in the calendar's zone.
struct Kalendertermin
{
    QString Betreff;
    QString Text;
    Ortszeit Start;
    Ortszeit Ende;
    Terminkennung Kennung;      // empty: a new appointment in every export
    int ErinnerungVorlauf = -1; // minutes before the begin for a reminder; -1: none
};

// An iCalendar document: one VCALENDAR with a VTIMEZONE for the years its appointments touch
// and one VEVENT per appointment, times in local time with the zone's TZID (floating times
// would be read as UTC by some calendars).
class TIcsKalender final
{
public:
    explicit TIcsKalender(QByteArray zeitzone = KalenderZeitzone());

    // Adds an appointment with a fresh UID and DTSTAMP. Throws KalenderFehler when a time is
    // no valid date or lies outside the years above; the document is unchanged then. An end not
    // after the begin gives an appointment without DTEND (one that ends as it begins).
    void TerminHinzufuegen(const QString& betreff, const QString& text, const Ortszeit& start,
                           const Ortszeit& ende);
    void TerminHinzufuegen(const QString& betreff, const QString& text, double start, double ende);
    // The same with identity and reminder: a VALARM that shows the title.
    void TerminHinzufuegen(const Kalendertermin& termin);
    void LetztenEntfernen();

    int Anzahl() const { return static_cast<int>(m_termine.size()); }
    QByteArray Zeitzone() const { return m_zeitzone; }

    // The whole document, UTF-8 with CR LF, folded and escaped by libical.
    QByteArray Text() const;

    // Writes the whole document at once: on any failure the file keeps its former content.
    // Throws KalenderFehler.
    void Schreiben(const QString& pfad) const;

private:
    struct Termin
    {
        QString Betreff;
        QString Text;
        Ortszeit Start;
        Ortszeit Ende;
        QString Uid;
        QDateTime Stempel;
        int Sequenz = -1; // -1: none written
        QDateTime GeaendertAm;
        int Vorlauf = -1;
    };

    QByteArray m_zeitzone;
    std::vector<Termin> m_termine;
};
