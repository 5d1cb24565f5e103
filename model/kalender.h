#pragma once

#include "model/tagdaten.h"
#include "model/taufgabe.h"

#include <QList>

#include <span>

// The calendar of whole weeks around a plan.
struct Kalenderspanne
{
    static constexpr int WenigsteTage = 35; // five weeks
    static constexpr int MeisteTage = 364;  // 52 weeks

    double ersterTag = 0; // a Monday
    int tage = WenigsteTage;
};

// From the Monday on or before the earliest task to the Sunday on or after the latest, at
// least five and at most 52 weeks. A plan without tasks shows five weeks from the week of
// `heute`. Tasks without a day (Tag not finite) count as absent.
Kalenderspanne SpanneBerechnen(double fruehesterTag, double spaetesterTag, double heute);
Kalenderspanne SpanneBerechnen(const Aufgabenliste& aufgaben, double heute);

// The Monday on or before the day.
double MontagDerWoche(double tag);

// ISO 8601 week number of the day.
int Kalenderwoche(double tag);

// The week number of every row of the calendar (each row's Monday).
QList<int> Kalenderwochen(const Kalenderspanne& spanne);

// Hands every task to the cell of its day; cells[i] shows ersterTag + i. Tasks outside the
// cells get no appointment. The cells are emptied first.
void AufgabenVerteilen(const Aufgabenliste& aufgaben, std::span<TagDaten* const> zellen);
