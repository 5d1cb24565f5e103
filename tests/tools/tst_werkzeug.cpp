#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct Lauf
{
    int code = -1;
    QByteArray aus;
    QByteArray fehler;
};

Lauf Starten(const QStringList& args, int warten = 30000, const QString& ordner = {})
{
    QProcess p;
    if (!ordner.isEmpty())
        p.setWorkingDirectory(ordner);
    p.start(QStringLiteral(KL_WERKZEUG), args);
    p.waitForFinished(warten);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

const QStringList Berlin2001{
    QStringLiteral("neu"),        QStringLiteral("--von"),    QStringLiteral("3"),
    QStringLiteral("--nach"),     QStringLiteral("3"),        QStringLiteral("--einzug"),
    QStringLiteral("10.09.2001"), QStringLiteral("--auszug"), QStringLiteral("14.09.2001")};

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
    void zeigenBeschaedigt();
    void textOhneSteuerzeichen_data();
    void textOhneSteuerzeichen();
    void endeDerOptionen();
    void umplanen();
    void keineGewoehnlicheDatei_data();
    void keineGewoehnlicheDatei();
    void schreibfehlerAufDeutsch();
    void schreibgeschuetzterPlan();
    void zeigenGrenzwerte();
    void icsAusPlandatei();
    void icsNichtJenseitsVon3000();
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
    QVERIFY(zeilen.contains(
        QString::fromUtf8("2\t01.09.2001\t08:00\t01h00\tBankkonto ummelden").toUtf8()));
}

void TestWerkzeug::neuAufgeben()
{
    const Lauf l =
        Starten({QStringLiteral("neu"), QStringLiteral("--von"), QStringLiteral("3"),
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
    QCOMPARE(o.value(QStringLiteral("Situation"))
                 .toObject()
                 .value(QStringLiteral("Einzugdatum"))
                 .toString(),
             QStringLiteral("10.09.2001"));
    const QJsonArray aufgaben = o.value(QStringLiteral("Aufgaben")).toArray();
    QCOMPARE(aufgaben.size(), 33);
    const QJsonObject erste = aufgaben.first().toObject();
    for (const char* schluessel :
         {"Nummer", "Kurzbezeichnung", "Beschreibung", "Notiz", "Druckvorlage",
          "ausserhalbBuerozeit", "auchSonntags", "vorher", "beiAuszugsrenovierung",
          "beiEinzugsrenovierung", "mitSpedition", "ohneSpedition", "mitKindern", "vorgabeDauer",
          "Tag", "Start", "Dauer", "Benutzeraufgabe"})
        QVERIFY2(erste.contains(QLatin1String(schluessel)), schluessel);
    QVERIFY(erste.value(QStringLiteral("Beschreibung")).isArray());
    QVERIFY(o.value(QStringLiteral("Konflikte")).toArray().isEmpty());
}

void TestWerkzeug::feiertageAlsJson()
{
    const Lauf l = Starten({QStringLiteral("feiertage"), QStringLiteral("2027"),
                            QStringLiteral("13"), QStringLiteral("--json")});
    QCOMPARE(l.code, 0);
    const QJsonArray liste = QJsonDocument::fromJson(l.aus).array();
    QCOMPARE(liste.size(), 11);
    QCOMPARE(liste.at(8).toObject().value(QStringLiteral("Datum")).toString(),
             QStringLiteral("17.11.2027"));
    QCOMPARE(liste.at(8).toObject().value(QStringLiteral("Name")).toString(),
             QStringLiteral("Buß- und Bettag"));
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
    QVERIFY(datei.readAll().startsWith(
        "[allgemein]\r\nBundeslandA=3\r\nBundeslandB=3\r\nanzdays=49\r\nfirstday=37116\r\n"));
}

void TestWerkzeug::zeigenFehlerhaft()
{
    QTemporaryDir ordner;
    const Lauf l =
        Starten({QStringLiteral("zeigen"), ordner.filePath(QStringLiteral("fehlt.kvr"))});
    QCOMPARE(l.code, 3);
    QVERIFY(l.aus.isEmpty());
    QCOMPARE(QString::fromUtf8(l.fehler),
             QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten\n"
                            "Die Datei „%1“ gibt es nicht.\n")
                 .arg(ordner.filePath(QStringLiteral("fehlt.kvr"))));

    // The store's own reason reaches the user.
    const QString gross = ordner.filePath(QStringLiteral("gross.kvr"));
    QFile datei(gross);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    QVERIFY(datei.resize(qint64{17} * 1024 * 1024));
    datei.close();
    const Lauf zuGross = Starten({QStringLiteral("zeigen"), gross});
    QCOMPARE(zuGross.code, 3);
    QCOMPARE(QString::fromUtf8(zuGross.fehler),
             QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten\n"
                            "Die Datei „%1“ ist zu groß (mehr als 16 MB).\n")
                 .arg(gross));
}

