#include "kalenderexport/caldavverbindung.h"

#include "kalenderexport/caldavxml.h"

#include <QAuthenticator>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>
#include <QUuid>

namespace {

constexpr int kUmleitungenHoechstens = 5;

bool IstUmleitung(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

QUrl AlsOrdner(QUrl url)
{
    QString pfad = url.path();
    if (!pfad.endsWith(QLatin1Char('/'))) {
        url.setPath(pfad + QLatin1Char('/'));
    }
    return url;
}

QString LetzterTeil(const QUrl& url)
{
    QStringList teile = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return teile.isEmpty() ? url.host() : teile.last();
}

} // namespace

struct CalDavVerbindung::Anfragestand
{
    QByteArray Methode;
    QUrl Url;
    QByteArray Inhalt;
    Kopfzeilen Kopf;
    Rueckruf Fertig;
    int Umleitungen = 0;
    bool Angemeldet = false;
    bool Zeitlimit = false;
    CalDavFehler Zertifikat;
    QTimer* Uhr = nullptr;
};

CalDavVerbindung::CalDavVerbindung(CalDavZugang zugang, QObject* parent)
    : QObject(parent), m_zugang(std::move(zugang))
{
    m_netz.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    // Servers that ask again (Digest, or Basic after a preemptive header they ignore) get the
    // credentials once per request; a second question means they were refused.
    connect(&m_netz, &QNetworkAccessManager::authenticationRequired, this,
            [this](QNetworkReply* antwort, QAuthenticator* anmeldung) {
                const auto it = m_laufend.find(antwort);
                if (it == m_laufend.end() || it->second->Angemeldet)
                    return;
                it->second->Angemeldet = true;
                anmeldung->setUser(m_zugang.Benutzer);
                anmeldung->setPassword(m_zugang.Passwort);
            });
}

CalDavVerbindung::~CalDavVerbindung()
{
    // Callbacks belong to objects that may be going away as well: none is called from here.
    for (auto& [antwort, anfrage] : m_laufend) {
        antwort->disconnect(this);
        antwort->abort();
        antwort->deleteLater();
    }
}

void CalDavVerbindung::Anfrage(const QByteArray& methode, const QUrl& url, const QByteArray& inhalt,
                               const Kopfzeilen& kopf, Rueckruf fertig)
{
    auto anfrage = std::make_shared<Anfragestand>();
    anfrage->Methode = methode;
    anfrage->Url = url;
    anfrage->Inhalt = inhalt;
    anfrage->Kopf = kopf;
    anfrage->Fertig = std::move(fertig);
    Senden(std::move(anfrage));
}

void CalDavVerbindung::Senden(std::shared_ptr<Anfragestand> anfrage)
{
    if (!AdresseErlaubt(anfrage->Url)) {
        CalDavAntwort a;
        a.Url = anfrage->Url;
        a.Fehler = UnsichereAdresse(anfrage->Url);
        // Asynchronous like every other answer, so callers never re-enter themselves.
        QTimer::singleShot(0, this, [anfrage, a] { anfrage->Fertig(a); });
        return;
    }
    QNetworkRequest req(anfrage->Url);
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                     QNetworkRequest::ManualRedirectPolicy);
    req.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Kistenlotse/1.0"));
    const QByteArray zugang = (m_zugang.Benutzer + QLatin1Char(':') + m_zugang.Passwort).toUtf8();
    req.setRawHeader("Authorization", "Basic " + zugang.toBase64());
    for (const auto& [name, wert] : anfrage->Kopf)
        req.setRawHeader(name, wert);
    QNetworkReply* antwort = m_netz.sendCustomRequest(req, anfrage->Methode, anfrage->Inhalt);
    ++m_gesendet;
    m_laufend[antwort] = anfrage;

