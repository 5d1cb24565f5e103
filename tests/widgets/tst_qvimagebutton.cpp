#include "widgets/artwork.h"
#include "widgets/qvimage.h"
#include "widgets/qvimagebutton.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

namespace {

// A strip whose frames are solid colours, so a rendered frame tells which one it is.
const QColor FrameFarbe[] = {QColor(200, 0, 0), QColor(0, 160, 0), QColor(0, 0, 200),
                             QColor(120, 120, 0)};

QImage Streifen(int frames, int breite = 20, int hoehe = 10)
{
    QImage bild(breite * frames, hoehe, QImage::Format_RGB32);
    for (int k = 0; k < frames; ++k) {
        QPainter p(&bild);
        p.fillRect(k * breite, 0, breite, hoehe, FrameFarbe[k % 4]);
    }
    return bild;
}

// Counts paint events as they arrive, to tell an immediate repaint from a queued one.
class PaintZaehler final : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void Betreten(QWidget* w)
{
    const QPointF innen(w->width() / 2.0, w->height() / 2.0);
    QEnterEvent e(innen, innen, w->mapToGlobal(innen));
    QCoreApplication::sendEvent(w, &e);
}

void Verlassen(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

// Runs the event loop until a precise timer of `ms` started now has fired. Qt fires due timers
// in the order of their deadlines, so a timer of the button started earlier with no longer an
// interval has fired by then: what it would have done is done.
bool Abwarten(int ms)
{
    QTimer vergleich;
    vergleich.setSingleShot(true);
    vergleich.setTimerType(Qt::PreciseTimer);
    QSignalSpy abgelaufen(&vergleich, &QTimer::timeout);
    vergleich.start(ms);
    return abgelaufen.wait(ms + 10000);
}

} // namespace

class TestQvImageButton final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void defaults();
    void currentButton_data();
    void currentButton();
    void disabledFrame_data();
    void disabledFrame();
    void enablingShowsNormalFrameWithPointerInside();

    void frameSwitching_data();
    void frameSwitching();
    void eventOrder_data();
    void eventOrder();
    void clickHandlerWithModalDialogSeesPressedFrame();
    void modalDialogTakingThePointerAway();
    void clickHandlerDisablingItsButtonLeavesDisabledFrame();
    void mouseMovePassesThrough();
    void plainImageKeepsItsFrame();

    void holdWithoutRepeatGivesOneClick();
    void autoRepeat_data();
    void autoRepeat();
    void repeatSettingsTakeEffectAtNextPress();
    void secondPressReplacesRepeatTimer();

    void frameRect_data();
    void frameRect();
    void leftoverColumnsNeverShown();
    void stretchingNeverBlends();
    void paintShowsCurrentFrame();
    void transparentMagentaShowsParent();
    void maskBuiltOnceAndRenewedBySizeOrLoad();
    void frameChangesRepaintAtOnce();

    void autoSize();
    void pictureCopiesAndNothingElse();
    void fileNameLoadsFileAndResource();
    void fileNameTooLongIsCut();
    void missingFileKeepsPicture();
    void convenienceConstructor();

private:
    void Tun(QChar aktion);

    std::unique_ptr<QWidget> m_fenster;
    QPointer<TQvImageButton> m_knopf;
};

void TestQvImageButton::init()
{
    m_fenster = std::make_unique<QWidget>();
    m_fenster->resize(300, 200);
    m_knopf = new TQvImageButton(m_fenster.get());
    m_knopf->setPicture(Streifen(4));
    m_knopf->setAutoSize(true);
    m_knopf->move(40, 40);
    m_fenster->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_fenster.get()));
}

void TestQvImageButton::cleanup()
{
    m_fenster.reset();
}

void TestQvImageButton::defaults()
{
    TQvImage bild;
    QCOMPARE(bild.NumberOfButtons(), 1);
    QCOMPARE(bild.CurrentButton(), 1);
    QVERIFY(bild.Picture().isNull());
    QVERIFY(bild.FileName().isEmpty());
    QCOMPARE(bild.Transparent(), false);
    QCOMPARE(bild.AutoSize(), false);
    QCOMPARE(bild.size(), QSize(105, 105));
    QVERIFY(bild.isEnabled());

    TQvImageButton knopf;
    QCOMPARE(knopf.NumberOfButtons(), 4);
    QCOMPARE(knopf.CurrentButton(), 1);
    QCOMPARE(knopf.DoInterval(), false);
    QCOMPARE(knopf.WaitClickTime(), 250);
    QCOMPARE(knopf.RepeatClickInterval(), 50);
    QCOMPARE(knopf.size(), QSize(105, 105));
    QVERIFY(!knopf.isRepeating());
}