// A task cut off before its day is not shown on a made-up day; standard error names it.
void TestWerkzeug::zeigenBeschaedigt()
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("kaputt.kvr"));
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write("[allgemein]\r\nBundeslandA=3\r\n\r\n[7]\r\nKurzbezeichnung=Umziehen\r\n"
                "Tag=01.06.2027\r\nStart=17\r\nDauer=15\r\n\r\n[9]\r\nKurzbezeichnung=Packen\r\n"
                "Beschrei");
    datei.close();
    const Lauf l = Starten({QStringLiteral("zeigen"), pfad});
    QCOMPARE(l.code, 0);
    QCOMPARE(l.aus, QByteArray("7\t01.06.2027\t08:00\t08h00\tUmziehen\n"));
    QCOMPARE(
        QString::fromUtf8(l.fehler),
        QStringLiteral(
            "Die Datei „%1“ ist beschädigt.\n"
            "Eine Aufgabe hat keinen gültigen Tag und wurde nicht geladen: "
            "9 „Packen“.\n"
            "Bei einer Aufgabe fehlten Angaben, für die Vorgaben eingesetzt "
            "wurden: 7 „Umziehen“ (Beschreibung, Notiz, Druckvorlage, "
            "ausserhalbBuerozeit, auchSonntags, vorher, beiAuszugsrenovierung, "
            "beiEinzugsrenovierung, mitSpedition, ohneSpedition, vorgabeDauer, "
            "Benutzeraufgabe).\n"
            "Wenn Sie den Plan speichern, fehlen die nicht geladenen Aufgaben darin. Speichern "
            "Sie ihn unter einem neuen Namen, um die Datei zu behalten.\n")
            .arg(pfad));
}

// A title from a hostile plan can neither set the terminal's title, clear the screen, plant a
// link nor break the tab-separated line: control characters are shown as \x.. escapes.
void TestWerkzeug::textOhneSteuerzeichen_data()
{
    QTest::addColumn<QByteArray>("titel");
    QTest::addColumn<QByteArray>("gezeigt");
    QTest::newRow("Fenstertitel") << QByteArray("A\x1b]0;boese\x07"
                                                "B")
                                  << QByteArray("A\\x1B]0;boese\\x07B");
    QTest::newRow("Bildschirm löschen") << QByteArray("\x1b[2JX") << QByteArray("\\x1B[2JX");
    QTest::newRow("Verweis (OSC 8)") << QByteArray("\x1b]8;;http://x\x1b\\Hier\x1b]8;;\x1b\\")
                                     << QByteArray("\\x1B]8;;http://x\\x1B\\Hier\\x1B]8;;\\x1B\\");
    QTest::newRow("C1-Steuerzeichen CSI") << QByteArray("a\xc2\x9b"
                                                        "2Jb")
                                          << QByteArray("a\\x9B"
                                                        "2Jb");
    QTest::newRow("Tabulator und DEL") << QByteArray("a\tb\x7f") << QByteArray("a\\x09b\\x7F");
    QTest::newRow("Umlaute bleiben") << QByteArray("Küche") << QByteArray("Küche");
}

