#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What screen readers learn of the image buttons: a push button with the caption of its
// picture as its name, which the press action clicks once the action has returned.
QAccessibleInterface* BildknopfZugang(const QString& klasse, QObject* objekt);

// Installs BildknopfZugang once per program.
void BildknopfZugangEinrichten();
