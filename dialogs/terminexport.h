#pragma once

#include "kalenderexport/erinnerung.h"
#include "model/taufgabe.h"

#include <QString>

#include <optional>

class Kalenderziel;
class QWidget;

// The export of every task of the plan as an appointment to the user's calendar program.

// The question before the export, announcing `anzahl` appointments; `aktualisieren`: the
// appointments carry the plan's identity, so a calendar updates those it has already.
QString ExportFrage(qsizetype anzahl, bool aktualisieren = false);
// `aktualisieren` as for the question.
QString ExportErfolgsmeldung(bool aktualisieren = false);
QString ExportFehlermeldung();
// The calendar program has not answered yet: what is known is where the file went.
QString ExportOffenMeldung(const QString& datei);

// The export behind the main window's "An Kalender" button. A task whose appointment no
// calendar file can carry (NichtUebertragbarMeldung) stops it before the question, with a
// warning naming such tasks; nothing is exported then and the button stays enabled. Asks
// first; on "OK" enters one appointment per task in list order into `ziel` and closes it,
// which hands the appointments on. The result is reported when the target answers, while
// the window stays usable: success, what is known when the answer is still open, or the
// failure twice (the warning, then the failure's own text as the top-level report).
// Appointments entered before a failure are still handed on.
//
// What the export knows beyond the tasks.
struct Exportangaben
{
    // With the plan's ID every appointment keeps its UID from export to export and its
    // SEQUENCE rises when the task changed (Exportstand); without one each export makes new
    // appointments.
    QString planId;
    // When set, the question offers "Erinnerung:" with this choice made; the user's choice is
    // written back (for the settings) when the export runs.
    std::optional<Erinnerung> erinnerung;
};

//
// Returns true when an attempt was made. Without a plan ID `exportKnopf` (may be null) is then
// disabled, as such an export would double the appointments; with one the plan may be
// exported again after a change. "Abbrechen" changes nothing and returns false.
bool TermineExportieren(QWidget* eltern, QWidget* exportKnopf, const Aufgabenliste& aufgaben,
                        Kalenderziel& ziel, Exportangaben* angaben = nullptr);