void TestWerkzeug::textOhneSteuerzeichen()
{
    QFETCH(QByteArray, titel);
    QFETCH(QByteArray, gezeigt);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("steuer.kvr"));
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write("\xEF\xBB\xBF[allgemein]\r\nBundeslandA=3\r\n\r\n[10001]\r\nKurzbezeichnung=" +
                titel + "\r\nTag=01.06.2027\r\nStart=17\r\nDauer=1\r\n");
    datei.close();
    const Lauf l = Starten({QStringLiteral("zeigen"), pfad});
    QCOMPARE(l.code, 0);
    QCOMPARE(l.aus, "10001\t01.06.2027\t08:00\t01h00\t" + gezeigt + "\n");
    QVERIFY(!l.fehler.contains('\x1b'));
}

// "--" ends the options: a plan whose name begins with "--" can be given.
void TestWerkzeug::endeDerOptionen()
{
    QTemporaryDir ordner;
    const Lauf neu =
        Starten(Berlin2001 + QStringList{QStringLiteral("--speichern"), QStringLiteral("--x.kvr")},
                30000, ordner.path());
    QCOMPARE(neu.code, 0);
    QVERIFY(QFile::exists(ordner.filePath(QStringLiteral("--x.kvr"))));
    const Lauf zeigen =
        Starten({QStringLiteral("zeigen"), QStringLiteral("--"), QStringLiteral("--x.kvr")}, 30000,
                ordner.path());
    QCOMPARE(zeigen.code, 0);
    QCOMPARE(zeigen.aus, neu.aus);
    const Lauf json = Starten({QStringLiteral("zeigen"), QStringLiteral("--json"),
                               QStringLiteral("--"), QStringLiteral("--x.kvr")},
                              30000, ordner.path());
    QCOMPARE(json.code, 0);
    QVERIFY(json.aus.startsWith("{"));
    // Without "--" the name reads as an unknown option.
    QCOMPARE(
        Starten({QStringLiteral("zeigen"), QStringLiteral("--x.kvr")}, 30000, ordner.path()).code,
        2);
}

// The moving day two weeks later: the plan is planned again and written back, a done task
// and its note kept, and the done state shown.
void TestWerkzeug::umplanen()
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("plan.kvr"));
    QCOMPARE(Starten(Berlin2001 + QStringList{QStringLiteral("--speichern"), pfad}).code, 0);
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    QByteArray inhalt = datei.readAll();
    datei.close();
    inhalt.replace("[9]\r\nKurzbezeichnung=Packen\r\nBeschreibung=",
                   "[9]\r\nKurzbezeichnung=Packen\r\nErledigt=1\r\nBeschreibung=");
    QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    datei.write(inhalt);
    datei.close();

    const Lauf l = Starten({QStringLiteral("umplanen"), pfad, QStringLiteral("--einzug"),
                            QStringLiteral("24.09.2001"), QStringLiteral("--auszug"),
                            QStringLiteral("28.09.2001")});
    QCOMPARE(l.code, 0);
    const QList<QByteArray> zeilen = l.aus.trimmed().split('\n');
    QVERIFY(zeilen.contains(QByteArray("7\t26.09.2001\t08:00\t08h00\tUmziehen")));
    QVERIFY(zeilen.contains(QByteArray("9\t23.09.2001\t08:00\t08h00\tPacken\terledigt")));
    const Lauf zeigen = Starten({QStringLiteral("zeigen"), pfad, QStringLiteral("--json")});
    const QJsonObject o = QJsonDocument::fromJson(zeigen.aus).object();
    QCOMPARE(o.value(QStringLiteral("Situation")).toObject().value(QStringLiteral("Einzugdatum")),
             QStringLiteral("24.09.2001"));
    bool erledigt = false;
    for (const QJsonValue a : o.value(QStringLiteral("Aufgaben")).toArray()) {
        if (a.toObject().value(QStringLiteral("Nummer")).toInt() == 9)
            erledigt = a.toObject().value(QStringLiteral("Erledigt")).toBool();
    }
    QVERIFY(erledigt);
}