void TestQvImageButton::currentButton_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("vorher");
    QTest::addColumn<int>("gesetzt");
    QTest::addColumn<int>("erwartet");
    QTest::newRow("within the strip") << 4 << 1 << 3 << 3;
    QTest::newRow("last frame") << 4 << 1 << 4 << 4;
    QTest::newRow("5 on a strip of 4 is ignored") << 4 << 2 << 5 << 2;
    QTest::newRow("0 is ignored") << 4 << 2 << 0 << 2;
    QTest::newRow("negative is ignored") << 4 << 3 << -1 << 3;
    QTest::newRow("one frame only") << 1 << 1 << 2 << 1;
}

void TestQvImageButton::currentButton()
{
    QFETCH(int, frames);
    QFETCH(int, vorher);
    QFETCH(int, gesetzt);
    QFETCH(int, erwartet);
    TQvImage bild(m_fenster.get());
    bild.setNumberOfButtons(frames);
    bild.setCurrentButton(vorher);
    bild.setCurrentButton(gesetzt);
    QCOMPARE(bild.CurrentButton(), erwartet);
}

void TestQvImageButton::disabledFrame_data()
{
    QTest::addColumn<bool>("knopf");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("gesperrt");
    QTest::newRow("button, 4 frames") << true << 4 << 4;
    QTest::newRow("button, 2 frames shows the last") << true << 2 << 2;
    QTest::newRow("button, 6 frames") << true << 6 << 4;
    QTest::newRow("plain image shows frame 1") << false << 4 << 1;
}

void TestQvImageButton::disabledFrame()
{
    QFETCH(bool, knopf);
    QFETCH(int, frames);
    QFETCH(int, gesperrt);
    std::unique_ptr<TQvImage> bild =
        knopf ? std::make_unique<TQvImageButton>() : std::make_unique<TQvImage>();
    bild->setNumberOfButtons(frames);
    bild->setPicture(Streifen(frames));
    bild->setCurrentButton(frames);
    bild->setEnabled(false);
    QCOMPARE(bild->CurrentButton(), gesperrt);
    bild->setEnabled(true);
    QCOMPARE(bild->CurrentButton(), 1);
}

void TestQvImageButton::enablingShowsNormalFrameWithPointerInside()
{
    Betreten(m_knopf);
    QCOMPARE(m_knopf->CurrentButton(), 2);
    m_knopf->setEnabled(false);
    QCOMPARE(m_knopf->CurrentButton(), 4);
    m_knopf->setEnabled(true);
    QCOMPARE(m_knopf->CurrentButton(), 1);
    QVERIFY(m_knopf->isMouseInside());
    // Frame 2 comes back the next time the pointer enters.
    Verlassen(m_knopf);
    Betreten(m_knopf);
    QCOMPARE(m_knopf->CurrentButton(), 2);
}

// E enter, L leave, P/R left press/release inside, O/I move outside/inside with the
// button held, X left release outside, Q/W right press/release, C double click,
// D disable, N enable.
void TestQvImageButton::Tun(QChar aktion)
{
    const QPoint innen(m_knopf->width() / 2, m_knopf->height() / 2);
    const QPoint aussen(m_knopf->width() + 30, m_knopf->height() + 30);
    switch (aktion.unicode()) {
    case 'E':
        Betreten(m_knopf);
        break;
    case 'L':
        Verlassen(m_knopf);
        break;
    case 'P':
        QTest::mousePress(m_knopf, Qt::LeftButton, {}, innen);
        break;
    case 'R':
        QTest::mouseRelease(m_knopf, Qt::LeftButton, {}, innen);
        break;
    case 'O':
        QTest::mouseMove(m_knopf, aussen);
        break;
    case 'I':
        QTest::mouseMove(m_knopf, innen);
        break;
    case 'X':
        QTest::mouseRelease(m_knopf, Qt::LeftButton, {}, aussen);
        break;
    case 'Q':
        QTest::mousePress(m_knopf, Qt::RightButton, {}, innen);
        break;
    case 'W':
        QTest::mouseRelease(m_knopf, Qt::RightButton, {}, innen);
        break;
    case 'C':
        QTest::mouseDClick(m_knopf, Qt::LeftButton, {}, innen);
        break;
    case 'D':
        m_knopf->setEnabled(false);
        break;
    case 'N':
        m_knopf->setEnabled(true);
        break;
    default:
        QFAIL("unknown action");
    }
}

