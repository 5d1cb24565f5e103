#include "model/kalender.h"
#include "model/tageszahl.h"
#include "support/testdaten.h"

#include <QTest>

#include <limits>

class TestKalender final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spanne_data();
    void spanne();
    void leererPlan();
    void aufgabeOhneTag();
    void kalenderwochen_data();
    void kalenderwochen();
    void ordnen();
    void verteilen();
    void wochentag_data();
    void wochentag();
};

void TestKalender::spanne_data()
{
    QTest::addColumn<double>("frueh");
    QTest::addColumn<double>("spaet");
    QTest::addColumn<double>("firstday");
    QTest::addColumn<int>("anzdays");
    QTest::newRow("volle Runde") << T(2001, 8, 16) << T(2001, 9, 29) << T(2001, 8, 13) << 49;
    QTest::newRow("Mittwoch bis Dienstag")
        << T(2001, 8, 29) << T(2001, 10, 2) << T(2001, 8, 27) << 42;
    QTest::newRow("kurz: fuenf Wochen") << T(2001, 8, 16) << T(2001, 8, 17) << T(2001, 8, 13) << 35;
    QTest::newRow("lang: 52 Wochen") << T(2001, 8, 16) << T(2003, 1, 1) << T(2001, 8, 13) << 364;
    QTest::newRow("Montag bleibt") << T(2026, 12, 28) << T(2027, 1, 3) << T(2026, 12, 28) << 35;
    QTest::newRow("Sonntag") << T(2026, 12, 27) << T(2027, 2, 7) << T(2026, 12, 21) << 49;
    QTest::newRow("Tageszeit") << T(2001, 8, 16) + 0.75 << T(2001, 9, 30) + 0.5 << T(2001, 8, 13)
                               << 49;
}

void TestKalender::spanne()
{
    QFETCH(double, frueh);
    QFETCH(double, spaet);
    QFETCH(double, firstday);
    QFETCH(int, anzdays);
    const Kalenderspanne s = SpanneBerechnen(frueh, spaet, 0);
    QCOMPARE(s.ersterTag, firstday);
    QCOMPARE(s.tage, anzdays);
    QCOMPARE(Tageszahl::Wochentag(s.ersterTag), 2);
}

void TestKalender::leererPlan()
{
    const Kalenderspanne s = SpanneBerechnen(Aufgabenliste{}, T(2026, 12, 10));
    QCOMPARE(s.ersterTag, T(2026, 12, 7));
    QCOMPARE(s.tage, 35);
}

// A task without a day, first or among others, never decides the span.
void TestKalender::aufgabeOhneTag()
{
    taufgabe ohne;
    ohne.Tag = std::numeric_limits<double>::quiet_NaN();
    taufgabe mit;
    mit.Tag = T(2001, 8, 16);
    for (const Aufgabenliste& liste :
         {Aufgabenliste{ohne, mit}, Aufgabenliste{mit, ohne}, Aufgabenliste{ohne, mit, ohne}}) {
        const Kalenderspanne s = SpanneBerechnen(liste, T(2026, 12, 10));
        QCOMPARE(s.ersterTag, T(2001, 8, 13));
        QCOMPARE(s.tage, 35);
    }
    QCOMPARE(SpanneBerechnen(Aufgabenliste{ohne}, T(2026, 12, 10)).ersterTag, T(2026, 12, 7));
}

void TestKalender::kalenderwochen_data()
{
    QTest::addColumn<double>("firstday");
    QTest::addColumn<int>("anzdays");
    QTest::addColumn<QList<int>>("wochen");
    QTest::newRow("2001") << T(2001, 8, 13) << 49 << QList<int>{33, 34, 35, 36, 37, 38, 39};
    QTest::newRow("Wechsel 2026/2027") << T(2026, 12, 21) << 35 << QList<int>{52, 53, 1, 2, 3};
    QTest::newRow("27.12.2004") << T(2004, 12, 27) << 35 << QList<int>{53, 1, 2, 3, 4};
    QTest::newRow("Wechsel 2001/2002") << T(2001, 12, 24) << 35 << QList<int>{52, 1, 2, 3, 4};
}

void TestKalender::kalenderwochen()
{
    QFETCH(double, firstday);
    QFETCH(int, anzdays);
    QFETCH(QList<int>, wochen);
    QCOMPARE(Kalenderwochen({firstday, anzdays}), wochen);
}

void TestKalender::ordnen()
{
    TagDaten tag;
    tag.TerminHinzufuegen(1, 17, {}, QStringLiteral("erste 17"), 3);
    tag.TerminHinzufuegen(2, 17, {}, QStringLiteral("zweite 17"), 3);
    tag.TerminHinzufuegen(3, 10, {}, QStringLiteral("10"), 3);
    QCOMPARE(tag.Termine.size(), size_t(3));
    QCOMPARE(tag.Termine[0].Nummer, 3);
    QCOMPARE(tag.Termine[1].Nummer, 1);
    QCOMPARE(tag.Termine[2].Nummer, 2);
}

void TestKalender::verteilen()
{
    std::vector<TagDaten> tage;
    tage.reserve(35);
    for (int i = 0; i < 35; ++i)
        tage.emplace_back(1000.0 + i);
    std::vector<TagDaten*> zeiger;
    zeiger.reserve(tage.size());
    for (auto& t : tage)
        zeiger.push_back(&t);
    taufgabe a;
    a.Nummer = 1;
    a.Start = 30;
    a.Tag = 1002.7;
    taufgabe b = a;
    b.Nummer = 2;
    b.Start = 20;
    taufgabe vorher = a;
    vorher.Tag = 999.9;
    taufgabe danach = a;
    danach.Tag = 1035;
    AufgabenVerteilen({a, b, vorher, danach}, zeiger);
    QCOMPARE(tage[2].Termine.size(), size_t(2));
    QCOMPARE(tage[2].Termine.front().Nummer, 2);
    int summe = 0;
    for (const auto& t : tage)
        summe += int(t.Termine.size());
    QCOMPARE(summe, 2);
    AufgabenVerteilen({}, zeiger);
    QVERIFY(tage[2].Termine.empty());
}

void TestKalender::wochentag_data()
{
    QTest::addColumn<QDate>("datum");
    QTest::addColumn<int>("wochentag");
    QTest::newRow("30.12.1899, Samstag") << QDate(1899, 12, 30) << 7;
    QTest::newRow("Sonntag") << QDate(2001, 9, 16) << 1;
    QTest::newRow("Montag") << QDate(2001, 8, 13) << 2;
    QTest::newRow("vor der Epoche, Freitag") << QDate(1899, 12, 29) << 6;
}

void TestKalender::wochentag()
{
    QFETCH(QDate, datum);
    QFETCH(int, wochentag);
    QCOMPARE(Tageszahl::Wochentag(Tageszahl::ausDatum(datum)), wochentag);
}

QTEST_APPLESS_MAIN(TestKalender)
#include "tst_kalender.moc"
