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
    QCOMPARE(h.knoepfe[9], QRect(x, 620 - 24 - 10, 120, 24)); // Ende
    for (size_t i = 0; i + 1 < h.knoepfe.size(); ++i)
        QCOMPARE(h.knoepfe[i].bottom() + 1, h.knoepfe[i + 1].top());
    QCOMPARE(h.knoepfe[0].top(), 620 - 10 - 10 * 24); // Rückgängig on top
}

void TestFensterlayout::wochentagskoepfe()
{
    QCOMPARE(Wochentagskopf(0, 736), QRect(20, 0, 100, 17));
    QCOMPARE(Wochentagskopf(6, 736), QRect(620, 0, 100, 17));
}

QTEST_APPLESS_MAIN(TestFensterlayout)
#include "tst_fensterlayout.moc"