void TestQvImageButton::frameSwitching_data()
{
    QTest::addColumn<QString>("aktionen");
    QTest::addColumn<QString>("frames");
    QTest::addColumn<int>("klicks");

    QTest::newRow("enter shows mouse over") << "E"
                                            << "2" << 0;
    QTest::newRow("leave shows normal") << "EL"
                                        << "21" << 0;
    QTest::newRow("click") << "EPR"
                           << "232" << 1;
    QTest::newRow("click, then leave") << "EPRL"
                                       << "2321" << 1;
    QTest::newRow("press, leave, release outside: no click") << "EPOX"
                                                             << "2311" << 0;
    QTest::newRow("press, leave, come back, release: click") << "EPOIR"
                                                             << "23132" << 1;
    QTest::newRow("leaving twice while held") << "EPOIOX"
                                              << "231311" << 0;
    QTest::newRow("right button shows pressed, no click") << "EQW"
                                                          << "232" << 0;
    QTest::newRow("right button held, moved off and back") << "EQOIW"
                                                           << "23132" << 0;
    QTest::newRow("double click gives one click") << "EPRCR"
                                                  << "23232" << 1;
    QTest::newRow("disable shows frame 4") << "D"
                                           << "4" << 0;
    QTest::newRow("disabled keeps frame 4 under the pointer") << "DELEL"
                                                              << "44444" << 0;
    QTest::newRow("disabled ignores presses") << "DEPR"
                                              << "4444" << 0;
    QTest::newRow("disabled ignores the right button") << "DEQW"
                                                       << "4444" << 0;
    QTest::newRow("enable shows normal although inside") << "EDN"
                                                         << "241" << 0;
    QTest::newRow("disabled while held: no click on release") << "EPDR"
                                                              << "2344" << 0;
    QTest::newRow("disabled while hovered, leave keeps 4") << "EDL"
                                                           << "244" << 0;
    QTest::newRow("enabled again, pointer comes back") << "EDNLE"
                                                       << "24112" << 0;
    QTest::newRow("two clicks") << "EPRPR"
                                << "23232" << 2;
}

void TestQvImageButton::frameSwitching()
{
    QFETCH(QString, aktionen);
    QFETCH(QString, frames);
    QFETCH(int, klicks);
    QSignalSpy klickSpion(m_knopf, &TQvImage::OnClick);
    QString gesehen;
    for (QChar a : aktionen) {
        Tun(a);
        gesehen += QString::number(m_knopf->CurrentButton());
    }
    QCOMPARE(gesehen, frames);
    QCOMPARE(klickSpion.count(), klicks);
    QVERIFY(!m_knopf->isMousePressed());
}

void TestQvImageButton::eventOrder_data()
{
    QTest::addColumn<QString>("aktionen");
    QTest::addColumn<QString>("protokoll");

    // Each entry: the event and the frame and flags already in place when it is reported.
    QTest::newRow("click") << "EPR"
                           << "enter:2:in down:3:in:pressed click:3:in:pressed up:2:in";
    QTest::newRow("drag off and release") << "EPOX"
                                          << "enter:2:in down:3:in:pressed exit:1:pressed up:1";
    QTest::newRow("drag off and back") << "EPOIR"
                                       << "enter:2:in down:3:in:pressed exit:1:pressed "
                                          "enter:3:in:pressed click:3:in:pressed up:2:in";
    QTest::newRow("double click")
        << "EPRCR"
        << "enter:2:in down:3:in:pressed click:3:in:pressed up:2:in dblclick:2:in "
           "down:3:in:pressed up:2:in";
    QTest::newRow("disabled pointer notices") << "DEL"
                                              << "enter:4:in exit:4";
}

void TestQvImageButton::eventOrder()
{
    QFETCH(QString, aktionen);
    QFETCH(QString, protokoll);
    QStringList log;
    auto eintragen = [&](const char* was) {
        QString s =
            QString::fromLatin1(was) + QLatin1Char(':') + QString::number(m_knopf->CurrentButton());
        if (m_knopf->isMouseInside())
            s += QStringLiteral(":in");
        if (m_knopf->isMousePressed())
            s += QStringLiteral(":pressed");
        log << s;
    };
    connect(m_knopf, &TQvImage::OnMouseEnter, this, [&] { eintragen("enter"); });
    connect(m_knopf, &TQvImage::OnMouseExit, this, [&] { eintragen("exit"); });
    connect(m_knopf, &TQvImage::OnMouseDown, this, [&] { eintragen("down"); });
    connect(m_knopf, &TQvImage::OnMouseUp, this, [&] { eintragen("up"); });
    connect(m_knopf, &TQvImage::OnClick, this, [&] { eintragen("click"); });
    connect(m_knopf, &TQvImage::OnDblClick, this, [&] { eintragen("dblclick"); });
    for (QChar a : aktionen)
        Tun(a);
    QCOMPARE(log.join(QLatin1Char(' ')), protokoll);
}

