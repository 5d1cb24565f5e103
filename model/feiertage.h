#pragma once

#include <QDate>
#include <QList>
#include <QString>

// Public holidays by federal-state code (Bundesland::Code).
// AnderesAusland and every other code (0, -1 from a file without the key, above 17) add nothing to
// the nationwide days. Sundays are no holidays here; callers test for Sunday themselves.
bool IstFeiertag(int jahr, int monat, int tag, int land);

struct Feiertag
{
    QDate Datum;
    QString Name;
};

// The holidays of one year for one state, in date order; a day that is two holidays at once
// appears once, with both names.
QList<Feiertag> FeiertageDesJahres(int jahr, int land);

// Easter Sunday by the Gregorian computus.
QDate Ostersonntag(int jahr);
