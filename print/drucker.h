#pragma once

#include <QPageLayout>
#include <QSize>
#include <QString>

#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

// The printer every printout uses, as chosen in the printer setup dialog: its paper and
// resolution. Made on first use; lives until the application ends.
QPrinter& AktuellerDrucker();

// Where the printouts go: a CUPS queue ("drucker" or "drucker/instanz"), or, when empty, a PDF
// file that each printout asks for. At first the system's default queue, else PDF files.
QString DruckerWarteschlange();
void WarteschlangeSetzen(const QString& name);

// The folder proposed for the next PDF file: the one used last while it exists, else the
// documents folder (or home).
QString PdfOrdner();
void PdfOrdnerSetzen(const QString& ordner);

// Takes the printer setting kept in the settings file `pfad` (model/druckereinstellung.h) and
// keeps the later ones there. Without it (tests) nothing is read or written.
void DruckereinstellungenLaden(const QString& pfad);
// Keeps the setting in force in the settings file: after the print setup was confirmed.
void DruckereinstellungSichern();

// Asks where a printout into a PDF file goes, proposing `vorschlag`; empty when the user
// cancelled. Without one set (tests set their own), the file dialog "In PDF-Datei drucken".
using Dateiwahl = std::function<QString(QWidget* eltern, const QString& vorschlag)>;
void DateiwahlSetzen(Dateiwahl wahl);

// The warning every failed printout shows, with the single button "Abbrechen".
extern const QString DruckfehlerText;

// A failure while printing, carrying the text the top-level report shows.
class Druckfehler final : public std::runtime_error
{
public:
    explicit Druckfehler(const QString& text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

// What a page learns of the printer once its job has begun.
struct Druckseite
{
    int dpi = 0;   // vertical resolution
    QSize groesse; // printable width and height in dots
};

// One printout: its pages, all in one orientation, whatever the printer setup says.
struct Ausdruck
{
    QPageLayout::Orientation lage = QPageLayout::Portrait;
    QString name; // the document's name: title of the PDF file, job name in the print queue
    // The name proposed for a PDF file ("Umzugskalender.pdf"); `name` and ".pdf" when not set.
    QString dateiname;
    int seiten = 1;
    // The job name of page `seite` (from 1) in the print queue; `name` when not set.
    std::function<QString(int seite)> auftragsname;
};

enum class Druckergebnis
{
    Gedruckt,
    Abgebrochen, // the user kept the existing file
    Gescheitert  // the warning and the report have been shown
};

// Prints the pages of `ausdruck` on the shared printer, `zeichnen` drawing page `seite` (from
// 0), with the wait cursor. Through a print queue every page is a print job of its own, handed
// on when complete. Into a PDF file the whole printout is one file, whose name the user
// chooses (Dateiwahl: the printout's own name in PdfOrdner), which replaces an existing file
// only after the user agreed to it; a new file gets the mode the umask allows, a replaced one
// keeps its mode. Either way the status line is told where the printout went
// (DruckmeldungSetzen).
//
// A failure ends the printout: the page being drawn is dropped (a file is left as it was),
// pages handed on before stay, the printing warning is shown and then the top-level report
// with the failure's own text.
Druckergebnis Drucken(QWidget* eltern, const Ausdruck& ausdruck,
                      const std::function<void(QPainter&, const Druckseite&, int seite)>& zeichnen);

// Who hears where a printout went: the main window's status line. Empty: nobody.
void DruckmeldungSetzen(std::function<void(const QString&)> melden);

// The CUPS options of a job: the queue's saved options (lpoptions) with the paper and the
// orientation of the page on top.
std::vector<std::pair<QByteArray, QByteArray>>
Druckoptionen(const std::vector<std::pair<QByteArray, QByteArray>>& gespeichert,
              const QPageLayout& seite);
