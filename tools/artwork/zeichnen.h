#pragma once

// The generator is built on its own, without the program's include path.
#include "../../widgets/farben.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>

// Colours and motifs shared by all pictures, so that buttons, logo and pictures form one
// design: the program's blues and light yellow, with warm cardboard for the boxes.
namespace Palette {
// The program's own colours, named in widgets/farben.h.
inline const QColor& Dunkelblau = Farben::Dunkelblau;
inline const QColor& Mittelblau = Farben::Mittelblau;
inline const QColor& Hellblau = Farben::Hellblau;
inline const QColor& Hellgelb = Farben::Hellgelb;
inline const QColor& Orange = Farben::Orange;
// The pictures' own: cardboard, tape and leaves.
inline const QColor Karton{222, 172, 104};
inline const QColor KartonHell{240, 204, 146};
inline const QColor KartonDunkel{168, 118, 62};
inline const QColor Klebeband{196, 150, 86};
inline const QColor Blatt{86, 160, 92};
inline const QColor BlattDunkel{52, 118, 66};
} // namespace Palette

// Liberation Sans, the program's stand-in for Arial.
QFont Schrift(int pixel, bool fett);

// The pictures are drawn in their size on a normal screen times this factor (1 or 2), for
// screens with twice the pixel density.
void MassstabSetzen(int faktor);

// An ARGB image of the given size times the scale, filled with `grund`. Painters on it draw in
// the unscaled size.
QImage NeuesBild(int breite, int hoehe, const QColor& grund = Qt::transparent);

// A painter with antialiasing for shapes and text.
void Vorbereiten(QPainter& p);

// The drawings kept as SVG (resources/artwork/svg and the program's icon) are built into the
// generator as resources ":/svg/<file>". Draws the file fitted into `ziel`; a file that does
// not load stops the generator.
void SvgZeichnen(QPainter& p, const QString& datei, const QRectF& ziel);

// A moving box seen slightly from above and from the right: `front` is the front face,
// `tiefe` the depth of the top face. `etikett` draws a small label with a house on it.
void KistenZeichnen(QPainter& p, const QRectF& front, qreal tiefe, bool etikett = false);

// A house: walls in `rahmen`, roof on top, door and windows.
void HausZeichnen(QPainter& p, const QRectF& rahmen);

// A moving van in side view, facing right, standing on the bottom edge of `rahmen`.
void TransporterZeichnen(QPainter& p, const QRectF& rahmen);

// The program's mark: a moving box with a roof, so a box that is a home. Drawn from the group
// "marke" of the program's icon, its box "marke-rahmen" fitted into `rahmen`.
void MarkeZeichnen(QPainter& p, const QRectF& rahmen);

// A ship's wheel around a moving box: the pilot ("Lotse") of the boxes.
void SteuerradZeichnen(QPainter& p, const QPointF& mitte, qreal radius);

// A round tree with trunk, standing on the bottom edge of `rahmen`.
void BaumZeichnen(QPainter& p, const QRectF& rahmen);

// A soft cloud.
void WolkeZeichnen(QPainter& p, const QRectF& rahmen);

// A potted plant, standing on the bottom edge of `rahmen`.
void PflanzeZeichnen(QPainter& p, const QRectF& rahmen);
