#include "widgets/artwork.h"
#include "widgets/qvimagebutton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>

// The image buttons from the keyboard and for screen readers.
class TestKnopfTastatur final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void tabUndTastenDruecken_data();
    void tabUndTastenDruecken();
    void fokusIstZuSehen();
    void kuerzelKlicktUndStehtImTooltip();
    void bildschirmleser();
    void druckenKehrtVorDemDialogZurueck();

private:
    std::unique_ptr<QWidget> m_fenster;
    TQvImageButton* m_speichern = nullptr;
    TQvImageButton* m_laden = nullptr;
};

void TestKnopfTastatur::init()
{
    m_fenster = std::make_unique<QWidget>();
    m_fenster->resize(200, 100);
    m_speichern = new TQvImageButton(QString(Artwork::Kalender::Speichern), m_fenster.get());
    m_laden = new TQvImageButton(QString(Artwork::Kalender::Laden), m_fenster.get());
    m_laden->move(0, 24);
    m_fenster->show();
    m_fenster->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
}

void TestKnopfTastatur::cleanup()
{
    m_fenster.reset();
}

void TestKnopfTastatur::tabUndTastenDruecken_data()
{
    QTest::addColumn<int>("taste");
    QTest::addColumn<bool>("gesperrt");
    QTest::addColumn<int>("klicks");
    QTest::newRow("Space") << int(Qt::Key_Space) << false << 1;
    QTest::newRow("Enter") << int(Qt::Key_Return) << false << 1;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false << 1;
    QTest::newRow("another key") << int(Qt::Key_A) << false << 0;
    QTest::newRow("Space on a disabled button") << int(Qt::Key_Space) << true << 0;
}

void TestKnopfTastatur::tabUndTastenDruecken()
{
    QFETCH(int, taste);
    QFETCH(bool, gesperrt);
    QFETCH(int, klicks);
    // Tab walks the buttons in their order.
    m_speichern->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_speichern, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_laden);

    m_laden->setEnabled(!gesperrt);
    m_laden->setFocus();
    QSignalSpy spy(m_laden, &TQvImageButton::OnClick);
    QTest::keyPress(m_laden, Qt::Key(taste));
    if (taste == Qt::Key_Space && !gesperrt) {
        QCOMPARE(spy.count(), 0); // Space clicks on release, pressed frame till then
        QCOMPARE(m_laden->CurrentButton(), TQvImageButton::PressedFrame);
    }
    QTest::keyRelease(m_laden, Qt::Key(taste));
    QCOMPARE(spy.count(), klicks);
    QCOMPARE(m_laden->CurrentButton(),
             gesperrt ? TQvImageButton::DisabledFrame : TQvImageButton::NormalFrame);
}

void TestKnopfTastatur::fokusIstZuSehen()
{
    auto bild = [this] {
        return m_speichern->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    // The picture without a focus mark (the frame may be the hover one: the pointer is where
    // the window system put it).
    const QImage normal = TQvImage::RenderFrame(m_speichern->Picture(), 4,
                                                m_speichern->CurrentButton(), m_speichern->size())
                              .convertToFormat(QImage::Format_RGB32);
    // The window's first focus shows nothing; a focus reached with Tab shows its frame.
    QVERIFY(m_speichern->hasFocus());
    QCOMPARE(bild(), normal);
    QTest::keyClick(m_speichern, Qt::Key_Tab);
    QTest::keyClick(m_laden, Qt::Key_Tab);
    QVERIFY(m_speichern->hasFocus());
    QVERIFY(bild() != normal);
    QTest::keyClick(m_speichern, Qt::Key_Tab);
    QCOMPARE(bild(), normal);
}

void TestKnopfTastatur::kuerzelKlicktUndStehtImTooltip()
{
    m_speichern->setTastenkuerzel(QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(m_speichern->toolTip(), QStringLiteral("Speichern (Strg+S)"));
    QSignalSpy spy(m_speichern, &TQvImageButton::OnClick);
    QTest::keyClick(m_fenster.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(spy.count(), 1);
    m_speichern->setEnabled(false);
    QTest::keyClick(m_fenster.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(spy.count(), 1);
}

void TestKnopfTastatur::bildschirmleser()
{
    m_speichern->setTastenkuerzel(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(m_speichern);
    QVERIFY(zugang);
    QCOMPARE(zugang->role(), QAccessible::Button);
    QCOMPARE(zugang->text(QAccessible::Name), QStringLiteral("Speichern"));
    // The shortcut is spoken with the description; without one only the description.
    QCOMPARE(zugang->text(QAccessible::Description),
             QStringLiteral("Speichert den Plan in einer Datei (Strg+S)"));
    QCOMPARE(QAccessible::queryAccessibleInterface(m_laden)->text(QAccessible::Description),
             QStringLiteral("Öffnet einen gespeicherten Plan"));
    m_speichern->setTastenkuerzel(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QCOMPARE(zugang->text(QAccessible::Description),
             QStringLiteral("Speichert den Plan in einer Datei (Strg+Umschalt+S)"));
    m_speichern->setTastenkuerzel(QKeySequence());
    QCOMPARE(zugang->text(QAccessible::Description),
             QStringLiteral("Speichert den Plan in einer Datei"));
    m_speichern->setTastenkuerzel(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAccessibleActionInterface* aktionen = zugang->actionInterface();
    QVERIFY(aktionen);
    QCOMPARE(aktionen->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
             QStringList{QStringLiteral("Strg+S")});
}

void TestKnopfTastatur::druckenKehrtVorDemDialogZurueck()
{
    // A click that opens a modal dialog: the press action answers first, the dialog follows.
    QAccessibleActionInterface* aktionen =
        QAccessible::queryAccessibleInterface(m_speichern)->actionInterface();
    QVERIFY(aktionen);
    bool dialogLief = false;
    connect(m_speichern, &TQvImageButton::OnClick, this, [&] {
        QDialog dialog(m_fenster.get());
        QTimer::singleShot(0, &dialog, &QDialog::accept);
        dialog.exec();
        dialogLief = true;
    });
    QSignalSpy spy(m_speichern, &TQvImageButton::OnClick);
    aktionen->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(spy.count(), 0);
    QVERIFY(QTest::qWaitFor([&] { return dialogLief; }));
    QCOMPARE(spy.count(), 1);

    // A button disabled or gone before its turn is not clicked.
    aktionen->doAction(QAccessibleActionInterface::pressAction());
    m_speichern->setEnabled(false);
    QAccessibleActionInterface* laden =
        QAccessible::queryAccessibleInterface(m_laden)->actionInterface();
    QSignalSpy ladenSpy(m_laden, &TQvImageButton::OnClick);
    laden->doAction(QAccessibleActionInterface::pressAction());
    delete m_laden;
    m_laden = nullptr;
    QCoreApplication::sendPostedEvents();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(ladenSpy.count(), 0);
}

QTEST_MAIN(TestKnopfTastatur)
#include "tst_knopftastatur.moc"
