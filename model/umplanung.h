#pragma once

#include "model/katalog.h"
#include "model/situation.h"
#include "model/taufgabe.h"

#include <QStringList>

#include <span>

// A plan worked out anew for a changed situation, before it replaces the old one, so that the
// caller can ask about what would be lost and then take it over as one step (Plan::Umplanen,
// Plan::UmplanungUebernehmen).
struct Umplanung
{
    Aufgabenliste aufgaben; // the new plan
    Situation situation;    // the new situation, with the old plan's ID
    double stichtag = 0;
    bool keineAbfolge = false; // the search gave up (Plan::KeineAbfolgeText)
    double verschiebung = 0;   // whole days the moving day moved
    // Catalogue tasks of the old plan that the new situation no longer holds; not in aufgaben.
    Aufgabenliste weggefallen;
    // The order check on aufgaben, one line per broken relation (as for a moved task).
    QStringList konflikte;

    // Those of weggefallen with a note or ticked off: not to be dropped without asking.
    Aufgabenliste WegfallendeMitInhalt() const;
};

// The catalogue planned again for `neu` between the two days (the plan search of Plan), with
// the work on the old plan (`aufgaben` made for `alt`) carried over:
//   - catalogue tasks that remain get the new days and keep their notes, their done state and
//     begin and duration where the user changed them;
//   - catalogue tasks the old situation held but the old plan lacks were deleted by the user
//     and stay away; those the old situation did not hold come new;
//   - the user's own tasks keep everything and, with `eigeneVerschieben`, move by as many days
//     as the moving day did (without a moving task in the old plan: as the middle of the
//     window between the dates did).
// A pure function: the caller shows what it must and takes the result over.
Umplanung Umplanen(const Aufgabenliste& aufgaben, const Situation& alt, const Situation& neu,
                   double einzugdatum, double auszugdatum, bool eigeneVerschieben,
                   std::span<const Taufgdata> katalog = Aufgabenkatalog());
