#include "app/fensterlayout.h"

#include <QTest>

using namespace Fensterlayout;

class TestFensterlayout final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zellenbreite_data();
    void zellenbreite();
    void zellen();
    void hauptfenster();
    void wochentagskoepfe();
    void wiederhergestellt_data();
    void wiederhergestellt();
    void mindestgroesse();
};

void TestFensterlayout::zellenbreite_data()
{
    QTest::addColumn<int>("kalender");
    QTest::addColumn<int>("zelle");
    QTest::newRow("736") << 736 << 100;
    QTest::newRow("742 rundet ab") << 742 << 100;
    QTest::newRow("743") << 743 << 101;
}

void TestFensterlayout::zellenbreite()
{
    QFETCH(int, kalender);
    QFETCH(int, zelle);
    QCOMPARE(Zellenbreite(kalender), zelle);
}

void TestFensterlayout::zellen()
{
    QCOMPARE(Zelle(0, 736), QRect(20, 0, 100, 164));
    QCOMPARE(Zelle(6, 736), QRect(620, 0, 100, 164));
    QCOMPARE(Zelle(7, 736), QRect(20, 164, 100, 164));
    QCOMPARE(Zelle(363, 736), QRect(620, 51 * 164, 100, 164));
}

void TestFensterlayout::hauptfenster()
{
    const Hauptfenster h = Berechnen(QSize(755, 620));
    const int x = 755 - 120;
    QCOMPARE(h.kalender, QRect(0, 57, x - 10, 620 - 32 - 17 - 40));
    QCOMPARE(h.kopfleiste, QRect(0, 40, x - 10, 17));
    QCOMPARE(h.logo, QRect(555, 0, 200, 32));
    QCOMPARE(h.deko, QRect(x, 0, 120, 620));
    QCOMPARE(h.status, QRect(0, 588, x, 32));
    QCOMPARE(h.knoepfe[11], QRect(x, 620 - 24 - 10, 120, 24)); // Ende
    for (size_t i = 0; i + 1 < h.knoepfe.size(); ++i)
        QCOMPARE(h.knoepfe[i].bottom() + 1, h.knoepfe[i + 1].top());
    QCOMPARE(h.knoepfe[0].top(), 620 - 10 - 12 * 24); // Rückgängig on top
}

void TestFensterlayout::wochentagskoepfe()
{
    QCOMPARE(Wochentagskopf(0, 736), QRect(20, 0, 100, 17));
    QCOMPARE(Wochentagskopf(6, 736), QRect(620, 0, 100, 17));
}

void TestFensterlayout::wiederhergestellt_data()
{
    QTest::addColumn<QRect>("gespeichert");
    QTest::addColumn<QRect>("ergebnis");
    // The screen area 0,0 1920×1050 (a panel below), the window at least 700×400.
    QTest::newRow("passt") << QRect(40, 30, 800, 600) << QRect(40, 30, 800, 600);
    QTest::newRow("zu klein") << QRect(40, 30, 300, 200) << QRect(40, 30, 700, 400);
    QTest::newRow("zweiter Bildschirm rechts, nicht mehr da")
        << QRect(2500, 100, 800, 600) << QRect(1120, 100, 800, 600);
    QTest::newRow("links oben außerhalb") << QRect(-900, -50, 800, 600) << QRect(0, 0, 800, 600);
    QTest::newRow("größer als der Bildschirm")
        << QRect(10, 10, 2560, 1440) << QRect(0, 0, 1920, 1050);
    QTest::newRow("feindlich") << QRect(32767, 32767, 32767, 32767) << QRect(0, 0, 1920, 1050);
}

void TestFensterlayout::wiederhergestellt()
{
    QFETCH(QRect, gespeichert);
    QFETCH(QRect, ergebnis);
    QCOMPARE(Wiederhergestellt(gespeichert, QRect(0, 0, 1920, 1050), QSize(700, 400)), ergebnis);
}

// At the smallest size the heads have their width, the buttons stay below the logo, one week
// of cells shows.
void TestFensterlayout::mindestgroesse()
{
    const QSize m = Mindestgroesse(90, 500);
    const Hauptfenster h = Berechnen(m);
    QCOMPARE(Wochentagskopf(0, h.kopfleiste.width()).width(), 90);
    QVERIFY(h.knoepfe[0].top() >= h.logo.bottom());
    QVERIFY(h.kalender.height() >= 164);
    QVERIFY(20 + 500 + 8 <= h.logo.left());
}

QTEST_APPLESS_MAIN(TestFensterlayout)
#include "tst_fensterlayout.moc"
