#pragma once

#include <QString>

// The printer setting of the printouts, kept in the settings file (section [drucker]) so that
// it holds after the next start. The section is written only once the user has confirmed a
// print setup or printed into a file: a settings file of someone who never printed stays as it
// was.
struct Druckereinstellung
{
    bool bestaetigt = false; // the user confirmed a print setup
    QString drucker;         // the print queue ("name" or "name/instanz"); empty: a PDF file
    QString papier;          // the paper's key, as QPageSize names it ("A4")
    QString pdfOrdner;       // the folder of the last printout into a PDF file; empty: none yet
};

// What the settings file at `pfad` holds; a missing or unreadable file gives nothing confirmed.
Druckereinstellung DruckereinstellungLesen(const QString& pfad);

// Each writes only its own keys, keeps every other section and key, makes a missing folder of
// the file and replaces the file atomically. False with a message in *fehler when the file
// cannot be read or written.
bool DruckerSchreiben(const QString& pfad, const QString& drucker, const QString& papier,
                      QString* fehler = nullptr);
bool PdfOrdnerSchreiben(const QString& pfad, const QString& ordner, QString* fehler = nullptr);
