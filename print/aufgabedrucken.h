#pragma once

#include "model/taufgabe.h"

#include <QStringList>

class QWidget;

// Prints the one-page sheet of a task on the current printer: title, date line, begin and
// duration of the stored task, advice text and the given notes. Reports a failure itself
// (the printing warning, then the top-level report); returns whether the sheet was printed.
bool AufgabeDrucken(QWidget* eltern, const taufgabe& aufgabe, const QStringList& notiz, double datum);