    anfrage->Uhr = new QTimer(antwort);
    anfrage->Uhr->setSingleShot(true);
    anfrage->Uhr->setInterval(m_zugang.ZeitlimitMs);
    anfrage->Uhr->start();
    const auto bewegt = [anfrage] { anfrage->Uhr->start(); };
    connect(antwort, &QNetworkReply::downloadProgress, anfrage->Uhr, bewegt);
    connect(antwort, &QNetworkReply::uploadProgress, anfrage->Uhr, bewegt);
    connect(anfrage->Uhr, &QTimer::timeout, antwort, [anfrage, antwort] {
        anfrage->Zeitlimit = true;
        antwort->abort();
    });
    connect(antwort, &QNetworkReply::sslErrors, this,
            [this, anfrage, antwort](const QList<QSslError>& fehler) {
                QSslCertificate zertifikat = antwort->sslConfiguration().peerCertificate();
                if (zertifikat.isNull() && !fehler.isEmpty())
                    zertifikat = fehler.first().certificate();
                const QString abdruck = Fingerabdruck(zertifikat);
                if (!abdruck.isEmpty() && m_zugang.VertrauteZertifikate.contains(abdruck)) {
                    antwort->ignoreSslErrors(fehler);
                    return;
                }
                anfrage->Zertifikat = Zertifikatsfehler(fehler, zertifikat, anfrage->Url);
            });
    connect(antwort, &QNetworkReply::finished, this, [this, antwort] { Beendet(antwort); });
}

void CalDavVerbindung::Beendet(QNetworkReply* antwort)
{
    antwort->deleteLater();
    const auto it = m_laufend.find(antwort);
    if (it == m_laufend.end())
        return;
    const std::shared_ptr<Anfragestand> anfrage = it->second;
    m_laufend.erase(it);

    CalDavAntwort a;
    a.Url = anfrage->Url;
    a.Status = antwort->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (antwort->isOpen())
        a.Inhalt = antwort->readAll();
    a.Etag = QString::fromLatin1(antwort->rawHeader("ETag"));

    if (IstUmleitung(a.Status)) {
        const QUrl ziel = anfrage->Url.resolved(
            QUrl::fromEncoded(antwort->rawHeader("Location"), QUrl::StrictMode));
        if (anfrage->Umleitungen < kUmleitungenHoechstens && ziel.isValid()) {
            ++anfrage->Umleitungen;
            anfrage->Url = ziel;
            anfrage->Angemeldet = false;
            Senden(anfrage);
            return;
        }
        a.Fehler = FehlerAusStatus(a.Status, a.Url);
    } else if (anfrage->Zeitlimit) {
        a.Fehler = Zeitueberschreitung(a.Url);
    } else if (anfrage->Zertifikat) {
        a.Fehler = anfrage->Zertifikat;
    } else if (a.Status >= 400) {
        a.Fehler = FehlerAusStatus(a.Status, a.Url);
    } else if (antwort->error() != QNetworkReply::NoError || a.Status == 0) {
        a.Fehler = FehlerAusNetz(antwort->error(), a.Url);
    }
    anfrage->Fertig(a);
}

void CalDavVerbindung::AllesAbbrechen()
{
    // abort() finishes each reply at once; the map is copied because Beendet() erases.
    const auto laufend = m_laufend;
    for (const auto& [antwort, anfrage] : laufend)
        antwort->abort();
}