// A pipe is neither read (it would wait for a writer forever) nor replaced by a file.
void TestWerkzeug::keineGewoehnlicheDatei_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("meldung");
    const QString lesen = QStringLiteral("Beim Laden der Datei ist ein Fehler aufgetreten\n"
                                         "Die Datei „PIPE“ kann nicht gelesen werden: ");
    QTest::newRow("zeigen") << QStringList{QStringLiteral("zeigen"), QStringLiteral("PIPE")} << 3
                            << lesen;
    QTest::newRow("ics aus einer Pipe")
        << QStringList{QStringLiteral("ics"), QStringLiteral("PIPE"), QStringLiteral("--ausgabe"),
                       QStringLiteral("ORDNER/t.ics")}
        << 3 << lesen;
    QTest::newRow("neu --speichern")
        << Berlin2001 + QStringList{QStringLiteral("--speichern"), QStringLiteral("PIPE")} << 4
        << QStringLiteral("Beim Speichern ist ein Fehler aufgetreten.\n"
                          "Die Datei „PIPE“ kann nicht geschrieben werden: ");
    QTest::newRow("ics --ausgabe")
        << QStringList{QStringLiteral("ics"), QStringLiteral("PLAN"), QStringLiteral("--ausgabe"),
                       QStringLiteral("PIPE")}
        << 4
        << QStringLiteral("Beim Schreiben der Termine ist ein Fehler aufgetreten.\n"
                          "Die Termindatei „PIPE“ konnte nicht geschrieben werden: ");
}

void TestWerkzeug::keineGewoehnlicheDatei()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, meldung);
    QTemporaryDir ordner;
    const QString pipe = ordner.filePath(QStringLiteral("plan.kvr"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString plan = ordner.filePath(QStringLiteral("echt.kvr"));
    QCOMPARE(Starten(Berlin2001 + QStringList{QStringLiteral("--speichern"), plan}).code, 0);
    for (QString& a : args) {
        a.replace(QStringLiteral("PIPE"), pipe);
        a.replace(QStringLiteral("PLAN"), plan);
        a.replace(QStringLiteral("ORDNER"), ordner.path());
    }
    const Lauf l = Starten(args, 10000);
    QCOMPARE(l.code, code);
    QCOMPARE(QString::fromUtf8(l.fehler),
             meldung.replace(QStringLiteral("PIPE"), pipe) +
                 QStringLiteral("Das ist keine gewöhnliche Datei, sondern eine Pipe (FIFO).\n"));
    QVERIFY(QFileInfo(pipe).isFile() == false);
    struct stat st
    {
    };
    QCOMPARE(::stat(QFile::encodeName(pipe).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
}

// The reason of a failed write, in German, on a line of its own.
void TestWerkzeug::schreibfehlerAufDeutsch()
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("datei"));
    QFile f(datei);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString ziel = datei + QStringLiteral("/plan.kvr");
    const Lauf l = Starten(Berlin2001 + QStringList{QStringLiteral("--speichern"), ziel});
    QCOMPARE(l.code, 4);
    QCOMPARE(QString::fromUtf8(l.fehler),
             QStringLiteral("Beim Speichern ist ein Fehler aufgetreten.\n"
                            "Die Datei „%1“ kann nicht geschrieben werden: Ein Teil des Pfades ist "
                            "kein Ordner.\n")
                 .arg(ziel));
}

// A plan the user has write-protected is not replaced, and the tool says why.
void TestWerkzeug::schreibgeschuetzterPlan()
{
    QTemporaryDir ordner;
    const QString plan = ordner.filePath(QStringLiteral("umzug.kvr"));
    QFile f(plan);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write("[allgemein]\r\n"), 13);
    f.close();
    QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const Lauf l = Starten(Berlin2001 + QStringList{QStringLiteral("--speichern"), plan});
    QCOMPARE(l.code, 4);
    QCOMPARE(QString::fromUtf8(l.fehler),
             QStringLiteral("Beim Speichern ist ein Fehler aufgetreten.\n"
                            "Die Datei „%1“ kann nicht geschrieben werden: Die Datei ist "
                            "schreibgeschützt. Heben Sie den Schreibschutz auf oder speichern Sie "
                            "unter einem anderen Namen.\n")
                 .arg(plan));
    QCOMPARE(QFileInfo(plan).size(), 13);
}

