#pragma once

#include "model/plandatei.h"

#include <QString>

class Kalenderziel;
class Plandokument;
class QFileDialog;
class QWidget;

// The file commands of the main window on its plan document: the two file dialogs, the
// questions before something is replaced, and the messages of failures.
class Plandateibefehle
{
public:
    Plandateibefehle(Plandokument& dokument, QWidget* fenster);

    // Made on first use; object names "SaveDialog1" and "OpenDialog1".
    QFileDialog* Speicherdialog();
    QFileDialog* Ladedialog();

    // Saves through the file dialog; asks before it replaces what a second writer wrote.
    // True when the plan was saved.
    bool Speichern();
    enum class Oeffnung
    {
        Abgebrochen, // no file chosen
        Geladen,     // the plan was replaced
        Fehler       // reported; the plan is as it was
    };
    // Loads a plan chosen in the file dialog.
    Oeffnung Oeffnen(Ladebericht* bericht);
    // Loads `pfad`; a failure is reported. True when the plan was replaced.
    bool Laden(const QString& pfad, Ladebericht* bericht);

    // The calendar export of every task to `ziel` (TermineExportieren), with the plan's ID
    // (a new one becomes the plan's once the export ran) and the reminder kept in the settings
    // file, where the choice is written back. True when an attempt was made.
    bool Exportieren(QWidget* exportKnopf, Kalenderziel& ziel);

    // Before the plan is dropped: with unsaved changes, asks `frage` ("Trotzdem …?") after
    // the sentence that says so. True when the plan may go.
    bool VerwerfenErlaubt(const QString& frage) const;

private:
    // Whether saving to `pfad` may go on: Ja, Nein (another name) or Abbrechen.
    int UeberschreibenErlaubt(const QString& pfad) const;

    Plandokument& m_dokument;
    QWidget* m_fenster;
    QFileDialog* m_speichern = nullptr;
    QFileDialog* m_laden = nullptr;
};
