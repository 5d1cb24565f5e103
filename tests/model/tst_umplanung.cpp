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

} // namespace

class TestUmplanung final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rueckgaengigBehaeltErledigt();
    void planIdNurWennGesetzt_data();
    void planIdNurWennGesetzt();
    void planIdEinmalGemacht();
};

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
