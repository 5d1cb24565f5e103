#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Lauf
{
    int code = -1;
    QByteArray aus;
    QByteArray fehler;
};

Lauf Starten(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(KL_WERKZEUG), args);
    p.waitForFinished(30000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

const QStringList Berlin2001{QStringLiteral("neu"), QStringLiteral("--von"), QStringLiteral("3"),
                             QStringLiteral("--nach"), QStringLiteral("3"), QStringLiteral("--einzug"),
                             QStringLiteral("10.09.2001"), QStringLiteral("--auszug"),
                             QStringLiteral("14.09.2001")};

} // namespace

class TestWerkzeug final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void neuAlsText();
    void neuAufgeben();
    void neuAlsJson();
    void feiertageAlsJson();
    void speichernUndZeigen();
    void zeigenFehlerhaft();
    void icsAusPlandatei();
    void bedienfehler_data();
    void bedienfehler();
};

void TestWerkzeug::neuAlsText()
{
    const Lauf l = Starten(Berlin2001);
    QCOMPARE(l.code, 0);
    const QList<QByteArray> zeilen = l.aus.trimmed().split('\n');
    QCOMPARE(zeilen.size(), 33);
    QVERIFY(zeilen.contains(QByteArray("7\t12.09.2001\t08:00\t08h00\tUmziehen")));
    QVERIFY(zeilen.contains(QString::fromUtf8("2\t01.09.2001\t08:00\t01h00\tBankkonto ummelden").toUtf8()));
}

void TestWerkzeug::neuAufgeben()
{
    const Lauf l = Starten({QStringLiteral("neu"), QStringLiteral("--von"), QStringLiteral("3"),
                            QStringLiteral("--nach"), QStringLiteral("3"), QStringLiteral("--einzug"),
                            QStringLiteral("16.09.2001"), QStringLiteral("--auszug"),
                            QStringLiteral("16.09.2001"), QStringLiteral("--spedition")});
    QCOMPARE(l.code, 0);
    QVERIFY(QString::fromUtf8(l.aus).endsWith(QStringLiteral(
        "Im gegebenen Zeitraum wurde keine sinnvolle Abfolge der Aufgaben gefunden.\n"
        "Bitte beginnen Sie neu und wählen Sie andere Daten für Aus- bzw. Einzug.\n")));
}

void TestWerkzeug::neuAlsJson()
{
    const Lauf l = Starten(Berlin2001 + QStringList{QStringLiteral("--json")});
    QCOMPARE(l.code, 0);
    const QJsonObject o = QJsonDocument::fromJson(l.aus).object();
    QCOMPARE(o.value(QStringLiteral("Stichtag")).toString(), QStringLiteral("12.09.2001"));
    QCOMPARE(o.value(QStringLiteral("keineAbfolge")).toBool(true), false);
    QCOMPARE(o.value(QStringLiteral("firstday")).toString(), QStringLiteral("13.08.2001"));
    QCOMPARE(o.value(QStringLiteral("anzdays")).toInt(), 49);
    QCOMPARE(o.value(QStringLiteral("Kalenderwochen")).toArray().first().toInt(), 33);
    QCOMPARE(o.value(QStringLiteral("Situation")).toObject().value(QStringLiteral("Einzugdatum")).toString(),
             QStringLiteral("10.09.2001"));
    const QJsonArray aufgaben = o.value(QStringLiteral("Aufgaben")).toArray();
    QCOMPARE(aufgaben.size(), 33);
    const QJsonObject erste = aufgaben.first().toObject();
    for (const char* schluessel : {"Nummer", "Kurzbezeichnung", "Beschreibung", "Notiz", "Druckvorlage",
                                   "ausserhalbBuerozeit", "auchSonntags", "vorher", "beiAuszugsrenovierung",
                                   "beiEinzugsrenovierung", "mitSpedition", "ohneSpedition", "mitKindern",
                                   "vorgabeDauer", "Tag", "Start", "Dauer", "Benutzeraufgabe"})
        QVERIFY2(erste.contains(QLatin1String(schluessel)), schluessel);
    QVERIFY(erste.value(QStringLiteral("Beschreibung")).isArray());
    QVERIFY(o.value(QStringLiteral("Konflikte")).toArray().isEmpty());
}

void TestWerkzeug::feiertageAlsJson()
{
    const Lauf l = Starten({QStringLiteral("feiertage"), QStringLiteral("2027"), QStringLiteral("13"),
                            QStringLiteral("--json")});
    QCOMPARE(l.code, 0);
    const QJsonArray liste = QJsonDocument::fromJson(l.aus).array();
    QCOMPARE(liste.size(), 11);
    QCOMPARE(liste.at(8).toObject().value(QStringLiteral("Datum")).toString(), QStringLiteral("17.11.2027"));
    QCOMPARE(liste.at(8).toObject().value(QStringLiteral("Name")).toString(), QStringLiteral("Buß- und Bettag"));
}

