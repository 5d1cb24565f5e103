#pragma once

#include "model/tagdaten.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>

class QPainter;

// Drawing a day cell: on the screen in its own 164-pixel area, and scaled into any rectangle
// of any canvas for the printout.
namespace Zellenzeichnung {

struct Farbsatz
{
    QColor kopfFrei;     // header of a Sunday or holiday
    QColor kopf;         // header of any other day
    QColor kopfText;
    QColor koerperA;     // free days, Monday, Wednesday, Friday
    QColor koerperB;     // Tuesday, Thursday, Saturday
    QColor band;
    QColor umziehenText; // task 7, bold
    QColor text;
    QColor kante;
};

const Farbsatz& Bildschirm();
const Farbsatz& Ausdruck();

// Sunday or holiday.
bool FreierTag(const TagDaten& tag);
// "5.3." for 5 March.
QString KopfText(double datum);
QColor KopfFarbe(const TagDaten& tag, const Farbsatz& farben);
QColor KoerperFarbe(const TagDaten& tag, const Farbsatz& farben);

// Remembers the fitted lines of a cell's bands between paints: fitting measures text, which
// costs far more than drawing it, and most cells do not change between two paints.
class Zeilenspeicher
{
public:
    QStringList Zeilen(const ttermin& t, int breite, int hoechstens, const QFontMetrics& titelFm,
                       const QFontMetrics& notizFm);

private:
    QHash<QString, QStringList> m_zeilen;
    int m_breite = -1;
};

// The screen font of the cells.
QFont ZellenSchrift();

// Draws the cell at (0, 0) with the given size, in `schrift` (colour and style change per band).
// `speicher` (may be null) keeps the fitted lines for the next paint.
void AufBildschirm(QPainter& p, const TagDaten& tag, QSize groesse, const QFont& schrift,
                   Zeilenspeicher* speicher = nullptr);

// Draws the cell scaled into `ziel` in Arial 10 point with the printout colours.
void ZeichnenAuf(QPainter& p, const QRect& ziel, const TagDaten& tag);

// Rounding of the scaled drawing: to the nearest whole number, halves to even.
int RundenGerade(double wert);

} // namespace Zellenzeichnung
