#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Dates are day numbers: days since 30 December 1899 (day 0) as a double; the whole part is
// the date, the fraction the time of day. Plan files depend on this epoch. QDate appears only
// at the edges.
namespace Tageszahl {

constexpr qint64 EpocheJulianisch = 2415019; // Julian day of 30.12.1899

double ausDatum(QDate datum);
double ausDatumZeit(const QDateTime& zeitpunkt);
QDate zuDatum(double tag);
double jetzt();
double heute();

// 1 = Sunday … 7 = Saturday
int Wochentag(double tag);
constexpr int Sonntag = 1;

// "dd.mm.yyyy"; an empty text when the day number lies outside the years 1..9999.
QString Text(double tag);
// Reads "d.m.yyyy" or "dd.mm.yyyy" with a four-digit year; false when it is no date.
bool ausText(const QString& text, double* tag);

} // namespace Tageszahl
