// Rounds against a real CalDAV server (Radicale), with a second client acting as a phone and a
// fault-injecting proxy in between. scripts/test.d/caldav starts them and sets the addresses;
// without them every test here is skipped.

#include "caldav/testpartner.h"
#include "kalenderexport/caldavverbindung.h"
#include "kalenderexport/terminuid.h"
#include "model/tageszahl.h"

#include "support/testdaten.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <QUuid>

#include <libical/ical.h>

namespace {

QString Umgebung(const char* name)
{
    return qEnvironmentVariable(name);
}

QUrl Adresse(const char* name)
{
    return QUrl(Umgebung(name));
}

CalDavZugang Zugang(const QString& passwort = Umgebung("KL_CALDAV_PASSWORT"))
{
    CalDavZugang z;
    z.Benutzer = Umgebung("KL_CALDAV_BENUTZER");
    z.Passwort = passwort;
    z.ZeitlimitMs = 10000;
    return z;
}

Aufgabenliste Plan(int anzahl, qint32 ersteNummer)
{
    Aufgabenliste a;
    for (int i = 0; i < anzahl; ++i) {
        taufgabe t =
            Aufgabe(ersteNummer + i, "Aufgabe", T(2027, 5, 3) + i % 40, 17 + i % 20, {}, 1);
        t.Kurzbezeichnung = QStringLiteral("Aufgabe %1 für den Umzug").arg(ersteNummer + i);
        t.Beschreibung = {QStringLiteral("Rat zur Aufgabe")};
        a.push_back(t);
    }
    return a;
}

QString NeuePlanId()
{
    return QUuid::createUuid().toString(QUuid::Id128).left(16);
}

// The phone: telefon.py with the calendar's address and the user's login.
QString Telefon(const QUrl& kalender, const QStringList& befehl)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            QStringList{Umgebung("KL_CALDAV_TELEFON"), kalender.toString(),
                        Umgebung("KL_CALDAV_BENUTZER"), Umgebung("KL_CALDAV_PASSWORT")} +
                befehl);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning("%s", p.readAllStandardError().constData());
        return QStringLiteral("FEHLER");
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

int Anzahl(const QUrl& kalender, const QString& planId)
{
    return Telefon(kalender, {QStringLiteral("zaehlen"), TerminUidPraefix(planId)}).toInt();
}

// Sets the proxy's fault ("aus" clears it).
void Stoerung(const QString& zeile)
{
    QNetworkAccessManager netz;
    QUrl url = Adresse("KL_CALDAV_PROXY_URL").resolved(QUrl(QStringLiteral("/__stoerung")));
    QNetworkRequest req(url);
    req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/plain"));
    QNetworkReply* r = netz.post(req, zeile.toUtf8());
    QEventLoop schleife;
    QObject::connect(r, &QNetworkReply::finished, &schleife, &QEventLoop::quit);
    schleife.exec();
    QVERIFY2(r->error() == QNetworkReply::NoError, qPrintable(r->errorString()));
    r->deleteLater();
}

CalDavFund Entdecken(CalDavVerbindung& v, const QUrl& adresse, CalDavFehler* fehler)
{
    CalDavFund fund;
    bool fertig = false;
    QEventLoop schleife;
    v.Entdecken(adresse, [&](const CalDavFund& f, const CalDavFehler& e) {
        fund = f;
        *fehler = e;
        fertig = true;
        schleife.quit();
    });
    if (!fertig)
        schleife.exec();
    return fund;
}

CalDavKalender Anlegen(CalDavVerbindung& v, const QUrl& heimat, const QString& name)
{
    CalDavKalender k;
    QEventLoop schleife;
    v.KalenderAnlegen(heimat, name, [&](const CalDavKalender& neu, const CalDavFehler& e) {
        if (e)
            qWarning("%s", qPrintable(e.Text));
        k = neu;
        schleife.quit();
    });
    schleife.exec();
    return k;
}

} // namespace

class TestCalDavServer final : public QObject
{
    Q_OBJECT

    QUrl m_heimat;

