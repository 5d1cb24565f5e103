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

QTEST_GUILESS_MAIN(TestUmplanung)
#include "tst_umplanung.moc"
