#pragma once

#include "kalenderexport/icsdatei.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class TAppointmentItem;

// The connection to the user's desktop calendar, in the shape of the automation object the
// export drives: connect, CreateItem, and Quit on disconnect. Linux has no such object; every
// desktop calendar imports iCalendar, so connecting opens a new iCalendar document in the
// user's data folder, each Save adds an appointment and writes the file, and quitting hands
// the file to the desktop's handler for text/calendar (through xdg-open), which imports it.
//
// Every failure is thrown as KalenderFehler.
class TOutlookApplication final
{
public:
    static constexpr int olAppointmentItem = 1;

    TOutlookApplication() = default;
    ~TOutlookApplication() = default;
    TOutlookApplication(const TOutlookApplication&) = delete;
    TOutlookApplication& operator=(const TOutlookApplication&) = delete;

    // Opens a new document, e.g. ~/.local/share/Kistenlotse/termine-20260503-081500.ics.
    void Connect();
    bool Verbunden() const { return m_kalender.has_value(); }

    // Item type 1 gives an appointment item; other types are not offered.
    std::unique_ptr<TAppointmentItem> CreateItem(int typ);

    // Quits if connected, then releases the document.
    void Disconnect();
    // Hands the file to the desktop calendar through xdg-open and waits for its answer; does
    // nothing when no appointment was saved. A failed hand-over throws KalenderFehler naming
    // the file, which stays where it is.
    void Quit();
    // How long Quit waits for xdg-open. A handler still running then has the file open and
    // counts as a hand-over that worked.
    void setUebergabeFrist(int ms) { m_uebergabeFristMs = ms; }

    // Path of the document of the current connection (or of the last one).
    QString Dateipfad() const { return m_pfad; }
    // Appointments saved in the current connection.
    int Anzahl() const { return m_kalender ? m_kalender->Anzahl() : 0; }

    // Adds one appointment and writes the whole file; on failure the file and the document
    // keep the appointments saved before. Used by TAppointmentItem::Save.
    void TerminSpeichern(const QString& betreff, const QString& text, const Ortszeit& start,
                         const Ortszeit& ende);
    QByteArray Zeitzone() const;

private:
    // Runs xdg-open on the file; the reason in German when it failed, else empty.
    QString Uebergeben(const QString& pfad) const;

    std::optional<TIcsKalender> m_kalender;
    QString m_pfad;
    bool m_geschrieben = false;
    int m_uebergabeFristMs = 5000;
};

// One appointment; lives for the export of one task. Start and End are day numbers in local
// time (tageszahl.h) or moments.
class TAppointmentItem final
{
public:
    explicit TAppointmentItem(TOutlookApplication& anwendung);

    void setSubject(const QString& text) { m_subject = text; }
    void setBody(const QString& text) { m_body = text; }
    // Throw KalenderFehler when the value is no date of the years 1..9999.
    void setStart(double tag);
    void setStart(const QDateTime& moment);
    void setEnd(double tag);
    void setEnd(const QDateTime& moment);

    QString Subject() const { return m_subject; }
    QString Body() const { return m_body; }
    Ortszeit Start() const { return m_start; }
    Ortszeit End() const { return m_end; }

    // Puts the appointment into the calendar file.
    void Save();

private:
    TOutlookApplication& m_anwendung;
    QString m_subject;
    QString m_body;
    Ortszeit m_start;
    Ortszeit m_end;
};

// True when the desktop has an application registered for text/calendar. Reports nothing.
bool OutlookVerfuegbar();
// The same question without waiting for the desktop, which may take seconds: `antwort` is
// called once from the event loop (false when xdg-mime gives no answer within 5 s), never
// after `kontext` is gone.
void OutlookVerfuegbarFragen(QObject* kontext, std::function<void(bool)> antwort);
