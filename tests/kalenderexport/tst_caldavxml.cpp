#include "kalenderexport/caldavxml.h"

#include <QTest>
#include <QXmlStreamReader>

class TestCalDavXml final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void etagListe()
    {
        // As Radicale answers a PROPFIND with Depth 1: the collection, a resource, a property
        // that is not there (404 propstat).
        const QByteArray xml = R"(<?xml version='1.0' encoding='utf-8'?>
<multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">
 <response><href>/anna/umzug/</href>
  <propstat><prop><resourcetype><collection/><C:calendar/></resourcetype>
   <getetag>"c1"</getetag></prop><status>HTTP/1.1 200 OK</status></propstat></response>
 <response><href>/anna/umzug/kistenlotse-x-3.ics</href>
  <propstat><prop><getetag>"e3"</getetag><resourcetype/></prop>
   <status>HTTP/1.1 200 OK</status></propstat>
  <propstat><prop><displayname/></prop><status>HTTP/1.1 404 Not Found</status></propstat>
 </response>
</multistatus>)";
        DavMultistatus ms;
        QString fehler;
        QVERIFY2(MultistatusLesen(xml, &ms, &fehler), qPrintable(fehler));
        QCOMPARE(ms.Teile.size(), 2);
        QCOMPARE(ms.Teile[0].Href, QStringLiteral("/anna/umzug/"));
        QCOMPARE(ms.Teile[0].Gefunden(QStringLiteral("resourcetype"))->Kinder,
                 (QStringList{QStringLiteral("collection"), QStringLiteral("calendar")}));
        QCOMPARE(ms.Teile[1].Gefunden(QStringLiteral("getetag"))->Text, QStringLiteral("\"e3\""));
        QVERIFY(ms.Teile[1].Gefunden(QStringLiteral("resourcetype"))->Kinder.isEmpty());
        QVERIFY(!ms.Teile[1].Gefunden(QStringLiteral("displayname")));
        QVERIFY(ms.Teile[1].Eigenschaften.contains(QStringLiteral("displayname")));
    }

    void synchronisation()
    {
        // sync-collection: a changed resource, a removed one (status of the response), the token;
        // other prefixes and calendar data with markup inside.
        const QByteArray xml = R"(<?xml version="1.0"?>
<D:multistatus xmlns:D="DAV:" xmlns:cal="urn:ietf:params:xml:ns:caldav">
 <D:response><D:href>/k/a%20b.ics</D:href><D:propstat><D:prop><D:getetag>"1"</D:getetag>
   <cal:calendar-data><![CDATA[BEGIN:VCALENDAR
<b>x</b>
END:VCALENDAR]]></cal:calendar-data></D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat>
 </D:response>
 <D:response><D:href>/k/weg.ics</D:href><D:status>HTTP/1.1 404 Not Found</D:status></D:response>
 <D:sync-token>http://radicale.org/ns/sync/abc</D:sync-token>
</D:multistatus>)";
        DavMultistatus ms;
        QVERIFY(MultistatusLesen(xml, &ms, nullptr));
        QCOMPARE(ms.SyncToken, QStringLiteral("http://radicale.org/ns/sync/abc"));
        QCOMPARE(ms.Teile.size(), 2);
        QCOMPARE(ms.Teile[0].Href, QStringLiteral("/k/a%20b.ics"));
        QCOMPARE(ms.Teile[0].Status, 0);
        QCOMPARE(ms.Teile[0].Gefunden(QStringLiteral("calendar-data"))->Text,
                 QStringLiteral("BEGIN:VCALENDAR\n<b>x</b>\nEND:VCALENDAR"));
        QCOMPARE(ms.Teile[1].Status, 404);
        QVERIFY(ms.Teile[1].Eigenschaften.isEmpty());
    }

    void heimatUndKomponenten()
    {
        const QByteArray xml = R"(<multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">
<response><href>/p/</href><propstat><prop>
 <current-user-principal><href>/principals/anna/</href></current-user-principal>
 <C:calendar-home-set><href> /cal/anna/ </href></C:calendar-home-set>
 <C:supported-calendar-component-set><C:comp name="VEVENT"/><C:comp name="VTODO"/>
 </C:supported-calendar-component-set>
 <displayname>Umzug &amp; mehr</displayname>
</prop><status>HTTP/1.1 200 OK</status></propstat></response></multistatus>)";
        DavMultistatus ms;
        QVERIFY(MultistatusLesen(xml, &ms, nullptr));
        const DavAntwortteil& t = ms.Teile.at(0);
        QCOMPARE(t.Gefunden(QStringLiteral("current-user-principal"))->Hrefs,
                 QStringList{QStringLiteral("/principals/anna/")});
        QCOMPARE(t.Gefunden(QStringLiteral("calendar-home-set"))->Hrefs,
                 QStringList{QStringLiteral("/cal/anna/")});
        QCOMPARE(t.Gefunden(QStringLiteral("supported-calendar-component-set"))->Komponenten,
                 (QStringList{QStringLiteral("VEVENT"), QStringLiteral("VTODO")}));
        QCOMPARE(t.Gefunden(QStringLiteral("displayname"))->Text, QStringLiteral("Umzug & mehr"));
    }

    void kaputt_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("cut off")
            << QByteArray("<multistatus xmlns=\"DAV:\"><response><href>/a</href>")
            << QStringLiteral("Die Antwort des Servers ist kein gültiges XML (Fehler in Zeile 1).");
        QTest::newRow("HTML page")
            << QByteArray("<html><body>Wartung</body></html>")
            << QStringLiteral("Die Antwort des Servers ist keine WebDAV-Antwort (multistatus).");
        QTest::newRow("empty") << QByteArray()
                               << QStringLiteral("Die Antwort des Servers ist kein gültiges XML "
                                                 "(Fehler in Zeile 1).");
        QTest::newRow("mismatched tags")
            << QByteArray("<multistatus xmlns=\"DAV:\">\n<response></href></multistatus>")
            << QStringLiteral("Die Antwort des Servers ist kein gültiges XML (Fehler in Zeile 2).");
    }

    void kaputt()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, meldung);
        QString fehler;
        QVERIFY(!MultistatusLesen(xml, nullptr, &fehler));
        QCOMPARE(fehler, meldung);
    }

    void vorbedingung()
    {
        const QByteArray xml = "<D:error xmlns:D=\"DAV:\"><D:valid-sync-token/></D:error>";
        QVERIFY(NenntVorbedingung(xml, QStringLiteral("valid-sync-token")));
        QVERIFY(!NenntVorbedingung(xml, QStringLiteral("number-of-matches-within-limits")));
        QVERIFY(!NenntVorbedingung("kein xml", QStringLiteral("valid-sync-token")));
    }

    void anfragenSindWohlgeformt()
    {
        const QList<QByteArray> anfragen{
            DavAnfrage::Erkunden(),
            DavAnfrage::KalenderListe(),
            DavAnfrage::Etags(),
            DavAnfrage::Synchronisieren(QStringLiteral("a<b")),
            DavAnfrage::Abholen({QStringLiteral("/k/a&b.ics")}),
            DavAnfrage::KalenderAnlegen(QStringLiteral("Umzug <2027>"))};
        for (const QByteArray& a : anfragen) {
            QXmlStreamReader leser(a);
            while (!leser.atEnd())
                leser.readNext();
            QVERIFY2(!leser.hasError(), a.constData());
        }
        QVERIFY(DavAnfrage::Abholen({QStringLiteral("/k/a&b.ics")}).contains("/k/a&amp;b.ics"));
        QVERIFY(DavAnfrage::KalenderAnlegen(QStringLiteral("Umzug")).contains("Umzug"));
    }
};

QTEST_GUILESS_MAIN(TestCalDavXml)
#include "tst_caldavxml.moc"
