#pragma once

#include <QDateTime>

// The program's one clock. Everything that needs "now" or "today" asks it, so that a test can
// fix the moment for the whole program (and a day boundary cannot fall between two reads of
// different clocks).
namespace Uhr {

// The local time now, or the fixed moment.
QDateTime Jetzt();
// Jetzt() in UTC.
QDateTime JetztUtc();
QDate Heute();

// Fixes the clock at `zeitpunkt` (local time); an invalid one gives the real clock back.
void Festsetzen(const QDateTime& zeitpunkt);

} // namespace Uhr
