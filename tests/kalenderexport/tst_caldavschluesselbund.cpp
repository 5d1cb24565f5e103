#include "kalenderexport/schluesselbund.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <qt6keychain/keychain.h>

class TestCalDavSchluesselbund final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void schluessel_data()
    {
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("schluessel");
        QTest::newRow("https without port")
            << QStringLiteral("https://Dav.Example.org/remote.php/dav/")
            << QStringLiteral("anna@https://dav.example.org:443");
        QTest::newRow("own port, the path does not count")
            << QStringLiteral("https://cloud.example.org:8443/x/y")
            << QStringLiteral("anna@https://cloud.example.org:8443");
        QTest::newRow("loopback http") << QStringLiteral("http://127.0.0.1:5232/")
                                       << QStringLiteral("anna@http://127.0.0.1:5232");
    }

    void schluessel()
    {
        QFETCH(QString, adresse);
        QFETCH(QString, schluessel);
        QCOMPARE(Schluesselbund::Schluessel(QUrl(adresse), QStringLiteral("anna")), schluessel);
    }

    void antworten_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("schreiben");
        QTest::addColumn<int>("art");
        QTest::addColumn<QString>("text");
        using A = Schluesselbundstand;
        const QString jedesMal = QStringLiteral("Das Passwort wird deshalb nicht gespeichert; Sie "
                                                "werden bei jedem Abgleich danach gefragt.");
        QTest::newRow("found") << int(QKeychain::NoError) << false << int(A::Gefunden) << QString();
        QTest::newRow("stored") << int(QKeychain::NoError) << true << int(A::Gespeichert)
                                << QString();
        QTest::newRow("not yet kept")
            << int(QKeychain::EntryNotFound) << false << int(A::Fehlt) << QString();
        QTest::newRow("no keyring")
            << int(QKeychain::NoBackendAvailable) << false << int(A::KeinSchluesselbund)
            << QStringLiteral("Auf diesem Rechner ist kein Schlüsselbund erreichbar (Secret "
                              "Service oder KWallet). ") +
                   jedesMal;
        QTest::newRow("user refused")
            << int(QKeychain::AccessDeniedByUser) << true << int(A::KeinSchluesselbund)
            << QStringLiteral("Der Zugriff auf den Schlüsselbund wurde verweigert. ") + jedesMal;
        QTest::newRow("anything else")
            << int(QKeychain::OtherError) << false << int(A::KeinSchluesselbund)
            << QStringLiteral("Der Schlüsselbund hat nicht geantwortet. ") + jedesMal;
    }

    void antworten()
    {
        QFETCH(int, code);
        QFETCH(bool, schreiben);
        QFETCH(int, art);
        QFETCH(QString, text);
        const SchluesselbundAntwort a =
            Schluesselbund::AntwortAus(code, QStringLiteral("geheim"), schreiben);
        QCOMPARE(int(a.Art), art);
        QCOMPARE(a.Text, text);
        QCOMPARE(a.Passwort, art <= int(Schluesselbundstand::Gespeichert) ? QStringLiteral("geheim")
                                                                          : QString());
    }

    void ohneSitzungsbus()
    {
        // No session bus, so no Secret Service and no KWallet: asked each time, never a file.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/kistenlotse-bus");
        SchluesselbundAntwort antwort;
        QEventLoop schleife;
        Schluesselbund::Speichern(QStringLiteral("anna@https://h:443"), QStringLiteral("geheim"),
                                  this, [&](const SchluesselbundAntwort& a) {
                                      antwort = a;
                                      schleife.quit();
                                  });
        QTimer::singleShot(30000, &schleife, &QEventLoop::quit);
        schleife.exec();
        QCOMPARE(int(antwort.Art), int(Schluesselbundstand::KeinSchluesselbund));
        QVERIFY(antwort.Text.endsWith(QStringLiteral("Sie werden bei jedem Abgleich danach "
                                                     "gefragt.")));
    }
};

QTEST_GUILESS_MAIN(TestCalDavSchluesselbund)
#include "tst_caldavschluesselbund.moc"
