#include "model/kalendertexte.h"
#include "support/testdaten.h"

#include <QTest>

class TestKalendertexte final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tageskopf_data();
    void tageskopf();
    void monatsspanne_data();
    void monatsspanne();
    void vorlesen_data();
    void vorlesen();
};

void TestKalendertexte::tageskopf_data()
{
    QTest::addColumn<double>("tag");
    QTest::addColumn<bool>("ersteZelle");
    QTest::addColumn<QString>("kopf");

    QTest::newRow("first of a month") << T(2027, 3, 1) << false << QStringLiteral("1. März");
    QTest::newRow("second of a month") << T(2027, 3, 2) << false << QStringLiteral("2.3.");
    QTest::newRow("first cell, in week 53")
        << T(2026, 12, 28) << true << QStringLiteral("28. Dezember");
    QTest::newRow("new year after week 53")
        << T(2027, 1, 1) << false << QStringLiteral("1. Januar");
    QTest::newRow("last day of the year") << T(2026, 12, 31) << false << QStringLiteral("31.12.");
}

void TestKalendertexte::tageskopf()
{
    QFETCH(double, tag);
    QFETCH(bool, ersteZelle);
    QFETCH(QString, kopf);
    QCOMPARE(Kalendertexte::Tageskopf(tag, Kalendertexte::MonatImKopf(tag, ersteZelle)), kopf);
}

void TestKalendertexte::monatsspanne_data()
{
    QTest::addColumn<double>("von");
    QTest::addColumn<double>("bis");
    QTest::addColumn<QString>("text");

    QTest::newRow("one month") << T(2027, 3, 1) << T(2027, 3, 31) << QStringLiteral("März 2027");
    QTest::newRow("two months") << T(2027, 2, 3) << T(2027, 3, 20)
                                << QStringLiteral("Februar – März 2027");
    QTest::newRow("over the new year")
        << T(2026, 12, 28) << T(2027, 1, 31) << QStringLiteral("Dezember 2026 – Januar 2027");
    QTest::newRow("same month, two years")
        << T(2026, 3, 2) << T(2027, 3, 1) << QStringLiteral("März 2026 – März 2027");
}

void TestKalendertexte::monatsspanne()
{
    QFETCH(double, von);
    QFETCH(double, bis);
    QFETCH(QString, text);
    QCOMPARE(Kalendertexte::Monatsspanne(von, bis), text);
}

void TestKalendertexte::vorlesen_data()
{
    QTest::addColumn<qint32>("start");
    QTest::addColumn<qint32>("dauer");
    QTest::addColumn<QString>("text");

    const QString tag = QStringLiteral("Mittwoch, 3. März 2027: Telefon ummelden, ");
    QTest::newRow("two hours") << 18 << 3 << tag + QStringLiteral("08:30, 2 Stunden");
    QTest::newRow("half an hour") << 1 << 0 << tag + QStringLiteral("00:00, 30 Minuten");
    QTest::newRow("one hour") << 48 << 1 << tag + QStringLiteral("23:30, 1 Stunde");
    QTest::newRow("an hour and a half") << 17 << 2 << tag + QStringLiteral("08:00, 1,5 Stunden");
    QTest::newRow("from a file, out of range")
        << 17 << -5 << tag + QStringLiteral("08:00, 30 Minuten");
}

void TestKalendertexte::vorlesen()
{
    QFETCH(qint32, start);
    QFETCH(qint32, dauer);
    QFETCH(QString, text);
    QCOMPARE(Kalendertexte::AufgabeGesprochen(T(2027, 3, 3), QStringLiteral("Telefon ummelden"),
                                              start, dauer),
             text);
}

QTEST_GUILESS_MAIN(TestKalendertexte)
#include "tst_kalendertexte.moc"
