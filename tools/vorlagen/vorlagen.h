#pragma once

#include "print/vorlagenmass.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

// The print templates: four postcards and two flat protocols, all at 150 dots per inch.
//
// A postcard is printed on one landscape sheet: the back picture holds the address side on
// the left and leaves the right half free, where the printing draws the front picture
// unscaled at VorderseitePosition (print/vorlagenmass.h). Cut out along the crop marks and
// folded at the middle mark, the sheet becomes a DIN A6 card (105 × 148 mm) with the picture
// on one side and the address on the other; the address side is turned by a quarter, as on
// any upright picture postcard.
namespace Vorlagen {

using Vorlagenmass::VorderseitePosition;
constexpr QSize KartenGroesse{620, 874}; // A6 upright
constexpr QRect VorderseitenFlaeche{VorderseitePosition, KartenGroesse};
// The address side lies left of the fold, mirroring the picture side.
constexpr QRect AnschriftFlaeche{
    QPoint{VorderseitePosition.x() - KartenGroesse.width(), VorderseitePosition.y()},
    KartenGroesse};
constexpr QSize RueckseitenGroesse{VorderseitePosition.x() * 2,
                                   KartenGroesse.height() + 2 * VorderseitePosition.y()};
// A4 upright is 1240 × 1754 at 150 dpi; a little less leaves room for the printer's margins.
constexpr QSize ProtokollGroesse{1200, 1700};
constexpr QSize VorschauGroesse{64, 90};

// The headline of a postcard front ("Neue_Anschrift", "umgezogen" …: the file name without
// "_front.gif"); lines are separated by '\n'.
QString Titel(const QString& vorderseite);

// Drawn in full colour, before the palette reduction.
QImage rueckseite();
QImage haeuser();
QImage neueAnschrift();
QImage solitude();
QImage umgezogen();
enum class Protokoll
{
    Uebernahme,
    Uebergabe
};
QImage protokoll(Protokoll art);

struct Datei
{
    QString name; // relative to the templates folder
    QImage bild;  // palette picture for a GIF, otherwise full colour for a PNG
};

// Every file of the templates folder: the seven GIFs and the previews of the fronts.
std::vector<Datei> alleDateien();

// Writes alleDateien() into ordner (and its vorschau/ subfolder). Same input, same bytes.
bool schreiben(const QString& ordner, QString* fehler);

} // namespace Vorlagen