void TestWerkzeug::speichernUndZeigen()
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("plan.kvr"));
    const Lauf neu = Starten(Berlin2001 + QStringList{QStringLiteral("--speichern"), pfad});
    QCOMPARE(neu.code, 0);
    const Lauf zeigen = Starten({QStringLiteral("zeigen"), pfad});
    QCOMPARE(zeigen.code, 0);
    QCOMPARE(zeigen.aus, neu.aus); // the same tasks, in the same order
    const Lauf json = Starten({QStringLiteral("zeigen"), pfad, QStringLiteral("--json")});
    const QJsonObject o = QJsonDocument::fromJson(json.aus).object();
    QVERIFY(!o.contains(QStringLiteral("Stichtag")));
    QCOMPARE(o.value(QStringLiteral("keineAbfolge")).toBool(true), false);
    QCOMPARE(o.value(QStringLiteral("firstday")).toString(), QStringLiteral("13.08.2001"));
    QCOMPARE(o.value(QStringLiteral("Kalenderwochen")).toArray().size(), 7);
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    QVERIFY(datei.readAll().startsWith("[allgemein]\r\nBundeslandA=3\r\nBundeslandB=3\r\nanzdays=49\r\nfirstday=37116\r\n"));
}

void TestWerkzeug::zeigenFehlerhaft()
{
    QTemporaryDir ordner;
    const Lauf l = Starten({QStringLiteral("zeigen"), ordner.filePath(QStringLiteral("fehlt.kvr"))});
    QCOMPARE(l.code, 3);
    QVERIFY(l.aus.isEmpty());
    QCOMPARE(QString::fromUtf8(l.fehler), QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten\n"));
}

void TestWerkzeug::icsAusPlandatei()
{
    QTemporaryDir ordner;
    const QString plan = ordner.filePath(QStringLiteral("plan.kvr"));
    const QString ics = ordner.filePath(QStringLiteral("termine.ics"));
    QCOMPARE(Starten(Berlin2001 + QStringList{QStringLiteral("--speichern"), plan}).code, 0);
    const Lauf l = Starten({QStringLiteral("ics"), plan, QStringLiteral("--ausgabe"), ics});
    QCOMPARE(l.code, 0);
    QFile datei(ics);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    const QByteArray inhalt = datei.readAll();
    QCOMPARE(inhalt.count("BEGIN:VEVENT"), 33);
    QVERIFY(inhalt.contains("DTSTART;TZID="));
    QVERIFY(inhalt.contains("SUMMARY:Umziehen\r\n"));
}

void TestWerkzeug::bedienfehler_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("ohne Befehl") << QStringList{};
    QTest::newRow("unbekannter Befehl") << QStringList{QStringLiteral("planen")};
    QTest::newRow("neu ohne Daten") << QStringList{QStringLiteral("neu"), QStringLiteral("--von"), QStringLiteral("3")};
    QStringList falschesDatum = Berlin2001;
    falschesDatum[6] = QStringLiteral("31.02.2001");
    QTest::newRow("31.02.2001") << falschesDatum;
    QStringList fuenfstellig = Berlin2001;
    fuenfstellig[8] = QStringLiteral("01.01.99999");
    QTest::newRow("fuenfstelliges Jahr") << fuenfstellig;
    QTest::newRow("unbekannte Option") << Berlin2001 + QStringList{QStringLiteral("--umzugswagen")};
    QTest::newRow("Wert fehlt") << QStringList{QStringLiteral("neu"), QStringLiteral("--von")};
    QTest::newRow("ics ohne Ausgabe") << QStringList{QStringLiteral("ics"), QStringLiteral("plan.kvr")};
    QTest::newRow("zeigen ohne Datei") << QStringList{QStringLiteral("zeigen")};
    QTest::newRow("Feiertage ohne Land") << QStringList{QStringLiteral("feiertage"), QStringLiteral("2027")};
}

void TestWerkzeug::bedienfehler()
{
    QFETCH(QStringList, args);
    const Lauf l = Starten(args);
    QCOMPARE(l.code, 2);
    QVERIFY(l.aus.isEmpty());
    QCOMPARE(l.fehler.count('\n'), 1);
}

QTEST_GUILESS_MAIN(TestWerkzeug)
#include "tst_werkzeug.moc"
