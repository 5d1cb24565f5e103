#include "kalenderexport/caldavfehler.h"

#include <QHostAddress>

#include <algorithm>

namespace {

QString Server(const QUrl& url)
{
    return url.host();
}

QString Grund(const QSslError& e)
{
    switch (e.error()) {
    case QSslError::SelfSignedCertificate:
        return QStringLiteral("Es ist selbst signiert.");
    case QSslError::SelfSignedCertificateInChain:
        return QStringLiteral("Es stammt von einer selbst signierten Zertifizierungsstelle.");
    case QSslError::CertificateExpired:
        return QStringLiteral("Es ist abgelaufen.");
    case QSslError::CertificateNotYetValid:
        return QStringLiteral("Es ist noch nicht gültig.");
    case QSslError::HostNameMismatch:
        return QStringLiteral("Es ist für einen anderen Servernamen ausgestellt.");
    case QSslError::CertificateRevoked:
        return QStringLiteral("Es wurde widerrufen.");
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
    case QSslError::CertificateUntrusted:
        return QStringLiteral("Die Zertifizierungsstelle, die es ausgestellt hat, ist unbekannt.");
    default:
        return QStringLiteral("Es ist ungültig (%1).").arg(e.errorString());
    }
}

CalDavFehler Fehler(CalDavFehlerart art, const QString& text)
{
    return {art, text, {}};
}

} // namespace

bool AdresseErlaubt(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString schema = url.scheme().toLower();
    if (schema == QLatin1String("https"))
        return true;
    if (schema != QLatin1String("http"))
        return false;
    if (url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    return QHostAddress(url.host()).isLoopback();
}

CalDavFehler UnsichereAdresse(const QUrl& url)
{
    return Fehler(CalDavFehlerart::UnsichereAdresse,
                  QStringLiteral("Die Adresse „%1“ kann nicht verwendet werden: Kalender werden "
                                 "nur verschlüsselt über https abgeglichen (unverschlüsselt nur "
                                 "mit einem Server auf diesem Rechner).")
                      .arg(url.toDisplayString(QUrl::RemoveUserInfo)));
}

CalDavFehler FehlerAusStatus(int status, const QUrl& url)
{
    switch (status) {
    case 401:
        return Fehler(CalDavFehlerart::Anmeldung,
                      QStringLiteral("Der Server „%1“ hat den Benutzernamen oder das Passwort "
                                     "nicht angenommen.")
                          .arg(Server(url)));
    case 403:
        return Fehler(CalDavFehlerart::KeineBerechtigung,
                      QStringLiteral("Sie haben auf dem Server „%1“ keine Berechtigung, diesen "
                                     "Kalender zu ändern.")
                          .arg(Server(url)));
    case 404:
    case 409:
    case 410:
        return Fehler(CalDavFehlerart::KalenderFehlt,
                      QStringLiteral("Den Kalender gibt es auf dem Server „%1“ nicht mehr; "
                                     "vielleicht wurde er gelöscht. Bitte wählen Sie den Kalender "
                                     "neu aus.")
                          .arg(Server(url)));
    case 412:
        return Fehler(CalDavFehlerart::Vorbedingung,
                      QStringLiteral("Ein Termin wurde auf dem Server „%1“ zwischenzeitlich "
                                     "geändert.")
                          .arg(Server(url)));
    case 507:
        return Fehler(CalDavFehlerart::SpeicherVoll,
                      QStringLiteral("Auf dem Server „%1“ ist kein Speicherplatz mehr frei "
                                     "(Speicherkontingent überschritten). Es wurden nicht alle "
                                     "Termine übertragen.")
                          .arg(Server(url)));
    default:
        return Fehler(CalDavFehlerart::Serverfehler,
                      QStringLiteral("Der Server „%1“ meldet einen Fehler (HTTP-Status %2). "
                                     "Bitte versuchen Sie es später noch einmal.")
                          .arg(Server(url))
                          .arg(status));
    }
}

CalDavFehler FehlerAusNetz(QNetworkReply::NetworkError fehler, const QUrl& url)
{
    switch (fehler) {
    case QNetworkReply::TimeoutError:
        return Zeitueberschreitung(url);
    case QNetworkReply::OperationCanceledError:
        return Abbruch();
    case QNetworkReply::SslHandshakeFailedError:
        return Fehler(CalDavFehlerart::Zertifikat,
                      QStringLiteral("Mit dem Server „%1“ kam keine verschlüsselte Verbindung "
                                     "zustande.")
                          .arg(Server(url)));
    case QNetworkReply::RemoteHostClosedError:
        return Fehler(CalDavFehlerart::Unerreichbar,
                      QStringLiteral("Der Server „%1“ hat die Verbindung unterbrochen. Bitte "
                                     "versuchen Sie es noch einmal; was bereits übertragen war, "
                                     "bleibt erhalten.")
                          .arg(Server(url)));
    default:
        return Fehler(CalDavFehlerart::Unerreichbar,
                      QStringLiteral("Der Server „%1“ ist nicht erreichbar. Bitte prüfen Sie die "
                                     "Adresse und die Internetverbindung.")
                          .arg(Server(url)));
    }
}

CalDavFehler Zeitueberschreitung(const QUrl& url)
{
    return Fehler(CalDavFehlerart::Zeitlimit,
                  QStringLiteral("Der Server „%1“ hat nicht rechtzeitig geantwortet. Bitte "
                                 "versuchen Sie es später noch einmal.")
                      .arg(Server(url)));
}

CalDavFehler Abbruch()
{
    return Fehler(CalDavFehlerart::Abgebrochen,
                  QStringLiteral("Der Abgleich wurde abgebrochen. Was bis dahin übertragen war, "
                                 "bleibt erhalten; der nächste Abgleich setzt ihn fort."));
}

CalDavFehler UngueltigeAntwort(const QString& text)
{
    return Fehler(CalDavFehlerart::UngueltigeAntwort, text);
}

CalDavFehler Zertifikatsfehler(const QList<QSslError>& fehler, const QSslCertificate& zertifikat,
                               const QUrl& url)
{
    // In the order of Qt's error codes, so the message does not depend on the handshake's.
    QList<QSslError> sortiert = fehler;
    std::sort(sortiert.begin(), sortiert.end(),
              [](const QSslError& a, const QSslError& b) { return a.error() < b.error(); });
    QStringList gruende;
    for (const QSslError& e : sortiert) {
        const QString g = Grund(e);
        if (!gruende.contains(g))
            gruende << g;
    }
    const QString abdruck = Fingerabdruck(zertifikat);
    return {CalDavFehlerart::Zertifikat,
            QStringLiteral("Das Zertifikat des Servers „%1“ wird nicht anerkannt: %2\n"
                           "SHA-256-Fingerabdruck: %3")
                .arg(Server(url), gruende.join(QLatin1Char(' ')),
                     abdruck.isEmpty() ? QStringLiteral("unbekannt") : abdruck),
            abdruck};
}

QString Fingerabdruck(const QSslCertificate& zertifikat)
{
    if (zertifikat.isNull())
        return {};
    return QString::fromLatin1(zertifikat.digest(QCryptographicHash::Sha256).toHex(':').toUpper());
}
