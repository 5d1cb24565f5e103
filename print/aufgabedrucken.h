#pragma once

#include "model/taufgabe.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

// Prints the sheet of a task on the current printer: title, date line, begin and duration of
// the stored task, advice text and the given notes. Notes that do not fit go on to further
// sheets, so that the first sheet always carries the date. Reports a failure itself (the
// printing warning, then the top-level report); returns whether the sheet was printed.
bool AufgabeDrucken(QWidget* eltern, const taufgabe& aufgabe, const QStringList& notiz,
                    double datum);

// The sheet's text and where it goes, in printer dots from the top-left of the printable area.
namespace Aufgabenblatt {

enum class Schrift
{
    Titel, // Arial 20 pt bold
    Text   // Arial 10 pt regular
};

struct Zeile
{
    QString text;
    Schrift schrift = Schrift::Text;
    QPoint lage; // top-left corner of the text
};

// "Montag, Mai 7, 2001": German names whatever the machine's locale.
QString DatumText(double tag);
// "08:00" for start slot 17, "01h00" for duration 1; values outside the lists are clamped
// into them, as the task dialogs and the command-line tool show them.
QString BeginnText(qint32 start);
QString DauerText(qint32 dauer);

// Every line of the sheet at `dpi` on paper without end; l1 and l2 are the heights of "ß" in
// Arial 10 pt bold and regular on the printer.
std::vector<Zeile> Zeilen(const taufgabe& aufgabe, const QStringList& notiz, double datum, int dpi,
                          int l1, int l2);

struct Blattmass
{
    int dpi = 0;
    int l1 = 0;
    int l2 = 0;
    QSize seite;        // printable area in dots
    int titelzeile = 0; // line step of the title font
    // Width of a text in the title font.
    std::function<int(const QString&)> titelbreite;
};

// The title broken at blanks (inside a word only when the word alone is too wide) into lines
// no wider than `breite`.
QStringList TitelUmbrechen(const QString& titel, int breite,
                           const std::function<int(const QString&)>& messen);

// The title in one line no wider than `breite`, shortened with "..." where it is wider.
QString TitelKurz(const QString& titel, int breite,
                  const std::function<int(const QString&)>& messen);

// The sheets of a task on paper of `mass.seite`: the title wrapped to the paper, everything
// below it moved down by the title's extra lines; description and notes that do not fit go
// on to further sheets, each headed with the title in one line (TitelKurz). The first sheet
// always ends with the date, begin and duration lines. Every sheet keeps a bottom margin as
// wide as its top margin (1 cm), above the line "Blatt n von m" when there is more than one.
// The wrapped lines of one note paragraph (each but the last ending in a blank) stay on one
// sheet where they fit on one.
std::vector<std::vector<Zeile>> Blaetter(const taufgabe& aufgabe, const QStringList& notiz,
                                         double datum, const Blattmass& mass);

} // namespace Aufgabenblatt
