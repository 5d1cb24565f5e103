#pragma once

#include <QLatin1String>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class QColor;
class QComboBox;
class QDialog;
class QLabel;
class QWidget;
class TDateEdit;
class TQvImageButton;

// The common frame of the program's dialogs, and the small control makers they share.
namespace Dialograhmen {

constexpr int Breite = 632;
constexpr int Hoehe = 453;
constexpr int Spalte = Breite - 120; // the column of the image buttons

// A fixed 632 x 453 white dialog with the decoration column at the right ("Image1"), the
// logo at the top right ("Image2") and the picture at the bottom left ("Image3", at `bildOben`).
void Einrichten(QDialog* dialog, int bildOben = Hoehe - 184);

// A label sized to its text at `ort`.
QLabel* Beschriftung(QWidget* eltern, const char* name, const QString& text, QPoint ort);
// An image button in the button column at the height `oben`.
TQvImageButton* Bildknopf(QWidget* eltern, const char* name, QLatin1String bild, int oben);
// A date field whose pop-up calendar has the title "Wählen Sie ein Datum" and `farbe`.
TDateEdit* Datumsfeld(QWidget* eltern, const char* name, QRect lage, const QColor& farbe);
// A selection-only drop-down list.
QComboBox* Auswahl(QWidget* eltern, const char* name, const QStringList& texte, QRect lage);
// Fills the control with light yellow, the background of the task dialogs' fields.
void Hellgelb(QWidget* w);

} // namespace Dialograhmen