void TestQvImageButton::clickHandlerWithModalDialogSeesPressedFrame()
{
    int frameImDialog = 0;
    QColor farbeImDialog;
    connect(m_knopf, &TQvImage::OnClick, this, [&] {
        QDialog dialog(m_fenster.get());
        QTimer::singleShot(20, &dialog, [&] {
            frameImDialog = m_knopf->CurrentButton();
            farbeImDialog = m_knopf->grab().toImage().pixelColor(2, 2);
            dialog.accept();
        });
        dialog.exec();
    });
    Betreten(m_knopf);
    QTest::mousePress(m_knopf, Qt::LeftButton);
    QTest::mouseRelease(m_knopf, Qt::LeftButton);
    QCOMPARE(frameImDialog, 3);
    QCOMPARE(farbeImDialog, FrameFarbe[2]);
    QCOMPARE(m_knopf->CurrentButton(), 2);
}

void TestQvImageButton::modalDialogTakingThePointerAway()
{
    // Qt tells the button that the pointer left when the dialog opens; the pressed frame
    // stays while the handler runs, and the notice follows when it returns.
    int frameImDialog = 0;
    QStringList log;
    connect(m_knopf, &TQvImage::OnMouseExit, this, [&] { log << QStringLiteral("exit"); });
    connect(m_knopf, &TQvImage::OnMouseUp, this, [&] { log << QStringLiteral("up"); });
    connect(m_knopf, &TQvImage::OnClick, this, [&] {
        log << QStringLiteral("click");
        QDialog dialog(m_fenster.get());
        QTimer::singleShot(20, &dialog, [&] {
            Verlassen(m_knopf);
            frameImDialog = m_knopf->CurrentButton();
            dialog.accept();
        });
        dialog.exec();
    });
    Betreten(m_knopf);
    QTest::mousePress(m_knopf, Qt::LeftButton);
    QTest::mouseRelease(m_knopf, Qt::LeftButton);
    QCOMPARE(frameImDialog, 3);
    QCOMPARE(log.join(QLatin1Char(' ')), QStringLiteral("click exit up"));
    QCOMPARE(m_knopf->CurrentButton(), 1);
    QVERIFY(!m_knopf->isMouseInside());
    // The pointer coming back is noticed as usual.
    Betreten(m_knopf);
    QCOMPARE(m_knopf->CurrentButton(), 2);
}

void TestQvImageButton::clickHandlerDisablingItsButtonLeavesDisabledFrame()
{
    connect(m_knopf, &TQvImage::OnClick, this, [&] { m_knopf->setEnabled(false); });
    QSignalSpy hoch(m_knopf, &TQvImage::OnMouseUp);
    Betreten(m_knopf);
    QTest::mousePress(m_knopf, Qt::LeftButton);
    QTest::mouseRelease(m_knopf, Qt::LeftButton);
    QCOMPARE(m_knopf->CurrentButton(), 4);
    QCOMPARE(hoch.count(), 1);
    QVERIFY(!m_knopf->isMousePressed());
    // Enabled again later it starts from the normal frame and clicks as before.
    m_knopf->setEnabled(true);
    QCOMPARE(m_knopf->CurrentButton(), 1);
    QSignalSpy klick(m_knopf, &TQvImage::OnClick);
    QTest::mouseClick(m_knopf, Qt::LeftButton);
    QCOMPARE(klick.count(), 1);
}

