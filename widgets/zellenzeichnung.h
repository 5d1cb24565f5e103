#pragma once

#include "model/tagdaten.h"

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class QPaintDevice;
class QPainter;

// Drawing a day cell: on the screen in its own 164-pixel area, and scaled into any rectangle
// of any canvas for the printout.
namespace Zellenzeichnung {

struct Farbsatz
{
    QColor kopfFrei; // header of a Sunday or holiday
    QColor kopf;     // header of any other day
    QColor kopfText;
    QColor koerperA; // free days, Monday, Wednesday, Friday
    QColor koerperB; // Tuesday, Thursday, Saturday
    QColor band;
    QColor umziehenText; // Umzugsaufgabe, bold
    QColor text;
    QColor kante;
};

const Farbsatz& Bildschirm();
const Farbsatz& Ausdruck();

// Sunday or holiday.
bool FreierTag(const TagDaten& tag);
// "5.3." for 5 March; the first of a month and the calendar's first cell with the month's
// name, "1. März".
QString KopfText(double datum, bool ersteZelle = false);
// KopfText as far as it fits `breite`: the month's name is shortened ("1. Dez."), and left out
// where even that does not fit.
QString KopfText(double datum, bool ersteZelle, const QFontMetrics& fm, int breite);
QColor KopfFarbe(const TagDaten& tag, const Farbsatz& farben);
QColor KoerperFarbe(const TagDaten& tag, const Farbsatz& farben);

// Remembers the lines of a cell's bands between paints, fitted and shaped: fitting measures
// text and shaping lays out glyphs, which cost far more than drawing them, and a band's lines
// change only when its task or the cell's width does.
class Zeilenspeicher
{
public:
    // One line of a band as it is drawn.
    struct Zeile
    {
        bool zeichnen = true; // false for an empty line: drawn as nothing, keeps the face
        bool kursiv = false;  // notes, and everything after the first one
        QList<QGlyphRun> laeufe;
        qreal oberkante = 0; // baseline below the runs' origin
    };

    // Forgets everything when the width, the font or the device's resolution differ from
    // the last paint's.
    void Pruefen(int breite, const QFont& schrift, const QPaintDevice* geraet);
    // The lines of task `t` at most `hoechstens` as ZellenText fits them, shaped in `schrift`
    // and, from the first note on, in `kursiv`.
    const std::vector<Zeile>& Zeilen(const ttermin& t, int breite, int hoechstens,
                                     const QFontMetrics& titelFm, const QFontMetrics& notizFm,
                                     const QFont& schrift, const QFont& kursiv,
                                     QPaintDevice* geraet);

private:
    struct Band
    {
        QString titel;
        QStringList notiz;
        bool erledigt = false; // a done task's lines leave room for the check mark
        int hoechstens = 0;
        std::vector<Zeile> zeilen;
    };
    QHash<qint32, Band> m_baender; // by task number
    int m_breite = -1;
    QFont m_schrift;
    int m_dpiX = 0;
    int m_dpiY = 0;
};

// Where a cell shows its tasks (BaenderVerteilen): one band per task, top down from the
// body's top, as many whole lines high as its text needs and the body has room for, so that
// every task shows at least its title and the rest of the body stays free for a click. Tasks
// without room are counted in a line below the bands.
struct Zellenlage
{
    struct Band
    {
        QRect flaeche;      // empty when the cell has no room for the task
        QStringList zeilen; // as ZellenText makes them
    };
    std::vector<Band> baender; // in the order of the day's tasks
    int weitere = 0;           // tasks without room
    QRect weitereZeile;        // where they are counted
};

// The lines of task `t` as ZellenText makes them, at most `hoechstens`.
using Bandtext = std::function<QStringList(const ttermin& t, int hoechstens)>;

// Lays the bands of `tag` out in `koerper`, lines `zeile` apart; every band is `abstand`
// pixels higher than its lines, the last of them the line between bands.
Zellenlage Legen(const TagDaten& tag, const QRect& koerper, int zeile, int abstand,
                 const Bandtext& text);

// The screen's layout of a cell of `groesse` in `schrift`, as AufBildschirm draws it.
Zellenlage BildschirmLage(const TagDaten& tag, QSize groesse, const QFont& schrift);

// Draws the cell at (0, 0) with the given size, in `schrift` (colour and style change per band).
// `speicher` (may be null) keeps the fitted lines for the next paint. The first cell of the
// calendar names its month in the header. A day with more tasks than room ends with "+N".
// Done tasks are dimmed and ticked; open tasks on a day before `heute` are marked overdue
// (`heute` 0: none are).
void AufBildschirm(QPainter& p, const TagDaten& tag, QSize groesse, const QFont& schrift,
                   Zeilenspeicher* speicher = nullptr, bool ersteZelle = false, double heute = 0);

// Draws the cell scaled into `ziel` in Arial 10 point with the printout colours; the first
// cell of a page names its month. Only whole lines are drawn: a day with more tasks than room
// ends with "+N weitere". Returns the numbers of the tasks it had no room for.
std::vector<qint32> ZeichnenAuf(QPainter& p, const QRect& ziel, const TagDaten& tag,
                                bool ersteZelle = false);

// The numbers of the tasks that ZeichnenAuf on `geraet` has no room for, without drawing.
std::vector<qint32> OhnePlatz(const QRect& ziel, const TagDaten& tag, QPaintDevice* geraet);

// The marks of a band whose lines are `zeile` pixels apart. A done task has a check mark at
// the right end of its first line, which its text leaves free; an overdue task a stripe
// down its left edge, beside the text.
int Hakengroesse(int zeile);
// The width the lines of task `t` may take of `breite`.
int Textbreite(const ttermin& t, int breite, int zeile);
QRect Hakenfeld(const QRect& band, int zeile);
// The check mark in `feld`: from the left down to the bottom, then up to the top right.
std::array<QPointF, 3> Haken(const QRectF& feld);
QRect Ueberfaelligstreifen(const QRect& band);

// Rounding of the scaled drawing: to the nearest whole number, halves to even.
int RundenGerade(double wert);

} // namespace Zellenzeichnung
