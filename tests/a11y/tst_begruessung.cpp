#include "app/splashform.h"

#include <QTest>

// The welcome window from the keyboard.
class TestBegruessung final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tasten_data();
    void tasten();
};

void TestBegruessung::tasten_data()
{
    QTest::addColumn<int>("taste");
    QTest::addColumn<bool>("schliesst");
    QTest::newRow("Enter") << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << true;
    QTest::newRow("Escape goes on, does not quit") << int(Qt::Key_Escape) << true;
    QTest::newRow("another key") << int(Qt::Key_A) << false;
}

void TestBegruessung::tasten()
{
    QFETCH(int, taste);
    QFETCH(bool, schliesst);
    TSplashForm splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::keyClick(&splash, Qt::Key(taste));
    QCOMPARE(splash.isVisible(), !schliesst);
    if (schliesst) {
        QCOMPARE(splash.result(), int(QDialog::Accepted)); // the program goes on
        QVERIFY(!splash.Timer1().isActive());
    } else {
        QVERIFY(splash.Timer1().isActive());
    }
}

QTEST_MAIN(TestBegruessung)
#include "tst_begruessung.moc"
