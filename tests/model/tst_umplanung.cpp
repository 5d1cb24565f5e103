#include "model/plan.h"
#include "model/plandatei.h"
#include "model/tageszahl.h"

#include <QTest>

Q_DECLARE_METATYPE(taufgabe)

namespace {

double tagVon(int jahr, int monat, int tag)
{
    return Tageszahl::ausDatum(QDate(jahr, monat, tag));
}

// A task section as the program writes it for a task that is not done.
const QByteArray kAbschnitt("[21]\r\nKurzbezeichnung=Streichen\r\nNotiz=Farbe: wei\xdf|\r\n"
                            "vorher=7,11\r\nTag=10.03.2001\r\nStart=17\r\nDauer=15\r\n");

taufgabe gelesen(const QByteArray& datei)
{
    taufgabe a;
    AufgabeLesen(a, TBigIniFile::ausBytes(datei), 21);
    return a;
}

} // namespace

class TestUmplanung final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void erledigtLesen_data();
    void erledigtLesen();
    void erledigtSchreiben_data();
    void erledigtSchreiben();
    void rueckgaengigBehaeltErledigt();
    void planIdNurWennGesetzt_data();
    void planIdNurWennGesetzt();
    void planIdEinmalGemacht();
};

// Older copies of the program read plans of newer ones: a key they do not know must leave the
// task as it was, which is what makes "Erledigt" safe to add.
void TestUmplanung::erledigtLesen_data()
{
    QTest::addColumn<QByteArray>("zusatz");
    QTest::addColumn<bool>("erledigt");
    QTest::newRow("ohne Schlüssel") << QByteArray() << false;
    QTest::newRow("Erledigt=1") << QByteArray("Erledigt=1\r\n") << true;
    QTest::newRow("Erledigt=0") << QByteArray("Erledigt=0\r\n") << false;
    QTest::newRow("erledigt=1 klein") << QByteArray("erledigt=1\r\n") << true;
    QTest::newRow("Erledigt=ja gilt als nicht erledigt") << QByteArray("Erledigt=ja\r\n") << false;
    QTest::newRow("unbekannter Schlüssel wird übergangen")
        << QByteArray("Zukunftsfeld=7\r\nvorher2=1\r\n") << false;
    QTest::newRow("unbekannter Schlüssel vor Erledigt")
        << QByteArray("Zukunftsfeld=7\r\nErledigt=1\r\n") << true;
}

void TestUmplanung::erledigtLesen()
{
    QFETCH(QByteArray, zusatz);
    QFETCH(bool, erledigt);
    taufgabe erwartet = gelesen(kAbschnitt);
    QCOMPARE(erwartet.Kurzbezeichnung, QStringLiteral("Streichen"));
    QCOMPARE(erwartet.Erledigt, false);
    erwartet.Erledigt = erledigt;
    const taufgabe a = gelesen(kAbschnitt + zusatz);
    QCOMPARE(a.Notiz, QStringList{QStringLiteral("Farbe: weiß")});
    QCOMPARE(a.Erledigt, erledigt);
    QVERIFY(a == erwartet);
}

void TestUmplanung::erledigtSchreiben_data()
{
    QTest::addColumn<bool>("erledigt");
    QTest::addColumn<QByteArray>("ende");
    // Not done: the section ends as before the key existed.
    QTest::newRow("offen") << false << QByteArray("Dauer=15\r\nBenutzeraufgabe=0\r\n\r\n");
    QTest::newRow("erledigt") << true
                              << QByteArray("Dauer=15\r\nBenutzeraufgabe=0\r\nErledigt=1\r\n\r\n");
}

void TestUmplanung::erledigtSchreiben()
{
    QFETCH(bool, erledigt);
    QFETCH(QByteArray, ende);
    taufgabe a;
    a.Nummer = 21;
    a.Kurzbezeichnung = QStringLiteral("Streichen");
    a.Tag = tagVon(2001, 3, 10);
    a.Start = 17;
    a.Dauer = 15;
    a.Erledigt = erledigt;
    TBigIniFile ini = TBigIniFile::ausBytes({});
    QVERIFY(AufgabeEintragen(a, ini));
    const QByteArray bytes = ini.Inhalt();
    QVERIFY2(bytes.endsWith(ende), bytes.constData());
    QCOMPARE(bytes.contains("Erledigt"), erledigt);
    taufgabe zurueck;
    QVERIFY(AufgabeLesen(zurueck, ini, 21));
    QCOMPARE(zurueck.Erledigt, erledigt);
}

void TestUmplanung::rueckgaengigBehaeltErledigt()
{
    Plan plan;
    taufgabe a;
    a.Nummer = 10001;
    a.Kurzbezeichnung = QStringLiteral("Klavier");
    a.Erledigt = true;
    plan.Aufgaben = {a};
    plan.ZustandSichern();
    plan.Aufgaben.front().Erledigt = false;
    plan.ZustandWiederherstellen();
    QCOMPARE(plan.Aufgaben.front().Erledigt, true);
}

void TestUmplanung::planIdNurWennGesetzt_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QByteArray>("ende");
    QTest::newRow("ohne ID wie bisher")
        << QString() << QByteArray("Auszugdatum=31.03.2001\r\n\r\n[21]\r\n");
    QTest::newRow("mit ID nach den Daten")
        << QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e")
        << QByteArray("Auszugdatum=31.03.2001\r\nPlanID=0f8fad5b-d9cb-469f-a165-70867728950e\r\n"
                      "\r\n[21]\r\n");
}

void TestUmplanung::planIdNurWennGesetzt()
{
    QFETCH(QString, id);
    QFETCH(QByteArray, ende);
    Situation s;
    s.Einzugdatum = QStringLiteral("15.03.2001");
    s.Auszugdatum = QStringLiteral("31.03.2001");
    s.PlanID = id;
    taufgabe a;
    a.Nummer = 21;
    a.Kurzbezeichnung = QStringLiteral("Streichen");
    TBigIniFile ini = TBigIniFile::ausBytes({});
    QVERIFY(PlanEintragen(ini, {a}, s, tagVon(2001, 3, 1), 42));
    const QByteArray bytes = ini.Inhalt();
    QVERIFY2(bytes.contains(ende), bytes.constData());
    QCOMPARE(bytes.contains("PlanID"), !id.isEmpty());
    Aufgabenliste aufgaben;
    Situation zurueck;
    QVERIFY(PlanLaden(ini, aufgaben, zurueck));
    QCOMPARE(zurueck.PlanID, id);
    QVERIFY(zurueck == s);
}

void TestUmplanung::planIdEinmalGemacht()
{
    Plan plan;
    const QString id = plan.PlanIdSicherstellen();
    QCOMPARE(id.size(), 36);
    QVERIFY(!id.contains(QLatin1Char('{')));
    QCOMPARE(plan.PlanIdSicherstellen(), id);
    QCOMPARE(plan.situation.PlanID, id);
    Plan anderer;
    QVERIFY(anderer.PlanIdSicherstellen() != id);
    // A plan read from a file keeps the ID it has.
    anderer.situation.PlanID = QStringLiteral("aus-der-datei");
    QCOMPARE(anderer.PlanIdSicherstellen(), QStringLiteral("aus-der-datei"));
}

QTEST_GUILESS_MAIN(TestUmplanung)
#include "tst_umplanung.moc"
