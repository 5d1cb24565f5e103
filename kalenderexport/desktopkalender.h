#pragma once

#include "kalenderexport/kalenderziel.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

// The calendar program of the desktop. Every desktop calendar imports iCalendar, so an export
// writes one new file in the program's data folder (~/.local/share/Kistenlotse, only the user's:
// folder 0700, files 0600, the notes may be private), adds each appointment to it as it is
// entered, and on closing hands the file to the desktop's handler for text/calendar through
// xdg-open. Whether the calendar then imports the appointments is the calendar's business:
// "übergeben" is all this side can know.
class Desktopkalender final : public Kalenderziel
{
public:
    Desktopkalender();
    ~Desktopkalender() override;

    // Opens a new document, e.g. ~/.local/share/Kistenlotse/termine-20260503-081500.ics.
    void Oeffnen() override;
    void TerminEintragen(const Kalendertermin& termin) override;
    // Runs xdg-open on the file when an appointment was entered. Without a desktop of its own
    // xdg-open runs the handler and waits for it: a handler still busy after the time limit is
    // left running and reported as Offen.
    void Schliessen(std::function<void(const Uebergabeergebnis&)> fertig) override;

    bool Offen() const { return m_kalender.has_value(); }
    // How long Schliessen waits for xdg-open's answer.
    void setUebergabeFrist(int ms) { m_uebergabeFristMs = ms; }
    // Path of the document of the current export (or of the last one).
    QString Dateipfad() const { return m_pfad; }
    // Appointments entered in the current export.
    int Anzahl() const { return m_kalender ? m_kalender->Anzahl() : 0; }

private:
    std::optional<TIcsKalender> m_kalender;
    QString m_pfad;
    bool m_geschrieben = false;
    int m_uebergabeFristMs = 5000;
    std::unique_ptr<QObject> m_kontext; // ends pending answers when the target goes
};

// True when the desktop has an application registered for text/calendar. Reports nothing.
bool DesktopkalenderVorhanden();
// The same question without waiting for the desktop, which may take seconds: `antwort` is
// called once from the event loop (false when xdg-mime gives no answer within 5 s), never
// after `kontext` is gone.
void DesktopkalenderFragen(QObject* kontext, std::function<void(bool)> antwort);
