#pragma once

#include "model/situation.h"
#include "model/taufgabe.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;
class QWidget;

// The checklist printout: every task of the plan by day and begin, grouped by calendar week,
// one row each with a tick box (ticked when done), the day, the begin, the title and the tasks
// it must follow, on portrait pages under a head naming the plan; "Seite n von m" at the foot
// when there is more than one page.
namespace Checkliste {

// One task's row.
struct Zeile
{
    double tag = 0;
    qint32 start = 0;
    QString titel;
    QStringList nach; // titles of the plan's tasks this one must follow
    bool erledigt = false;
};

// The rows of one calendar week, or of the tasks whose day is no date.
struct Woche
{
    QString kopf; // "Woche 6 · 8. – 14. Februar 2027"
    std::vector<Zeile> zeilen;
};

// Every task by day and begin (equal ones in the list's order), grouped by ISO week; tasks
// whose day is no date come last under "Ohne gültiges Datum".
std::vector<Woche> Wochen(const Aufgabenliste& aufgaben);

// The head of the week that holds `tag`: "Woche 6 · 8. – 14. Februar 2027",
// "Woche 13 · 29. März – 4. April 2027", "Woche 53 · 28. Dezember 2026 – 3. Januar 2027".
QString Wochenkopf(double tag);
// "Mi 12.09."; empty when the day is no date.
QString TagKurz(double tag);
// "nach: Packen, Umziehen"; empty for none.
QString NachText(const QStringList& titel);
// The line under the head: "Umzug am Mittwoch, 12. September 2001 · Einzug ab dem 10.09.2001 ·
// Auszug vor dem 14.09.2001", each part only when known.
QString Plantext(const Situation& situation, const Aufgabenliste& aufgaben);
// "2 von 33 erledigt".
QString Fortschritt(const Aufgabenliste& aufgaben);

// Line heights and widths of the printout's fonts on the printer.
struct Schriftmass
{
    int kopfzeile = 0;   // the head "Umzugscheckliste", 16 pt bold
    int wochenzeile = 0; // week heads, 11 pt bold
    int zeile = 0;       // rows, 10 pt
    int kleinzeile = 0;  // the tasks to follow, column captions and the foot, 8 pt
    std::function<int(const QString&)> breite;      // of a text in the rows' font
    std::function<int(const QString&)> kleinbreite; // in the small font
};

// Where things go on a page, in dots from the top-left of the printable area.
struct Seitenmass
{
    QSize seite;
    int rand = 0;   // blank on all four sides
    int kasten = 0; // side of a tick box
    int tagX = 0;   // left edges of the columns
    int beginnX = 0;
    int titelX = 0;
    int kopfhoehe = 0;   // the head with the plan line, on the first page
    int spaltenkopf = 0; // the column captions, at the top of every page's rows
    int fusshoehe = 0;   // the band of "Seite n von m"
    int luft = 0;        // above and below the text of a row
    int wochenhoehe = 0; // a week's head with the space above it

    int TitelBreite() const { return seite.width() - rand - titelX; }
    // Top of the rows on the first page and on later ones.
    int RumpfOben(bool erste) const { return rand + (erste ? kopfhoehe : 0) + spaltenkopf; }
    // Bottom of the rows, above the foot band.
    int RumpfUnten() const { return seite.height() - rand - fusshoehe; }
    // The tick box of a row whose top is `oben`, centred on its first line.
    QRect Kasten(int oben, int zeile) const;
};

// The page at `dpi` with a printable area of `seite` dots: a margin of 1.5 cm, columns for the
// box, the day ("Mo 30.09.") and the begin ("00:00"), the title to the right edge.
Seitenmass Mass(int dpi, QSize seite, const Schriftmass& schrift);

// What one page draws, top to bottom.
struct Block
{
    enum class Art
    {
        Woche,  // a week's head (text in `titel`)
        Aufgabe // a task's row
    };
    Art art = Art::Aufgabe;
    Zeile zeile;            // the task of a row
    QStringList titel;      // the title's lines, or the week's head
    QStringList nach;       // the lines naming the tasks to follow
    bool tagZeigen = false; // the day is written: first row of its day on the page
    int hoehe = 0;
};

using Seite = std::vector<Block>;

// The rows of `wochen` on pages: a title wraps into up to three lines and the tasks to follow
// into up to three more, the last of each shortened with "..." where it is longer; a week's
// head never ends a page without a row below it, and a week that goes on to the next page
// begins it with its head and "(Fortsetzung)". Always at least one page.
std::vector<Seite> Umbrechen(const std::vector<Woche>& wochen, const Seitenmass& mass,
                             const Schriftmass& schrift);

// Everything a printout of a plan draws, laid out for one printer.
struct Druckbild
{
    std::vector<Woche> wochen;
    Schriftmass schrift;
    Seitenmass mass;
    std::vector<Seite> seiten;
    QString plantext;
    QString fortschritt;
};

// The plan laid out on pages of `seite` dots at `dpi`, measured as on a printer of that
// resolution.
Druckbild Setzen(const Aufgabenliste& aufgaben, const Situation& situation, int dpi, QSize seite);

// Draws page `nummer` (from 0) of `bild`.
void SeiteZeichnen(QPainter& p, const Druckbild& bild, int nummer);

} // namespace Checkliste

// Prints the checklist of the plan on the current printer, portrait. Reports a failure itself
// (the printing warning, then the top-level report); returns whether it was printed.
bool ChecklisteDrucken(QWidget* eltern, const Aufgabenliste& aufgaben, const Situation& situation);
