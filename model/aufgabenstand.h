#pragma once

#include "model/taufgabe.h"

#include <QtGlobal>

#include <cmath>

// Overdue: not ticked off and its day lies before today (`heute`, a whole day number of
// model/uhr.h's today). A task of today is not overdue, whatever its hour.
inline bool Ueberfaellig(const taufgabe& aufgabe, qint32 heute)
{
    return !aufgabe.Erledigt && std::floor(aufgabe.Tag) < heute;
}