void TestQvImageButton::mouseMovePassesThrough()
{
    QSignalSpy bewegt(m_knopf, &TQvImage::OnMouseMove);
    QMouseEvent e(QEvent::MouseMove, QPointF(5, 6), m_knopf->mapToGlobal(QPointF(5, 6)),
                  Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(m_knopf, &e);
    QCOMPARE(bewegt.count(), 1);
    QCOMPARE(bewegt.at(0).at(1).value<Qt::KeyboardModifiers>(),
             Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(bewegt.at(0).at(2).toPoint(), QPoint(5, 6));
    // Moving without a pressed button changes no frame.
    QCOMPARE(m_knopf->CurrentButton(), 1);
}

void TestQvImageButton::plainImageKeepsItsFrame()
{
    auto* bild = new TQvImage(m_fenster.get());
    bild->setNumberOfButtons(4);
    bild->setPicture(Streifen(4));
    bild->setAutoSize(true);
    bild->setCurrentButton(2);
    bild->move(200, 150); // away from the pointer, which Qt reports on showing
    bild->show();
    QSignalSpy klicks(bild, &TQvImage::OnClick);
    QSignalSpy rein(bild, &TQvImage::OnMouseEnter);
    QSignalSpy raus(bild, &TQvImage::OnMouseExit);
    Betreten(bild);
    QVERIFY(bild->isMouseInside());
    QTest::mousePress(bild, Qt::LeftButton);
    QVERIFY(bild->isMousePressed());
    QCOMPARE(bild->CurrentButton(), 2);
    QTest::mouseRelease(bild, Qt::LeftButton);
    Verlassen(bild);
    QCOMPARE(bild->CurrentButton(), 2);
    QCOMPARE(klicks.count(), 1);
    QCOMPARE(rein.count(), 1);
    QCOMPARE(raus.count(), 1);
    QVERIFY(!bild->isMouseInside());
    QVERIFY(!bild->isMousePressed());
}

void TestQvImageButton::holdWithoutRepeatGivesOneClick()
{
    // Short repeat periods, which the button must not use without DoInterval.
    m_knopf->setWaitClickTime(1);
    m_knopf->setRepeatClickInterval(1);
    QSignalSpy klicks(m_knopf, &TQvImage::OnClick);
    Betreten(m_knopf);
    QTest::mousePress(m_knopf, Qt::LeftButton);
    QVERIFY(!m_knopf->isRepeating());
    QVERIFY(Abwarten(5));
    QCOMPARE(klicks.count(), 0);
    QTest::mouseRelease(m_knopf, Qt::LeftButton);
    QCOMPARE(klicks.count(), 1);
}

void TestQvImageButton::autoRepeat_data()
{
    QTest::addColumn<int>("warten");
    QTest::addColumn<int>("takt");
    QTest::newRow("defaults 250 / 50") << 250 << 50;
    QTest::newRow("100 / 30") << 100 << 30;
}

void TestQvImageButton::autoRepeat()
{
    QFETCH(int, warten);
    QFETCH(int, takt);
    m_knopf->setDoInterval(true);
    m_knopf->setWaitClickTime(warten);
    m_knopf->setRepeatClickInterval(takt);

    QElapsedTimer uhr;
    std::vector<qint64> zeiten;
    connect(m_knopf, &TQvImage::OnClick, this, [&] { zeiten.push_back(uhr.elapsed()); });
    QSignalSpy klicks(m_knopf, &TQvImage::OnClick);
    Betreten(m_knopf);
    uhr.start();
    QTest::mousePress(m_knopf, Qt::LeftButton);
    QVERIFY(m_knopf->isRepeating());
    while (klicks.count() < 4)
        QVERIFY2(klicks.wait(3000), "the repeat timer did not fire");
    QTest::mouseRelease(m_knopf, Qt::LeftButton);
    QCOMPARE(klicks.count(), 5); // four repeats and the click of the release
    QVERIFY(!m_knopf->isRepeating());

    // Lower bounds are firm (a precise timer does not fire early); upper bounds are
    // generous, the machine may be busy.
    QVERIFY2(zeiten[0] >= warten, qPrintable(QString::number(zeiten[0])));
    QVERIFY2(zeiten[0] < warten + 2000, qPrintable(QString::number(zeiten[0])));
    for (int i = 1; i < 4; ++i) {
        const qint64 abstand = zeiten[i] - zeiten[i - 1];
        QVERIFY2(abstand >= takt - 1, qPrintable(QStringLiteral("Abstand %1").arg(abstand)));
        QVERIFY2(abstand < takt + 1000, qPrintable(QStringLiteral("Abstand %1").arg(abstand)));
    }
    // A repeat timer left running would fire within one period.
    QVERIFY(Abwarten(takt));
    QCOMPARE(klicks.count(), 5);
}

void TestQvImageButton::repeatSettingsTakeEffectAtNextPress()
{
    QSignalSpy klicks(m_knopf, &TQvImage::OnClick);
    QTest::mousePress(m_knopf, Qt::LeftButton);
    m_knopf->setDoInterval(true);
    m_knopf->setWaitClickTime(40);
    QVERIFY(!m_knopf->isRepeating());
    QVERIFY(Abwarten(40));
    QCOMPARE(klicks.count(), 0);
    QTest::mouseRelease(m_knopf, Qt::LeftButton);
    QCOMPARE(klicks.count(), 1);

    QTest::mousePress(m_knopf, Qt::LeftButton);
    QVERIFY(m_knopf->isRepeating());
    QVERIFY(klicks.wait(3000));
    QTest::mouseRelease(m_knopf, Qt::LeftButton);
    QVERIFY(klicks.count() >= 3);
}

void TestQvImageButton::secondPressReplacesRepeatTimer()
{
    m_knopf->setDoInterval(true);
    m_knopf->setWaitClickTime(250);
    QElapsedTimer uhr;
    qint64 ersterKlick = -1;
    connect(m_knopf, &TQvImage::OnClick, this, [&] {
        if (ersterKlick < 0)
            ersterKlick = uhr.elapsed();
    });
    QSignalSpy klicks(m_knopf, &TQvImage::OnClick);
    uhr.start();
    QTest::mousePress(m_knopf, Qt::LeftButton);
    QVERIFY(Abwarten(150));
    QCOMPARE(klicks.count(), 0);
    const qint64 zweiterDruck = uhr.elapsed();
    QTest::mousePress(m_knopf, Qt::RightButton);
    QVERIFY(klicks.wait(3000));
    // The first click counts from the second press: the first timer is gone.
    QVERIFY2(ersterKlick >= zweiterDruck + 250, qPrintable(QString::number(ersterKlick)));
    QTest::mouseRelease(m_knopf, Qt::RightButton);
    QVERIFY(!m_knopf->isRepeating());
    QTest::mouseRelease(m_knopf, Qt::LeftButton);
}

void TestQvImageButton::frameRect_data()
{
    QTest::addColumn<QSize>("streifen");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("frame");
    QTest::addColumn<QRect>("erwartet");
    QTest::newRow("first of four") << QSize(480, 24) << 4 << 1 << QRect(0, 0, 120, 24);
    QTest::newRow("last of four") << QSize(480, 24) << 4 << 4 << QRect(360, 0, 120, 24);
    QTest::newRow("481 wide: frames stay 120")
        << QSize(481, 24) << 4 << 4 << QRect(360, 0, 120, 24);
    QTest::newRow("483 wide: frames stay 120")
        << QSize(483, 24) << 4 << 2 << QRect(120, 0, 120, 24);
    QTest::newRow("single frame") << QSize(105, 30) << 1 << 1 << QRect(0, 0, 105, 30);
    QTest::newRow("frame beyond the strip: the last")
        << QSize(40, 10) << 2 << 3 << QRect(20, 0, 20, 10);
    QTest::newRow("frame below 1: the first") << QSize(40, 10) << 2 << 0 << QRect(0, 0, 20, 10);
    QTest::newRow("no frames counts as one") << QSize(40, 10) << 0 << 1 << QRect(0, 0, 40, 10);
    QTest::newRow("narrower than the frame count") << QSize(3, 10) << 4 << 1 << QRect();
    QTest::newRow("empty picture") << QSize(0, 0) << 4 << 1 << QRect();
}

void TestQvImageButton::frameRect()
{
    QFETCH(QSize, streifen);
    QFETCH(int, frames);
    QFETCH(int, frame);
    QFETCH(QRect, erwartet);
    QCOMPARE(TQvImage::FrameRect(streifen, frames, frame), erwartet);
}

void TestQvImageButton::leftoverColumnsNeverShown()
{
    QImage bild(481, 24, QImage::Format_RGB32);
    bild.fill(Qt::white);
    for (int y = 0; y < 24; ++y)
        bild.setPixelColor(480, y, Qt::red);
    for (int frame = 1; frame <= 4; ++frame) {
        for (const QSize ziel : {QSize(120, 24), QSize(240, 48), QSize(37, 11)}) {
            const QImage gemalt = TQvImage::RenderFrame(bild, 4, frame, ziel);
            QCOMPARE(gemalt.size(), ziel);
            for (int y = 0; y < gemalt.height(); ++y)
                for (int x = 0; x < gemalt.width(); ++x)
                    QVERIFY(gemalt.pixelColor(x, y) != QColor(Qt::red));
        }
    }
}

void TestQvImageButton::stretchingNeverBlends()
{
    // Alternating black and white columns and rows: any blending would make grey.
    QImage bild(8, 6, QImage::Format_RGB32);
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixelColor(x, y, (x + y) % 2 ? Qt::black : Qt::white);
    for (const QSize ziel : {QSize(8, 6), QSize(13, 7), QSize(3, 17), QSize(40, 30)}) {
        const QImage gemalt = TQvImage::RenderFrame(bild, 2, 2, ziel);
        QCOMPARE(gemalt.size(), ziel);
        bool schwarz = false;
        bool weiss = false;
        for (int y = 0; y < gemalt.height(); ++y)
            for (int x = 0; x < gemalt.width(); ++x) {
                const QColor c = gemalt.pixelColor(x, y);
                QVERIFY2(c == QColor(Qt::black) || c == QColor(Qt::white), qPrintable(c.name()));
                (c == QColor(Qt::black) ? schwarz : weiss) = true;
            }
        QVERIFY(schwarz && weiss);
    }
}

void TestQvImageButton::paintShowsCurrentFrame()
{
    for (int frame = 1; frame <= 4; ++frame) {
        m_knopf->setCurrentButton(frame);
        const QImage bild = m_knopf->grab().toImage();
        QCOMPARE(bild.size(), QSize(20, 10));
        QCOMPARE(bild.pixelColor(0, 0), FrameFarbe[frame - 1]);
        QCOMPARE(bild.pixelColor(19, 9), FrameFarbe[frame - 1]);
    }
    // A larger control stretches the frame over its whole area.
    m_knopf->resize(50, 33);
    m_knopf->setCurrentButton(2);
    const QImage gross = m_knopf->grab().toImage();
    QCOMPARE(gross.pixelColor(49, 32), FrameFarbe[1]);
}

void TestQvImageButton::transparentMagentaShowsParent()
{
    m_fenster->setAutoFillBackground(true);
    QPalette pal = m_fenster->palette();
    pal.setColor(QPalette::Window, QColor(10, 200, 200));
    m_fenster->setPalette(pal);

    QImage bild(8, 4, QImage::Format_RGB32);
    bild.fill(QColor(30, 30, 30));
    bild.setPixelColor(1, 1, QColor(255, 0, 255));
    bild.setPixelColor(2, 1, QColor(254, 0, 255)); // nearly magenta is not magenta
    bild.setPixelColor(5, 2, QColor(255, 0, 255)); // in frame 2
    TQvImage* transparent = new TQvImage(m_fenster.get());
    transparent->setNumberOfButtons(2);
    transparent->setPicture(bild);
    transparent->setAutoSize(true);
    transparent->move(0, 0);
    transparent->show();

    auto punkt = [&](int x, int y) {
        return m_fenster->grab(QRect(0, 0, 4, 4)).toImage().pixelColor(x, y);
    };
    QCOMPARE(punkt(1, 1), QColor(255, 0, 255)); // not transparent yet
    transparent->setTransparent(true);
    QCOMPARE(punkt(1, 1), QColor(10, 200, 200));
    QCOMPARE(punkt(2, 1), QColor(254, 0, 255));
    QCOMPARE(punkt(0, 0), QColor(30, 30, 30));
    transparent->setCurrentButton(2);
    QCOMPARE(punkt(1, 2), QColor(10, 200, 200));
    QCOMPARE(punkt(1, 1), QColor(30, 30, 30));

    const QImage maske = TQvImage::BuildMask(bild);
    QCOMPARE(maske.size(), bild.size());
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x) {
            const bool magenta = bild.pixelColor(x, y) == QColor(255, 0, 255);
            QCOMPARE(maske.pixelColor(x, y), magenta ? QColor(Qt::white) : QColor(Qt::black));
        }
}

void TestQvImageButton::maskBuiltOnceAndRenewedBySizeOrLoad()
{
    QTemporaryDir ordner;
    QVERIFY(ordner.isValid());
    m_knopf->setTransparent(true);
    const QImage& maske = m_knopf->maskBitmap();
    QVERIFY(!maske.isNull());
    const qint64 erste = maske.cacheKey();
    m_knopf->setCurrentButton(2);
    m_knopf->setCurrentButton(3);
    QCOMPARE(m_knopf->maskBitmap().cacheKey(), erste);

    // A new picture of the same size keeps the mask; another size renews it.
    m_knopf->setPicture(Streifen(4));
    m_knopf->repaint();
    QCOMPARE(m_knopf->maskBitmap().cacheKey(), erste);
    m_knopf->setPicture(Streifen(4, 30, 12));
    m_knopf->repaint();
    QCOMPARE(m_knopf->maskBitmap().size(), QSize(120, 12));

    // Loading through FileName renews it at once, even for the same size.
    QImage neu = Streifen(4, 30, 12);
    neu.setPixelColor(0, 0, QColor(255, 0, 255));
    const QString pfad = ordner.filePath(QStringLiteral("streifen.png"));
    QVERIFY(neu.save(pfad));
    const qint64 vorher = m_knopf->maskBitmap().cacheKey();
    QVERIFY(m_knopf->setFileName(pfad));
    QVERIFY(m_knopf->maskBitmap().cacheKey() != vorher);
    QCOMPARE(m_knopf->maskBitmap().pixelColor(0, 0), QColor(Qt::white));
}

void TestQvImageButton::frameChangesRepaintAtOnce()
{
    PaintZaehler zaehler;
    m_knopf->installEventFilter(&zaehler);
    // No event loop runs between the change and the check.
    m_knopf->setCurrentButton(3);
    QCOMPARE(zaehler.paints, 1);
    Betreten(m_knopf);
    QCOMPARE(zaehler.paints, 2);
    QTest::mousePress(m_knopf, Qt::LeftButton);
    QCOMPARE(zaehler.paints, 3);
    m_knopf->setTransparent(true);
    QCOMPARE(zaehler.paints, 4);
    m_knopf->removeEventFilter(&zaehler);
    QTest::mouseRelease(m_knopf, Qt::LeftButton);
}

void TestQvImageButton::autoSize()
{
    TQvImage bild(m_fenster.get());
    bild.resize(33, 44);
    bild.setAutoSize(true);
    QCOMPARE(bild.size(), QSize(33, 44)); // empty picture: the size stays

    bild.setNumberOfButtons(3);
    bild.setPicture(Streifen(3, 25, 14)); // setting the picture alone does not fit
    QCOMPARE(bild.size(), QSize(33, 44));
    bild.setAutoSize(true);
    QCOMPARE(bild.size(), QSize(25, 14));
    bild.setAutoSize(false);
    QCOMPARE(bild.size(), QSize(25, 14));

    QImage krumm(76, 9, QImage::Format_RGB32); // 76 / 3 truncates to 25
    krumm.fill(Qt::gray);
    bild.setPicture(krumm);
    bild.setAutoSize(true);
    QCOMPARE(bild.size(), QSize(25, 9));
}

void TestQvImageButton::pictureCopiesAndNothingElse()
{
    QImage bild = Streifen(4, 30, 12);
    m_knopf->setCurrentButton(3);
    m_knopf->setPicture(bild);
    bild.fill(Qt::black);
    QCOMPARE(m_knopf->Picture().pixelColor(0, 0), FrameFarbe[0]);
    QCOMPARE(m_knopf->size(), QSize(20, 10));
    QCOMPARE(m_knopf->CurrentButton(), 3);
    QVERIFY(m_knopf->FileName().isEmpty());
}

void TestQvImageButton::fileNameLoadsFileAndResource()
{
    QTemporaryDir ordner;
    QVERIFY(ordner.isValid());
    const QString pfad = ordner.filePath(QStringLiteral("knopf.png"));
    QVERIFY(Streifen(4, 40, 16).save(pfad));

    TQvImageButton knopf(m_fenster.get());
    QVERIFY(knopf.setFileName(pfad));
    QCOMPARE(knopf.FileName(), pfad);
    QCOMPARE(knopf.Picture().size(), QSize(160, 16));
    QCOMPARE(knopf.size(), QSize(105, 105)); // AutoSize off
    knopf.setAutoSize(true);
    QCOMPARE(knopf.size(), QSize(40, 16));

    QVERIFY(knopf.setFileName(Artwork::Kalender::Ende));
    QCOMPARE(knopf.Picture().size(), QSize(480, 24));
    QCOMPARE(knopf.size(), QSize(120, 24)); // fitted on loading
}

void TestQvImageButton::fileNameTooLongIsCut()
{
    const QString lang =
        QStringLiteral("/gibt/es/nicht/") + QString(300, QLatin1Char('x')) + QStringLiteral(".png");
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("konnte nicht geladen werden")));
    m_knopf->setFileName(lang);
    QCOMPARE(m_knopf->FileName().size(), TQvImage::MaxFileNameLength);
    QCOMPARE(m_knopf->FileName(), lang.left(254));
}

