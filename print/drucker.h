#pragma once

#include <QPageLayout>
#include <QSize>
#include <QString>

#include <functional>
#include <stdexcept>

class QPainter;
class QPrinter;
class QWidget;

// The printer every printout uses, as chosen in the printer setup dialog: a CUPS queue, or a
// PDF file. Made on first use; lives until the application ends.
QPrinter& AktuellerDrucker();

// The platform's printer setup dialog for the shared printer; its choice holds for all later
// printouts. True when the user confirmed it.
bool DruckerEinrichten(QWidget* eltern);

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

struct Auftrag
{
    QPageLayout::Orientation lage = QPageLayout::Portrait;
    QString name;   // the document name in the print queue
    int nummer = 1; // this job's place in the print run …
    int anzahl = 1; // … of so many jobs; printed to a file, a run of several writes "name-1.pdf" …
    bool eineKopie = false; // the templates count their copies themselves
};

// One print job on the shared printer: wait cursor, orientation, begin, `zeichnen`, end. The
// page is drawn into a private file first and reaches the printer queue (or the chosen PDF
// file) only when it is complete, so a failure anywhere cancels the whole job. On failure the
// printing warning is shown and the answer is false with the failure's text in `fehler`.
bool Druckauftrag(QWidget* eltern, const Auftrag& auftrag,
                  const std::function<void(QPainter&, const Druckseite&)>& zeichnen,
                  QString* fehler);

// The file a job of a print run writes when printing to `datei`.
QString AusgabeDatei(const QString& datei, int nummer, int anzahl);