// Start -2147483648 and Dauer 2147483647 from a file: clamped into the lists as the task
// dialog and the task sheet show them.
void TestWerkzeug::zeigenGrenzwerte()
{
    const Lauf l = Starten({QStringLiteral("zeigen"), QStringLiteral(KL_DATEN "/grenzwerte.kvr")});
    QCOMPARE(l.code, 0);
    const QList<QByteArray> zeilen = l.aus.trimmed().split('\n');
    QVERIFY(zeilen.contains(QByteArray("10001\t01.03.2027\t00:00\t23h30\tKleinster Beginn")));
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

void TestWerkzeug::icsNichtJenseitsVon3000()
{
    QTemporaryDir ordner;
    const QString ics = ordner.filePath(QStringLiteral("termine.ics"));
    const Lauf l = Starten({QStringLiteral("ics"), QStringLiteral(KL_DATEN "/jahr3027.kvr"),
                            QStringLiteral("--ausgabe"), ics});
    QCOMPARE(l.code, 4);
    QVERIFY(l.aus.isEmpty());
    QCOMPARE(
        QString::fromUtf8(l.fehler),
        QStringLiteral("Beim Schreiben der Termine ist ein Fehler aufgetreten.\n"
                       "Diese Aufgaben liegen nicht in den Jahren 1 bis 3000, die ein Kalender "
                       "aufnehmen kann:\n„Schlüssel übergeben“ am 01.03.3027\nBitte "
                       "korrigieren Sie ihr Datum. Es wurden keine Termine übertragen.\n"));
    QVERIFY(!QFile::exists(ics));
}

void TestWerkzeug::bedienfehler_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("ohne Befehl") << QStringList{};
    QTest::newRow("unbekannter Befehl") << QStringList{QStringLiteral("planen")};
    QTest::newRow("neu ohne Daten")
        << QStringList{QStringLiteral("neu"), QStringLiteral("--von"), QStringLiteral("3")};
    QStringList falschesDatum = Berlin2001;
    falschesDatum[6] = QStringLiteral("31.02.2001");
    QTest::newRow("31.02.2001") << falschesDatum;
    QStringList fuenfstellig = Berlin2001;
    fuenfstellig[8] = QStringLiteral("01.01.99999");
    QTest::newRow("fuenfstelliges Jahr") << fuenfstellig;
    QTest::newRow("unbekannte Option") << Berlin2001 + QStringList{QStringLiteral("--umzugswagen")};
    QTest::newRow("Wert fehlt") << QStringList{QStringLiteral("neu"), QStringLiteral("--von")};
    QTest::newRow("ics ohne Ausgabe")
        << QStringList{QStringLiteral("ics"), QStringLiteral("plan.kvr")};
    QTest::newRow("zeigen ohne Datei") << QStringList{QStringLiteral("zeigen")};
    QTest::newRow("Feiertage ohne Land")
        << QStringList{QStringLiteral("feiertage"), QStringLiteral("2027")};
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
