#pragma once

#include <QList>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QSslError>
#include <QString>
#include <QUrl>

// The failures of talking to a calendar server, each with a message for the user that says
// what happened and what to do.
enum class CalDavFehlerart
{
    Keiner,
    UnsichereAdresse,
    Unerreichbar,
    Zeitlimit,
    Anmeldung, // user name or password refused: the caller asks again
    KeineBerechtigung,
    KalenderFehlt,
    Vorbedingung, // 412: changed meanwhile, fetch and merge
    SpeicherVoll,
    Serverfehler,
    Zertifikat,
    UngueltigeAntwort,
    NichtUebertragbar, // a task of the plan cannot be written as an event
    Abgebrochen,
};

struct CalDavFehler
{
    CalDavFehlerart Art = CalDavFehlerart::Keiner;
    QString Text;
    // Zertifikat: the SHA-256 fingerprint of the certificate that was refused, to show before
    // the user trusts it.
    QString Fingerabdruck;

    explicit operator bool() const { return Art != CalDavFehlerart::Keiner; }
};

// https everywhere; plain http only to this machine (127.0.0.0/8, ::1, localhost).
bool AdresseErlaubt(const QUrl& url);
CalDavFehler UnsichereAdresse(const QUrl& url);

// The failure an HTTP status of 400 or more means, for a request to `url`.
CalDavFehler FehlerAusStatus(int status, const QUrl& url);
// The failure of a request that got no HTTP answer.
CalDavFehler FehlerAusNetz(QNetworkReply::NetworkError fehler, const QUrl& url);
CalDavFehler Zeitueberschreitung(const QUrl& url);
CalDavFehler Abbruch();
CalDavFehler UngueltigeAntwort(const QString& text);
// A refused certificate: what is wrong with it, in German, and its fingerprint.
CalDavFehler Zertifikatsfehler(const QList<QSslError>& fehler, const QSslCertificate& zertifikat,
                               const QUrl& url);

// "AB:CD:…", SHA-256 of the certificate in DER form, as browsers show it.
QString Fingerabdruck(const QSslCertificate& zertifikat);
