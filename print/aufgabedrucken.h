#pragma once

#include "model/taufgabe.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

// Prints the one-page sheet of a task on the current printer: title, date line, begin and
// duration of the stored task, advice text and the given notes. Reports a failure itself
// (the printing warning, then the top-level report); returns whether the sheet was printed.
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
// "08:00" for start slot 17, "01h00" for duration 1; empty outside the lists.
QString BeginnText(qint32 start);
QString DauerText(qint32 dauer);

// Every line of the sheet at `dpi`; l1 and l2 are the heights of "ß" in Arial 10 pt bold and
// regular on the printer.
std::vector<Zeile> Zeilen(const taufgabe& aufgabe, const QStringList& notiz, double datum, int dpi,
                          int l1, int l2);

} // namespace Aufgabenblatt