void TestQvImageButton::missingFileKeepsPicture()
{
    const QImage vorher = m_knopf->Picture();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                           "Bild „.*fehlt.png“ konnte nicht geladen werden")));
    QVERIFY(!m_knopf->setFileName(QStringLiteral("/gibt/es/nicht/fehlt.png")));
    QCOMPARE(m_knopf->Picture(), vorher);
    QCOMPARE(m_knopf->size(), QSize(20, 10));

    // A damaged file is no picture either.
    QTemporaryDir ordner;
    const QString kaputt = ordner.filePath(QStringLiteral("kaputt.png"));
    QFile datei(kaputt);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write("\x89PNG\r\n\x1a\n kein Bild");
    datei.close();
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("konnte nicht geladen werden")));
    QVERIFY(!m_knopf->setFileName(kaputt));
    QCOMPARE(m_knopf->Picture(), vorher);
}

void TestQvImageButton::convenienceConstructor()
{
    auto* knopf = new TQvImageButton(Artwork::Situation::Weiter, m_fenster.get());
    QCOMPARE(knopf->parent(), m_fenster.get());
    QCOMPARE(knopf->size(), QSize(120, 24));
    QCOMPARE(knopf->NumberOfButtons(), 4);
    QCOMPARE(knopf->CurrentButton(), 1);
    QVERIFY(knopf->AutoSize());
    QCOMPARE(knopf->FileName(), QString(Artwork::Situation::Weiter));
    QSignalSpy klick(knopf, &TQvImage::OnClick);
    knopf->show();
    QTest::mouseClick(knopf, Qt::LeftButton);
    QCOMPARE(klick.count(), 1);
}

QTEST_MAIN(TestQvImageButton)
#include "tst_qvimagebutton.moc"
