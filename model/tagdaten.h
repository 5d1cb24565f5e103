#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A band in a day cell, in cell pixels, both edges inclusive. A band whose bottom lies above
// its top (more than 144 appointments in a day) contains no point.
struct Bandbereich
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool enthaelt(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const Bandbereich&) const = default;
};

// One task as a day cell shows it: a snapshot taken when the calendar is refreshed.
struct ttermin
{
    qint32 Nummer = 0;
    qint32 Start = 0;
    qint32 Dauer = 0;
    QString Kurzbezeichnung;
    QStringList Notiz;
    Bandbereich Bereich;

    bool operator==(const ttermin&) const = default;
};

// The data of one day cell: its date, its holiday mark and its appointments ordered by start.
// The cell widget and the printout both draw from it.
class TagDaten
{
public:
    static constexpr int Kopfhoehe = 20; // date header
    static constexpr int Zellenhoehe = 164;
    static constexpr int Koerperhoehe = Zellenhoehe - Kopfhoehe; // room for the bands

    explicit TagDaten(double datum = 0) : Datum(datum) {}

    double Datum = 0;
    std::vector<ttermin> Termine;
    bool Feiertag = false;
    int Breite = 0; // the cell's current width; the right edge of every band

    // Appends the appointment and orders the day again.
    bool TerminHinzufuegen(qint32 nummer, qint32 start, const QStringList& notiz,
                           const QString& kurzbezeichnung, qint32 dauer);
    // Appends without ordering; for filling many cells at once, followed by TermineOrdnen.
    void TerminAnhaengen(qint32 nummer, qint32 start, const QStringList& notiz,
                         const QString& kurzbezeichnung, qint32 dauer);
    // Stable order by Start, then bands of 144 div n pixels below the header.
    void TermineOrdnen();
    void TermineLeeren() { Termine.clear(); }
    // Index of the appointment whose band holds the point (the last one wins), -1 if none.
    int TerminAnPunkt(int x, int y) const;
    // Index of the appointment whose band holds the height y (the last one wins), -1 if none.
    int TerminInHoehe(int y) const;
};
