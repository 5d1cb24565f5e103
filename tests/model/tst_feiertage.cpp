#include "model/feiertage.h"

#include <QTest>

class TestFeiertage final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void feiertag_data();
    void feiertag();
    void tagDerEinheitUeberall();
    void ostersonntag_data();
    void ostersonntag();
    void listeStimmtMitRegel();
    void doppelterFeiertagEinmal();
};

void TestFeiertage::feiertag_data()
{
    QTest::addColumn<QDate>("datum");
    QTest::addColumn<QList<int>>("laender"); // the codes for which the day is a holiday

    // Nationwide days hold for every code, also for unknown ones.
    const QList<int> alle{-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    QTest::newRow("Karfreitag 2027") << QDate(2027, 3, 26) << alle;
    QTest::newRow("Ostermontag 2027") << QDate(2027, 3, 29) << alle;
    QTest::newRow("Himmelfahrt 2027") << QDate(2027, 5, 6) << alle;
    QTest::newRow("Pfingstmontag 2027") << QDate(2027, 5, 17) << alle;
    QTest::newRow("Fronleichnam 2027") << QDate(2027, 5, 27) << QList<int>{1, 2, 7, 10, 11, 12};
    QTest::newRow("Allerheiligen 2005") << QDate(2005, 11, 1) << QList<int>{1, 2, 10, 11, 12};
    QTest::newRow("Buss- und Bettag 2004") << QDate(2004, 11, 17) << QList<int>{13};
    QTest::newRow("Buss- und Bettag 2027") << QDate(2027, 11, 17) << QList<int>{13};
    QTest::newRow("Buss- und Bettag 1994") << QDate(1994, 11, 16) << alle;
    QTest::newRow("Reformationstag 2017") << QDate(2017, 10, 31) << alle;
    QTest::newRow("Reformationstag 2016") << QDate(2016, 10, 31) << QList<int>{4, 8, 13, 14, 16};
    QTest::newRow("Reformationstag 2018")
        << QDate(2018, 10, 31) << QList<int>{4, 5, 6, 8, 9, 13, 14, 15, 16};
    QTest::newRow("Fronleichnam 2011") << QDate(2011, 6, 23) << QList<int>{1, 2, 7, 10, 11, 12};
    QTest::newRow("Karfreitag 2011") << QDate(2011, 4, 22) << alle;
    QTest::newRow("Fronleichnam 2004") << QDate(2004, 6, 10) << QList<int>{1, 2, 7, 10, 11, 12};
    QTest::newRow("Himmelfahrt 2003") << QDate(2003, 5, 29) << alle;
    QTest::newRow("Pfingstmontag 2006") << QDate(2006, 6, 5) << alle;
    QTest::newRow("Karfreitag 2008") << QDate(2008, 3, 21) << alle;
    QTest::newRow("1. Mai 2008, auch Himmelfahrt") << QDate(2008, 5, 1) << alle;
    QTest::newRow("Heilige Drei Koenige") << QDate(2026, 1, 6) << QList<int>{1, 2, 14};
    QTest::newRow("Frauentag 2018") << QDate(2018, 3, 8) << QList<int>{};
    QTest::newRow("Frauentag 2019") << QDate(2019, 3, 8) << QList<int>{3};
    QTest::newRow("Frauentag 2023") << QDate(2023, 3, 8) << QList<int>{3, 8};
    QTest::newRow("Tag der Befreiung 2025") << QDate(2025, 5, 8) << QList<int>{3};
    QTest::newRow("8. Mai 2026") << QDate(2026, 5, 8) << QList<int>{};
    QTest::newRow("17. Juni 2028") << QDate(2028, 6, 17) << QList<int>{3};
    QTest::newRow("Weltkindertag 2019") << QDate(2019, 9, 20) << QList<int>{16};
    QTest::newRow("Weltkindertag 2018") << QDate(2018, 9, 20) << QList<int>{};
    QTest::newRow("Mariae Himmelfahrt") << QDate(2026, 8, 15) << QList<int>{12};
    QTest::newRow("Ostersonntag 2026") << QDate(2026, 4, 5) << QList<int>{4};
    QTest::newRow("Pfingstsonntag 2026") << QDate(2026, 5, 24) << QList<int>{4};
    QTest::newRow("gewoehnlicher Dienstag") << QDate(2026, 12, 8) << QList<int>{};
    QTest::newRow("Heiligabend") << QDate(2026, 12, 24) << QList<int>{};
}

void TestFeiertage::feiertag()
{
    QFETCH(QDate, datum);
    QFETCH(QList<int>, laender);
    for (int land = -1; land <= 18; ++land) {
        const bool erwartet = laender.contains(land);
        QVERIFY2(IstFeiertag(datum.year(), datum.month(), datum.day(), land) == erwartet,
                 qPrintable(QStringLiteral("Land %1").arg(land)));
    }
}

void TestFeiertage::tagDerEinheitUeberall()
{
    for (int jahr = 1950; jahr <= 2100; jahr += 7)
        for (int land : {-1, 0, 1, 13, 17, 99})
            QVERIFY(IstFeiertag(jahr, 10, 3, land));
}

void TestFeiertage::ostersonntag_data()
{
    QTest::addColumn<int>("jahr");
    QTest::addColumn<QDate>("ostern");
    QTest::newRow("2001") << 2001 << QDate(2001, 4, 15);
    QTest::newRow("2002") << 2002 << QDate(2002, 3, 31);
    QTest::newRow("2005") << 2005 << QDate(2005, 3, 27);
    QTest::newRow("2008") << 2008 << QDate(2008, 3, 23);
    QTest::newRow("2010") << 2010 << QDate(2010, 4, 4);
    QTest::newRow("2019, spaet") << 2019 << QDate(2019, 4, 21);
    QTest::newRow("2027") << 2027 << QDate(2027, 3, 28);
    QTest::newRow("2038, spaetester") << 2038 << QDate(2038, 4, 25);
    QTest::newRow("2285, fruehester") << 2285 << QDate(2285, 3, 22);
}

void TestFeiertage::ostersonntag()
{
    QFETCH(int, jahr);
    QFETCH(QDate, ostern);
    QCOMPARE(Ostersonntag(jahr), ostern);
}

// The listing and the predicate are written separately; they must agree on every day.
void TestFeiertage::listeStimmtMitRegel()
{
    for (int jahr :
         {1990, 1994, 1995, 2001, 2004, 2008, 2017, 2018, 2020, 2025, 2026, 2027, 2028, 2050}) {
        for (int land = 0; land <= 17; ++land) {
            const auto liste = FeiertageDesJahres(jahr, land);
            for (QDate d(jahr, 1, 1); d.year() == jahr; d = d.addDays(1)) {
                const bool inListe = std::any_of(liste.begin(), liste.end(),
                                                 [&](const Feiertag& f) { return f.Datum == d; });
                QVERIFY2(inListe == IstFeiertag(jahr, d.month(), d.day(), land),
                         qPrintable(d.toString(Qt::ISODate) + QStringLiteral(" Land ") +
                                    QString::number(land)));
            }
            QVERIFY(std::is_sorted(
                liste.begin(), liste.end(),
                [](const Feiertag& a, const Feiertag& b) { return a.Datum < b.Datum; }));
        }
    }
}

void TestFeiertage::doppelterFeiertagEinmal()
{
    const auto liste = FeiertageDesJahres(2008, 3);
    const auto anzahl = std::count_if(
        liste.begin(), liste.end(), [](const Feiertag& f) { return f.Datum == QDate(2008, 5, 1); });
    QCOMPARE(anzahl, 1);
    const auto it = std::find_if(liste.begin(), liste.end(),
                                 [](const Feiertag& f) { return f.Datum == QDate(2008, 5, 1); });
    QCOMPARE(it->Name, QStringLiteral("Tag der Arbeit, Christi Himmelfahrt"));
}

QTEST_APPLESS_MAIN(TestFeiertage)
#include "tst_feiertage.moc"