    // A fresh calendar "Umzug" on the plain server, reached directly or through the proxy.
    QUrl NeuerKalender(bool ueberProxy = false)
    {
        CalDavVerbindung v(Zugang());
        const CalDavKalender k = Anlegen(v, m_heimat, QStringLiteral("Umzug"));
        if (!ueberProxy || k.Url.isEmpty())
            return k.Url;
        QUrl url = k.Url;
        url.setPort(Adresse("KL_CALDAV_PROXY_URL").port());
        return url;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (Umgebung("KL_CALDAV_URL").isEmpty())
            QSKIP("Kein CalDAV-Server (scripts/test.d/caldav startet ihn).");
        CalDavVerbindung v(Zugang());
        CalDavFehler fehler;
        const CalDavFund fund = Entdecken(v, Adresse("KL_CALDAV_URL"), &fehler);
        QVERIFY2(!fehler, qPrintable(fehler.Text));
        QVERIFY(!fund.Heimat.isEmpty());
        m_heimat = fund.Heimat;
    }

    void cleanupTestCase() { icaltimezone_free_builtin_timezones(); }

    void entdeckenUndAnlegen()
    {
        CalDavVerbindung v(Zugang());
        const CalDavKalender neu = Anlegen(v, m_heimat, QStringLiteral("Umzug"));
        QVERIFY(neu.Url.isValid());
        CalDavFehler fehler;
        const CalDavFund vomHost = Entdecken(v, Adresse("KL_CALDAV_URL"), &fehler);
        QVERIFY2(!fehler, qPrintable(fehler.Text));
        bool gefunden = false;
        for (const CalDavKalender& k : vomHost.Kalender)
            gefunden = gefunden || (k.Url == neu.Url && k.Anzeigename == QStringLiteral("Umzug"));
        QVERIFY(gefunden);
        // The calendar's own address finds just that calendar and offers no new one.
        const CalDavFund direkt = Entdecken(v, neu.Url, &fehler);
        QVERIFY2(!fehler, qPrintable(fehler.Text));
        QCOMPARE(direkt.Kalender.size(), 1);
        QCOMPARE(direkt.Kalender.first().Anzeigename, QStringLiteral("Umzug"));
        QVERIFY(direkt.Heimat.isEmpty());
    }

