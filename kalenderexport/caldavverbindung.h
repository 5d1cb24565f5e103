#pragma once

#include "kalenderexport/caldavfehler.h"

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>

// The way to a CalDAV server: requests sent asynchronously over keep-alive connections, several
// at a time; authentication, redirects, certificate trust, time limits and the failures with
// their messages are handled here, so the callers see an answer or a CalDavFehler.

struct CalDavZugang
{
    QString Benutzer;
    QString Passwort;
    // SHA-256 fingerprints (Fingerabdruck()) of certificates the user trusted for this server;
    // where they are kept is the caller's matter.
    QStringList VertrauteZertifikate;
    int ZeitlimitMs = 30000; // without any data moving
};

struct CalDavAntwort
{
    int Status = 0;
    QByteArray Inhalt;
    QString Etag;
    QUrl Url; // after redirects
    // Set for a network failure and for every status of 400 or more (Status tells which).
    CalDavFehler Fehler;
};

struct CalDavKalender
{
    QUrl Url;
    QString Anzeigename;
};

struct CalDavFund
{
    QList<CalDavKalender> Kalender;
    QUrl Heimat; // where new calendars go; empty when the address was a calendar itself
};

class CalDavVerbindung final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalDavVerbindung)

public:
    using Kopfzeilen = QList<QPair<QByteArray, QByteArray>>;
    using Rueckruf = std::function<void(const CalDavAntwort&)>;

    explicit CalDavVerbindung(CalDavZugang zugang, QObject* parent = nullptr);
    ~CalDavVerbindung() override;

    // Sends a request; `fertig` is called once, also for failures and cancellation. A URL that
    // is neither https nor on this machine is refused without a request.
    void Anfrage(const QByteArray& methode, const QUrl& url, const QByteArray& inhalt,
                 const Kopfzeilen& kopf, Rueckruf fertig);
    // Aborts every request in flight; their callbacks get CalDavFehlerart::Abgebrochen.
    void AllesAbbrechen();
    int Laufend() const { return static_cast<int>(m_laufend.size()); }
    // Requests that reached the network since the connection was made (redirects count).
    int Gesendet() const { return m_gesendet; }

    // The calendars at `adresse`: a calendar's own URL, or a host (then /.well-known/caldav,
    // the user's principal and its calendar-home-set).
    void Entdecken(const QUrl& adresse,
                   std::function<void(const CalDavFund&, const CalDavFehler&)> fertig);
    // MKCALENDAR below `heimat` with the display name `anzeigename`.
    void KalenderAnlegen(const QUrl& heimat, const QString& anzeigename,
                         std::function<void(const CalDavKalender&, const CalDavFehler&)> fertig);

private:
    struct Anfragestand;
    void Senden(std::shared_ptr<Anfragestand> anfrage);
    void Beendet(QNetworkReply* antwort);

    CalDavZugang m_zugang;
    QNetworkAccessManager m_netz;
    std::map<QNetworkReply*, std::shared_ptr<Anfragestand>> m_laufend;
    int m_gesendet = 0;
};
