#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One task as a day cell shows it: a snapshot taken when the calendar is refreshed.
struct ttermin
{
    qint32 Nummer = 0;
    qint32 Start = 0;
    qint32 Dauer = 0;
    QString Kurzbezeichnung;
    QStringList Notiz;
    bool Erledigt = false;

    bool operator==(const ttermin&) const = default;
};

// The data of one day cell: its date, its holiday mark and its appointments ordered by start.
// The cell widget and the printout both draw from it.
class TagDaten
{
public:
    explicit TagDaten(double datum = 0) : Datum(datum) {}

    double Datum = 0;
    std::vector<ttermin> Termine;
    bool Feiertag = false;

    // Appends the appointment and orders the day again.
    bool TerminHinzufuegen(qint32 nummer, qint32 start, const QStringList& notiz,
                           const QString& kurzbezeichnung, qint32 dauer);
    // Appends without ordering; for filling many cells at once, followed by TermineOrdnen.
    void TerminAnhaengen(qint32 nummer, qint32 start, const QStringList& notiz,
                         const QString& kurzbezeichnung, qint32 dauer);
    // Stable order by Start.
    void TermineOrdnen();
    void TermineLeeren() { Termine.clear(); }
};
