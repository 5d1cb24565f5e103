#pragma once

#include "kalenderexport/icsdatei.h"

#include <QString>

#include <functional>

// The appointment of a task (TerminZeiten, TerminText). Throws KalenderFehler naming the task
// when a time is no date of the years 1..9999.
Kalendertermin TerminDerAufgabe(const taufgabe& aufgabe);

// What became of the appointments handed to a target.
struct Uebergabeergebnis
{
    enum class Art
    {
        Uebergeben, // the target took them (or there was nothing to hand over)
        Offen,      // handed over; the target has not answered within the time limit
        Gescheitert // not handed over; `fehler` says why
    };
    Art art = Art::Gescheitert;
    QString datei;  // where the appointments lie as a file, empty when nowhere
    QString fehler; // for the user
};

// Where exported appointments go: the desktop's calendar program (Desktopkalender) today, a
// calendar server next. An export opens the target, enters the appointments one by one and
// closes it; appointments entered before a failure stay entered.
class Kalenderziel
{
public:
    Kalenderziel() = default;
    virtual ~Kalenderziel() = default;
    Kalenderziel(const Kalenderziel&) = delete;
    Kalenderziel& operator=(const Kalenderziel&) = delete;

    // Starts an export. Throws KalenderFehler.
    virtual void Oeffnen() = 0;
    // Throws KalenderFehler; the appointments entered before stay.
    virtual void TerminEintragen(const Kalendertermin& termin) = 0;
    // Ends the export and hands the appointments on. `fertig` is called once, later from the
    // event loop (never within this call, so the window stays usable while the target works),
    // and not at all once the target is gone.
    virtual void Schliessen(std::function<void(const Uebergabeergebnis&)> fertig) = 0;
};