    // Two plans in one calendar, the phone moving, renaming, deleting and adding events of its
    // own between the rounds.
    void zweiPlaeneMitTelefon()
    {
        const QUrl kalender = NeuerKalender();
        QVERIFY(kalender.isValid());
        const QString idA = NeuePlanId();
        const QString idB = NeuePlanId();
        TestPartner a;
        a.aufgaben = Plan(44, 1);
        TestPartner b;
        b.aufgaben = Plan(12, 10001);
        CalDavStand standA{kalender.toString(), {}, {}};
        CalDavStand standB = standA;

        CalDavVerbindung v(Zugang());
        CalDavBericht r = RundeDurchlaufen(v, a, standA, idA);
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        QCOMPARE(r.Angelegt, 44);
        r = RundeDurchlaufen(v, b, standB, idB);
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        QCOMPARE(r.Angelegt, 12);
        QCOMPARE(Anzahl(kalender, idA), 44);
        QCOMPARE(Anzahl(kalender, idB), 12);

        // The phone: task 5 of A two days later, task 7 of A deleted, task 10003 of B renamed,
        // an event of its own.
        QCOMPARE(Telefon(kalender, {QStringLiteral("verschieben"), TerminUid(idA, 5),
                                    QStringLiteral("2880")}),
                 QString());
        QCOMPARE(Telefon(kalender, {QStringLiteral("loeschen"), TerminUid(idA, 7)}), QString());
        QCOMPARE(Telefon(kalender, {QStringLiteral("umbenennen"), TerminUid(idB, 10003),
                                    QStringLiteral("Zählerstände notieren")}),
                 QString());
        QCOMPARE(Telefon(kalender, {QStringLiteral("anlegen"), QStringLiteral("eigenes-1"),
                                    QStringLiteral("Zahnarzt")}),
                 QString());
        // Meanwhile in the plan: task 9 of A one slot later, task 12 of A deleted.
        const double tagVorher = a.aufgaben[4].Tag;
        a.aufgaben[8].Start += 1;
        a.aufgaben.erase(a.aufgaben.begin() + 11);
        a.nachLoeschung = NachServerloeschung::AufgabeLoeschen;

        r = RundeDurchlaufen(v, a, standA, idA);
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        QCOMPARE(a.fragen, QStringList{QStringLiteral("geloescht 7")});
        QCOMPARE(r.Uebernommen, 1);
        QCOMPARE(r.Geaendert, 1);
        QCOMPARE(r.Geloescht, 1);
        QCOMPARE(a.aufgaben[4].Tag, tagVorher + 2);
        QCOMPARE(int(a.aufgaben.size()), 42);

        b.nachLoeschung = NachServerloeschung::NeuSenden;
        r = RundeDurchlaufen(v, b, standB, idB);
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        QCOMPARE(b.aufgaben[2].Kurzbezeichnung, QStringLiteral("Zählerstände notieren"));
        QVERIFY(b.fragen.isEmpty());

        QCOMPARE(Anzahl(kalender, idA), 42);
        QCOMPARE(Anzahl(kalender, idB), 12);
        QCOMPARE(Telefon(kalender, {QStringLiteral("zeigen"), QStringLiteral("eigenes-1")}).left(8),
                 QStringLiteral("Zahnarzt"));
        const QStringList zeilen = Telefon(kalender, {QStringLiteral("zeigen"), TerminUid(idA, 9)})
                                       .split(QLatin1Char('\n'));
        QCOMPARE(
            zeilen.value(1).left(16),
            QStringLiteral("%1T%2").arg(Tageszahl::zuDatum(a.aufgaben[7].Tag).toString(Qt::ISODate),
                                        QTime(0, 0)
                                            .addSecs((a.aufgaben[7].Start - 1) * 1800)
                                            .toString(QStringLiteral("HH:mm"))));

        // Second plan's worth: the phone deletes an event of B, which is sent again; then a
        // round with nothing changed is one request.
        QCOMPARE(Telefon(kalender, {QStringLiteral("loeschen"), TerminUid(idB, 10005)}), QString());
        r = RundeDurchlaufen(v, b, standB, idB);
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        QCOMPARE(b.fragen, QStringList{QStringLiteral("geloescht 10005")});
        QCOMPARE(r.Angelegt, 1);
        QCOMPARE(Anzahl(kalender, idB), 12);

        CalDavVerbindung ruhig(Zugang());
        r = RundeDurchlaufen(ruhig, a, standA, idA);
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        r = RundeDurchlaufen(ruhig, a, standA, idA);
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        const int vorher = ruhig.Gesendet();
        r = RundeDurchlaufen(ruhig, a, standA, idA);
        QVERIFY(r.Erfolg());
        QCOMPARE(ruhig.Gesendet() - vorher, 1);
        QCOMPARE(r.Angelegt + r.Geaendert + r.Geloescht + r.Uebernommen, 0);
    }

