#pragma once

#include "model/taufgabe.h"

#include <QString>

class QWidget;
class TOutlookApplication;

// The export of every task of the plan as an appointment into the desktop calendar.

// The question before the export, announcing `anzahl` appointments.
QString OutlookFrage(qsizetype anzahl);
QString OutlookErfolgsmeldung();
QString OutlookFehlermeldung();

// The export behind the main window's "An Outlook" button. A task whose appointment no
// calendar file can carry (NichtUebertragbarMeldung) stops it before the question, with a
// warning naming such tasks; nothing is exported then and the button stays enabled. Asks first; on
// "OK" connects, makes one appointment per task in list order and disconnects, which hands the
// appointments to the desktop calendar; then reports success, or the failure twice (the warning,
// then the failure's own text as the top-level report). Appointments saved before a failure stay.
//
// Returns true when an attempt was made; `outlookButton` (may be null) is then disabled, as
// the export runs once per program run. "Abbrechen" changes nothing and returns false.
bool OutlookButtonClick(QWidget* eltern, QWidget* outlookButton, const Aufgabenliste& aufgaben,
                        TOutlookApplication& outlookApplication1);
