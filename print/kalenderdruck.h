#pragma once

#include "model/tagdaten.h"
#include "model/taufgabe.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QPaintDevice;
class QPainter;

// The calendar printout: two weeks per landscape page, one week per row, Monday to Sunday,
// under a head line naming the page's weeks and months and the weekdays, over a foot line with
// the page number. Only weeks that hold a task are printed (each with the week after it); a
// list after them names every task that is on no page.
namespace Kalenderdruck {

constexpr int TageProSeite = 14;

// 2 cm in dots of the vertical resolution: the margin on all four sides.
int Rand(int dpi);

// 1 cm in dots: the height of the head band above the cells and of the foot band below them.
int Bandhoehe(int dpi);

struct Seitenmass
{
    int rand = 0;
    int spalte = 0; // column width
    int zeile = 0;  // row height
    int band = 0;   // height of the head and of the foot band
    // Row 0 or 1, column 0 (Monday) to 6; neighbouring cells share their edges.
    QRect Zelle(int zeile, int spalte) const;
    // The head line's band, from the top margin down to the first row, as wide as the rows.
    QRect Kopf() const;
    // The weekday's name over column `spalte`, in the lower part of the head band.
    QRect Wochentag(int spalte) const;
    // The foot line's band, from the last row down to the bottom margin.
    QRect Fuss() const;
};

// The page at `dpi` with a printable area of `seite` dots: within the margins the head band,
// the two rows, the foot band.
Seitenmass Mass(int dpi, QSize seite);

struct Seitentexte
{
    QString kopf; // "KW 6 – 7, Februar 2027"
    QString fuss; // "Seite 1 von 4"
};

// The head and foot lines of the page whose first day is `tage[erster]`; empty when the page
// holds no day.
Seitentexte Texte(const std::vector<const TagDaten*>& tage, int erster);

// Pages for `anzahlTage` day cells: (anzahlTage + 13) div 14.
int Seiten(int anzahlTage);

// The first cell (a Monday) of every calendar page: each week that holds a task, with the week
// after it on the same page; every week when none holds a task.
std::vector<int> Seitenanfaenge(const std::vector<const TagDaten*>& tage);

// A task that is on no page of the calendar: its day lies outside the calendar, or its day's
// cell has no room for it.
struct Eintrag
{
    double tag = 0;
    qint32 start = 0;
    QString titel;
};

// The tasks on no page, by day and begin: every task of `aufgaben` that none of the pages'
// cells holds, and every task a printed cell (measured on `geraet`) has no room for.
std::vector<Eintrag> OhneSeite(const std::vector<const TagDaten*>& tage,
                               const std::vector<int>& anfaenge, const Aufgabenliste& aufgaben,
                               const Seitenmass& mass, QPaintDevice* geraet);

// How many entries a page of the list holds, in lines `zeile` dots high.
int ListenzeilenProSeite(const Seitenmass& mass, int zeile);

// Draws the days erster … erster + 13 of `tage` that exist into their cells, the weekdays,
// and the page's head and foot lines (`texte`; from Texte when not given).
void SeiteZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<const TagDaten*>& tage,
                   int erster);
void SeiteZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<const TagDaten*>& tage,
                   int erster, const Seitentexte& texte);

// Draws the entries von … bis - 1 of the list under the head "Aufgaben außerhalb der
// Kalenderseiten", with the foot line `fuss`.
void ListeZeichnen(QPainter& p, const Seitenmass& mass, const std::vector<Eintrag>& eintraege,
                   qsizetype von, qsizetype bis, const QString& fuss);

} // namespace Kalenderdruck