    // A fault in the middle of a round: the round reports it (or, where the client could
    // recover by itself, completes), and the next round completes without duplicates.
    void stoerungen_data()
    {
        QTest::addColumn<QString>("stoerung");
        QTest::addColumn<int>("zeitlimit");
        QTest::addColumn<QString>("meldung"); // empty: the round recovers and succeeds

        const QString neuVersuchen = QStringLiteral("Bitte versuchen Sie es später noch einmal.");
        QTest::newRow("412 on the first PUT: listed again, merged")
            << QStringLiteral("status PUT 1 412") << 10000 << QString();
        QTest::newRow("connection dropped after the fifth PUT went through")
            << QStringLiteral("abbruch PUT 5") << 10000 << QStringLiteral("*");
        QTest::newRow("500 on the listing")
            << QStringLiteral("status REPORT 1 500") << 10000
            << QStringLiteral("Der Server „127.0.0.1“ meldet einen Fehler (HTTP-Status 500). ") +
                   neuVersuchen;
        QTest::newRow("quota exceeded on the third PUT")
            << QStringLiteral("status PUT 3 507") << 10000
            << QStringLiteral("Auf dem Server „127.0.0.1“ ist kein Speicherplatz mehr frei "
                              "(Speicherkontingent überschritten). Es wurden nicht alle Termine "
                              "übertragen.");
        QTest::newRow("no permission to write")
            << QStringLiteral("status PUT 1 403") << 10000
            << QStringLiteral("Sie haben auf dem Server „127.0.0.1“ keine Berechtigung, diesen "
                              "Kalender zu ändern.");
        QTest::newRow("password no longer accepted")
            << QStringLiteral("status REPORT 1 401") << 10000
            << QStringLiteral("Der Server „127.0.0.1“ hat den Benutzernamen oder das Passwort "
                              "nicht angenommen.");
        QTest::newRow("listing is no XML")
            << QStringLiteral("kaputt REPORT 1") << 10000
            << QStringLiteral("Die Antwort des Servers ist kein gültiges XML (Fehler in Zeile 1).");
        QTest::newRow("slow listing")
            << QStringLiteral("langsam REPORT 1 2500") << 1000
            << QStringLiteral("Der Server „127.0.0.1“ hat nicht rechtzeitig geantwortet. ") +
                   neuVersuchen;
        QTest::newRow("slow PUT")
            << QStringLiteral("langsam PUT 2 2500") << 1000
            << QStringLiteral("Der Server „127.0.0.1“ hat nicht rechtzeitig geantwortet. ") +
                   neuVersuchen;
    }

    void stoerungen()
    {
        QFETCH(QString, stoerung);
        QFETCH(int, zeitlimit);
        QFETCH(QString, meldung);
        const QUrl kalender = NeuerKalender(true);
        QVERIFY(kalender.isValid());
        const QString id = NeuePlanId();
        TestPartner p;
        p.aufgaben = Plan(12, 1);
        CalDavStand stand{kalender.toString(), {}, {}};

        Stoerung(stoerung);
        CalDavZugang zugang = Zugang();
        zugang.ZeitlimitMs = zeitlimit;
        CalDavBericht r;
        {
            CalDavVerbindung v(zugang);
            r = RundeDurchlaufen(v, p, stand, id);
        }
        Stoerung(QStringLiteral("aus"));
        if (meldung.isEmpty())
            QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        else if (meldung != QLatin1String("*"))
            QCOMPARE(r.Fehler.Text, meldung);
        else
            QVERIFY(r.Erfolg() || !r.Fehler.Text.isEmpty());

        CalDavVerbindung v(Zugang());
        r = RundeDurchlaufen(v, p, stand, id);
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        QVERIFY(p.fragen.isEmpty());
        QCOMPARE(int(stand.Eintraege.size()), 12);
        QCOMPARE(Anzahl(kalender, id), 12);
        r = RundeDurchlaufen(v, p, stand, id);
        QCOMPARE(r.Angelegt + r.Geaendert + r.Geloescht + r.Uebernommen, 0);
    }

    void abbrechenUndFortsetzen()
    {
        const QUrl kalender = NeuerKalender();
        const QString id = NeuePlanId();
        TestPartner p;
        p.aufgaben = Plan(44, 1);
        CalDavStand stand{kalender.toString(), {}, {}};
        CalDavVerbindung v(Zugang());
        CalDavBericht r = RundeDurchlaufen(v, p, stand, id, [](CalDavRunde& runde, int erledigt) {
            if (erledigt >= 3)
                runde.Abbrechen();
        });
        QCOMPARE(r.Fehler.Text, QStringLiteral("Der Abgleich wurde abgebrochen. Was bis dahin "
                                               "übertragen war, bleibt erhalten; der nächste "
                                               "Abgleich setzt ihn fort."));
        QVERIFY(r.Angelegt >= 3 && r.Angelegt < 44);
        QVERIFY(stand.SyncToken.isEmpty()); // kept only after a complete round
        r = RundeDurchlaufen(v, p, stand, id);
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        QCOMPARE(Anzahl(kalender, id), 44);
        QCOMPARE(int(stand.Eintraege.size()), 44);
    }

