#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

// Passwords of calendar servers in the desktop's keyring (Secret Service or KWallet, through
// QtKeychain), never in a file of the program: without a keyring the caller asks each time and
// shows the reason given here.

enum class Schluesselbundstand
{
    Gefunden,
    Gespeichert,
    Fehlt,              // no password kept under this key yet
    KeinSchluesselbund, // none reachable, or access refused: ask each time
};

struct SchluesselbundAntwort
{
    Schluesselbundstand Art = Schluesselbundstand::Fehlt;
    QString Passwort;
    QString Text; // for the user with KeinSchluesselbund
};

namespace Schluesselbund {

// The entry's name: user and server ("anna@https://dav.example.org:443").
QString Schluessel(const QUrl& server, const QString& benutzer);

// QtKeychain's error code (0 = none) as an answer.
SchluesselbundAntwort AntwortAus(int fehlercode, const QString& passwort, bool schreiben);

// Asynchronous; `fertig` is called once from the event loop.
void Lesen(const QString& schluessel, QObject* kontext,
           std::function<void(const SchluesselbundAntwort&)> fertig);
void Speichern(const QString& schluessel, const QString& passwort, QObject* kontext,
               std::function<void(const SchluesselbundAntwort&)> fertig);

} // namespace Schluesselbund
