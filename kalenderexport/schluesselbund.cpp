#include "kalenderexport/schluesselbund.h"

#include <qt6keychain/keychain.h>

namespace {

const QString kDienst = QStringLiteral("Kistenlotse");

const QString kJedesMal = QStringLiteral("Das Passwort wird deshalb nicht gespeichert; Sie werden "
                                         "bei jedem Abgleich danach gefragt.");

} // namespace

namespace Schluesselbund {

QString Schluessel(const QUrl& server, const QString& benutzer)
{
    const int port = server.port(server.scheme() == QLatin1String("http") ? 80 : 443);
    return QStringLiteral("%1@%2://%3:%4")
        .arg(benutzer, server.scheme().toLower(), server.host().toLower())
        .arg(port);
}

SchluesselbundAntwort AntwortAus(int fehlercode, const QString& passwort, bool schreiben)
{
    using A = Schluesselbundstand;
    switch (fehlercode) {
    case QKeychain::NoError:
        return {schreiben ? A::Gespeichert : A::Gefunden, passwort, {}};
    case QKeychain::EntryNotFound:
        return {A::Fehlt, {}, {}};
    case QKeychain::AccessDeniedByUser:
    case QKeychain::AccessDenied:
        return {A::KeinSchluesselbund,
                {},
                QStringLiteral("Der Zugriff auf den Schlüsselbund wurde verweigert. ") + kJedesMal};
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        return {A::KeinSchluesselbund,
                {},
                QStringLiteral("Auf diesem Rechner ist kein Schlüsselbund erreichbar (Secret "
                               "Service oder KWallet). ") +
                    kJedesMal};
    default:
        return {A::KeinSchluesselbund,
                {},
                QStringLiteral("Der Schlüsselbund hat nicht geantwortet. ") + kJedesMal};
    }
}

void Lesen(const QString& schluessel, QObject* kontext,
           std::function<void(const SchluesselbundAntwort&)> fertig)
{
    auto* auftrag = new QKeychain::ReadPasswordJob(kDienst, kontext);
    auftrag->setKey(schluessel);
    auftrag->setInsecureFallback(false); // never a plain file
    QObject::connect(auftrag, &QKeychain::Job::finished, kontext,
                     [auftrag, fertig = std::move(fertig)] {
                         fertig(AntwortAus(auftrag->error(), auftrag->textData(), false));
                     });
    auftrag->start();
}

void Speichern(const QString& schluessel, const QString& passwort, QObject* kontext,
               std::function<void(const SchluesselbundAntwort&)> fertig)
{
    auto* auftrag = new QKeychain::WritePasswordJob(kDienst, kontext);
    auftrag->setKey(schluessel);
    auftrag->setTextData(passwort);
    auftrag->setInsecureFallback(false);
    QObject::connect(auftrag, &QKeychain::Job::finished, kontext,
                     [auftrag, passwort, fertig = std::move(fertig)] {
                         fertig(AntwortAus(auftrag->error(), passwort, true));
                     });
    auftrag->start();
}

} // namespace Schluesselbund