    void kalenderGeloescht()
    {
        const QUrl kalender = NeuerKalender();
        const QString id = NeuePlanId();
        TestPartner p;
        p.aufgaben = Plan(3, 1);
        CalDavStand stand{kalender.toString(), {}, {}};
        CalDavVerbindung v(Zugang());
        QVERIFY(RundeDurchlaufen(v, p, stand, id).Erfolg());
        QCOMPARE(Telefon(kalender, {QStringLiteral("kalender-loeschen")}), QString());
        p.aufgaben[0].Start += 2;
        const CalDavStand vorher = stand;
        const CalDavBericht r = RundeDurchlaufen(v, p, stand, id);
        QCOMPARE(r.Fehler.Text, QStringLiteral("Den Kalender gibt es auf dem Server „127.0.0.1“ "
                                               "nicht mehr; vielleicht wurde er gelöscht. Bitte "
                                               "wählen Sie den Kalender neu aus."));
        QCOMPARE(stand, vorher);
    }

    void falschesPasswort()
    {
        CalDavVerbindung v(Zugang(QStringLiteral("falsch")));
        CalDavFehler fehler;
        Entdecken(v, Adresse("KL_CALDAV_URL"), &fehler);
        QCOMPARE(fehler.Art, CalDavFehlerart::Anmeldung);
        QCOMPARE(fehler.Text, QStringLiteral("Der Server „127.0.0.1“ hat den Benutzernamen oder "
                                             "das Passwort nicht angenommen."));
    }

    void unverschluesselt()
    {
        CalDavVerbindung v(Zugang());
        CalDavFehler fehler;
        Entdecken(v, QUrl(QStringLiteral("http://192.0.2.7/dav/")), &fehler);
        QCOMPARE(fehler.Text, QStringLiteral("Die Adresse „http://192.0.2.7/dav/“ kann nicht "
                                             "verwendet werden: Kalender werden nur verschlüsselt "
                                             "über https abgeglichen (unverschlüsselt nur mit "
                                             "einem Server auf diesem Rechner)."));
    }

    void selbstSigniertesZertifikat()
    {
        CalDavFehler fehler;
        {
            CalDavVerbindung v(Zugang());
            Entdecken(v, Adresse("KL_CALDAV_TLS_URL"), &fehler);
        }
        const QString abdruck = Umgebung("KL_CALDAV_FINGERABDRUCK");
        QCOMPARE(fehler.Art, CalDavFehlerart::Zertifikat);
        QCOMPARE(fehler.Fingerabdruck, abdruck);
        QCOMPARE(fehler.Text,
                 QStringLiteral("Das Zertifikat des Servers „127.0.0.1“ wird nicht anerkannt: Es "
                                "ist selbst signiert. Es ist für einen anderen Servernamen "
                                "ausgestellt.\nSHA-256-Fingerabdruck: ") +
                     abdruck);

        // Trusted by its fingerprint: discovery, a new calendar and a round work.
        CalDavZugang zugang = Zugang();
        zugang.VertrauteZertifikate = {abdruck};
        CalDavVerbindung v(zugang);
        const CalDavFund fund = Entdecken(v, Adresse("KL_CALDAV_TLS_URL"), &fehler);
        QVERIFY2(!fehler, qPrintable(fehler.Text));
        const CalDavKalender k = Anlegen(v, fund.Heimat, QStringLiteral("Umzug"));
        QCOMPARE(k.Url.scheme(), QStringLiteral("https"));
        TestPartner p;
        p.aufgaben = Plan(5, 1);
        CalDavStand stand{k.Url.toString(), {}, {}};
        const CalDavBericht r = RundeDurchlaufen(v, p, stand, NeuePlanId());
        QVERIFY2(r.Erfolg(), qPrintable(r.Fehler.Text));
        QCOMPARE(r.Angelegt, 5);

        // Another certificate's fingerprint does not open the door.
        zugang.VertrauteZertifikate = {QString(abdruck).replace(0, 2, QStringLiteral("00"))};
        CalDavVerbindung fremd(zugang);
        Entdecken(fremd, Adresse("KL_CALDAV_TLS_URL"), &fehler);
        QCOMPARE(fehler.Art, CalDavFehlerart::Zertifikat);
    }
};

QTEST_GUILESS_MAIN(TestCalDavServer)
#include "tst_caldavserver.moc"
