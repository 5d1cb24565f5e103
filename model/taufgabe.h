#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// One task of a plan. Value type: a task list owns its tasks by holding them.
//
// Tasks read from plan files are outside input. Every field keeps what was read, also values
// outside the ranges the dialogs produce (Start 0 or 1000, Dauer -5, Tag far from today).
// Every consumer must therefore be safe with any value: clamp before indexing a list, never
// divide by or allocate from these fields unchecked.
struct taufgabe
{
    qint32 Nummer = 0;
    QString Kurzbezeichnung;
    QStringList Beschreibung;
    QStringList Notiz;
    qint32 Druckvorlage = -1;
    bool ausserhalbBuerozeit = false;
    bool auchSonntags = false;
    QList<qint32> vorher;
    bool beiAuszugsrenovierung = false;
    bool beiEinzugsrenovierung = false;
    bool mitSpedition = false;
    bool ohneSpedition = false;
    bool mitKindern = false;
    qint32 vorgabeDauer = -1;
    double Tag = 0;    // day number, see tageszahl.h
    qint32 Start = 0;  // half-hour slot 1..48, slot s begins at (s - 1) * 30 minutes
    qint32 Dauer = -1; // d lasts (d + 1) * 30 minutes
    bool Benutzeraufgabe = false;
    bool Erledigt = false; // ticked off by the user

    // The copy the undo state keeps: every field except mitKindern, which only plan
    // generation needs.
    taufgabe Kopie() const;

    // Whole day number plus the start slot as a fraction of the day.
    double Zeitpunkt() const { return Zeitpunkt(Tag, Start); }
    static double Zeitpunkt(double tag, qint32 start);

    bool operator==(const taufgabe&) const = default;
};

using Aufgabenliste = std::vector<taufgabe>;

// The numbers of the user's own tasks begin here; the catalogue's lie far below.
inline constexpr qint32 ErsteEigeneAufgabe = 10001;
// The start slot of a task that has none: slot 17 begins at 8:00.
inline constexpr qint32 VorgabeStart = 17;

// Lines to the one-line form: every line followed by '|'.
QString ZeilenZuText(const QStringList& zeilen);
// One-line form (or text with line breaks) to lines: splits at '|', CR LF, CR and LF; a
// final separator does not add an empty line.
QStringList TextZuZeilen(const QString& text);
// Numbers in decimal, separated by "," without blanks.
QString NummernText(const QList<qint32>& nummern);
