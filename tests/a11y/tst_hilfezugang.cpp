#include "dialogs/hilfefenster.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>

#include <memory>

// The help window from the keyboard.
class TestHilfeZugang final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void linksMitTab();
    void escapeSchliesst_data();
    void escapeSchliesst();

private:
    QTemporaryDir m_ordner;
    QString m_datei;
    std::unique_ptr<THilfeFenster> m_fenster;
};

void TestHilfeZugang::init()
{
    m_datei = m_ordner.filePath(QStringLiteral("hilfe.html"));
    QFile f(m_datei);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html><body><h1><a name=\"index\">Inhalt</a></h1>"
            "<p><a href=\"#start\">Der Startdialog</a></p>"
            "<p><a href=\"#kalender\">Der Kalender</a></p>"
            "<p>Text</p><h2><a name=\"start\">Start</a></h2><p>Mehr</p>"
            "<h2><a name=\"kalender\">Kalender</a></h2></body></html>");
    f.close();
    // Opened as the program opens it.
    HilfeZeigen(nullptr, m_datei);
    const auto fenster = QApplication::topLevelWidgets();
    for (QWidget* w : fenster)
        if (auto* h = qobject_cast<THilfeFenster*>(w))
            m_fenster.reset(h);
    QVERIFY(m_fenster);
    m_fenster->setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
}

void TestHilfeZugang::cleanup()
{
    m_fenster.reset();
}

void TestHilfeZugang::linksMitTab()
{
    QTextBrowser* browser = m_fenster->Browser();
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(browser);
    // The text comes first, its links one after the other, then the buttons.
    QCOMPARE(QApplication::focusWidget(), browser);
    QCOMPARE(zugang->text(QAccessible::Description), QString());
    QTest::keyClick(browser, Qt::Key_Tab);
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("Der Startdialog"));
    QCOMPARE(zugang->text(QAccessible::Description), QStringLiteral("Verweis: Der Startdialog"));
    QTest::keyClick(browser, Qt::Key_Tab);
    QCOMPARE(zugang->text(QAccessible::Description), QStringLiteral("Verweis: Der Kalender"));
    QTest::keyClick(browser, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("knopf_inhalt"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), browser);

    // Enter follows the highlighted link; the new place is no link.
    QTest::keyClick(browser, Qt::Key_Backtab);
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("Der Kalender"));
    QTest::keyClick(browser, Qt::Key_Return);
    QCOMPARE(browser->source().fragment(), QStringLiteral("kalender"));
    QCOMPARE(zugang->text(QAccessible::Description), QString());
    QCOMPARE(QApplication::focusWidget(), browser);
}

void TestHilfeZugang::escapeSchliesst_data()
{
    QTest::addColumn<QString>("fokus");
    QTest::newRow("in the text") << QStringLiteral("hilfetext");
    QTest::newRow("on a button") << QStringLiteral("knopf_inhalt");
}

void TestHilfeZugang::escapeSchliesst()
{
    QFETCH(QString, fokus);
    auto* ziel = m_fenster->findChild<QWidget*>(fokus);
    QVERIFY(ziel);
    ziel->setFocus();
    QTest::keyClick(ziel, Qt::Key_Escape);
    QVERIFY(!m_fenster->isVisible());
}

QTEST_MAIN(TestHilfeZugang)
#include "tst_hilfezugang.moc"
