#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <utility>
#include <vector>

class QPainter;

// Small pieces of the postcard pictures, drawn with a dark outline in a flat style that a
// palette of 256 colours keeps without banding.
namespace Motive {

void fenster(QPainter& p, const QRectF& glas, const QColor& glasFarbe);
void herz(QPainter& p, QPointF mitte, double groesse, const QColor& farbe);
// A closed cardboard box with tape and an optional label.
void umzugskarton(QPainter& p, const QRectF& rahmen, const QString& aufschrift);
void wolke(QPainter& p, QPointF mitte, double massstab);
void busch(QPainter& p, QPointF fuss, double radius, const QColor& farbe);
void hausSymbol(QPainter& p, QPointF fuss, double groesse, const QColor& linie,
                const QColor& fuellung);
// A hill line across the whole width: points are (fraction of the width, offset from hoehe).
void huegel(QPainter& p, double hoehe, const std::vector<std::pair<double, double>>& punkte,
            const QColor& farbe);
void landhaus(QPainter& p, QPointF fuss, double massstab);
void pappel(QPainter& p, QPointF fuss, double massstab, const QColor& farbe);
void voegel(QPainter& p, const std::vector<QPointF>& orte, const QColor& farbe);
// Pale houses along the horizon, standing on grund, across the whole width.
void stadtsilhouette(QPainter& p, double grund, const QColor& farbe);
// A removal van facing left, filling rahmen; the wheels stand on its bottom edge.
void umzugswagen(QPainter& p, const QRectF& rahmen);

} // namespace Motive
