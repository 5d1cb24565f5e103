#pragma once

#include <QString>
#include <QStringList>

// What the settings file remembers of the calendar sync: the server address and user name of
// the last round (never the password, which only the keyring holds), and per server the
// SHA-256 fingerprints of self-signed certificates the user trusted. The keys are written only
// once a round used them, so settings files of users who never sync stay as they are:
//   [abgleich]      Adresse=…, Benutzer=…
//   [zertifikate]   https://host:port=AB:CD:…,12:34:…
struct Abgleicheinstellungen
{
    QString Adresse;
    QString Benutzer;
    QStringList VertrauteZertifikate; // of the server of Adresse

    bool operator==(const Abgleicheinstellungen&) const = default;
};

// The server a fingerprint belongs to: scheme, host and port of `adresse` ("https://h:443");
// empty for an address without a host.
QString Zertifikatsserver(const QString& adresse);

// Defaults (empty) for everything missing; `adresse` (if given) chooses whose certificates.
Abgleicheinstellungen AbgleicheinstellungenLesen(const QString& pfad,
                                                 const QString& adresse = QString());
// Writes what differs from the file, keeping every other key; nothing at all when nothing
// differs. The certificates go under the server of e.Adresse. False with *fehler when the
// file cannot be read or written.
bool AbgleicheinstellungenSchreiben(const QString& pfad, const Abgleicheinstellungen& e,
                                    QString* fehler = nullptr);