void CalDavVerbindung::Entdecken(const QUrl& adresse,
                                 std::function<void(const CalDavFund&, const CalDavFehler&)> fertig)
{
    const auto scheitern = [fertig](const CalDavFehler& f) { fertig({}, f); };
    const auto lesen = [](const CalDavAntwort& a, DavMultistatus* ms) -> CalDavFehler {
        if (a.Fehler)
            return a.Fehler;
        QString text;
        if (!MultistatusLesen(a.Inhalt, ms, &text))
            return UngueltigeAntwort(text);
        return {};
    };
    const Kopfzeilen xml0{{"Content-Type", "application/xml; charset=utf-8"}, {"Depth", "0"}};
    const Kopfzeilen xml1{{"Content-Type", "application/xml; charset=utf-8"}, {"Depth", "1"}};

    // The calendars of a home collection.
    // A calendar's own address lists itself (Depth 1 includes the collection).
    const auto heimatListen = [this, fertig, scheitern, lesen, xml1](const QUrl& heimat,
                                                                     bool istHeimat) {
        Anfrage("PROPFIND", heimat, DavAnfrage::KalenderListe(), xml1,
                [fertig, scheitern, lesen, heimat, istHeimat](const CalDavAntwort& a) {
                    DavMultistatus ms;
                    if (const CalDavFehler f = lesen(a, &ms))
                        return scheitern(f);
                    CalDavFund fund;
                    if (istHeimat)
                        fund.Heimat = heimat;
                    for (const DavAntwortteil& t : ms.Teile) {
                        const DavEigenschaft* typ = t.Gefunden(QStringLiteral("resourcetype"));
                        if (!typ || !typ->Kinder.contains(QLatin1String("calendar")))
                            continue;
                        const DavEigenschaft* komp =
                            t.Gefunden(QStringLiteral("supported-calendar-component-set"));
                        if (komp && !komp->Komponenten.isEmpty() &&
                            !komp->Komponenten.contains(QLatin1String("VEVENT")))
                            continue;
                        const QUrl url = AlsOrdner(heimat.resolved(QUrl(t.Href)));
                        const DavEigenschaft* name = t.Gefunden(QStringLiteral("displayname"));
                        fund.Kalender << CalDavKalender{
                            url, name && !name->Text.isEmpty() ? name->Text : LetzterTeil(url)};
                    }
                    fertig(fund, {});
                });
    };

    // What an address is: a calendar, something that names the principal or the home.
    const auto erkunden = [this, scheitern, lesen, xml0, heimatListen](const QUrl& url,
                                                                       const auto& selbst) -> void {
        Anfrage("PROPFIND", url, DavAnfrage::Erkunden(), xml0,
                [this, url, fertig = heimatListen, scheitern, lesen, selbst,
                 xml0](const CalDavAntwort& a) {
                    DavMultistatus ms;
                    if (const CalDavFehler f = lesen(a, &ms))
                        return scheitern(f);
                    const QUrl hier = a.Url;
                    for (const DavAntwortteil& t : ms.Teile) {
                        const DavEigenschaft* typ = t.Gefunden(QStringLiteral("resourcetype"));
                        if (typ && typ->Kinder.contains(QLatin1String("calendar")))
                            return fertig(AlsOrdner(hier), false);
                        if (const DavEigenschaft* h =
                                t.Gefunden(QStringLiteral("calendar-home-set"));
                            h && !h->Hrefs.isEmpty())
                            return fertig(AlsOrdner(hier.resolved(QUrl(h->Hrefs.first()))), true);
                        if (const DavEigenschaft* p =
                                t.Gefunden(QStringLiteral("current-user-principal"));
                            p && !p->Hrefs.isEmpty()) {
                            const QUrl prinzipal = hier.resolved(QUrl(p->Hrefs.first()));
                            if (prinzipal != hier)
                                return selbst(prinzipal, selbst);
                        }
                    }
                    scheitern(UngueltigeAntwort(
                        QStringLiteral("Unter der Adresse „%1“ wurde kein Kalender gefunden. "
                                       "Bitte geben Sie die Adresse des Kalenders ein.")
                            .arg(url.toDisplayString())));
                });
    };

    if (!AdresseErlaubt(adresse))
        return scheitern(UnsichereAdresse(adresse));
    if (adresse.path().isEmpty() || adresse.path() == QLatin1String("/")) {
        QUrl bekannt = adresse;
        bekannt.setPath(QStringLiteral("/.well-known/caldav"));
        // A server without the well-known address is asked at its root.
        Anfrage("PROPFIND", bekannt, DavAnfrage::Erkunden(), xml0,
                [adresse, erkunden, scheitern](const CalDavAntwort& a) {
                    if (a.Fehler && a.Fehler.Art != CalDavFehlerart::KalenderFehlt &&
                        a.Status != 405 && a.Status != 400)
                        return scheitern(a.Fehler);
                    QUrl wurzel = a.Fehler ? adresse : a.Url;
                    if (wurzel.path().isEmpty())
                        wurzel.setPath(QStringLiteral("/"));
                    erkunden(wurzel, erkunden);
                });
    } else {
        erkunden(adresse, erkunden);
    }
}

void CalDavVerbindung::KalenderAnlegen(
    const QUrl& heimat, const QString& anzeigename,
    std::function<void(const CalDavKalender&, const CalDavFehler&)> fertig)
{
    const QString name = QStringLiteral("umzug-") +
                         QUuid::createUuid().toString(QUuid::Id128).left(12) + QLatin1Char('/');
    const QUrl url = AlsOrdner(heimat).resolved(QUrl(name));
    Anfrage("MKCALENDAR", url, DavAnfrage::KalenderAnlegen(anzeigename),
            {{"Content-Type", "application/xml; charset=utf-8"}},
            [url, anzeigename, fertig](const CalDavAntwort& a) {
                if (a.Fehler)
                    return fertig({}, a.Status == 403 || a.Status == 405
                                          ? CalDavFehler{CalDavFehlerart::KeineBerechtigung,
                                                         QStringLiteral("Der Server „%1“ erlaubt "
                                                                        "nicht, einen neuen "
                                                                        "Kalender anzulegen.")
                                                             .arg(url.host()),
                                                         {}}
                                          : a.Fehler);
                fertig({url, anzeigename}, {});
            });
}
