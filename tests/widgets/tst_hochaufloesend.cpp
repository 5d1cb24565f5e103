// At QT_SCALE_FACTOR=2 the artwork and the image buttons are painted from the pictures made at
// twice the size, pixel for pixel, not blown up from the normal ones.

#include "widgets/artwork.h"
#include "widgets/qvimage.h"
#include "widgets/qvimagebutton.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

class TestHochaufloesend final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scharf_data();
    void scharf();
};

void TestHochaufloesend::scharf_data()
{
    QTest::addColumn<QString>("bild");
    QTest::addColumn<bool>("knopf");
    QTest::addColumn<QRect>("lage");
    QTest::newRow("image button") << QString(Artwork::Kalender::Speichern) << true
                                  << QRect(10, 20, 120, 24);
    QTest::newRow("logo") << QString(Artwork::Logo) << false << QRect(30, 50, 200, 32);
    QTest::newRow("disabled button")
        << QString(Artwork::Termin::Loeschen) << true << QRect(0, 0, 120, 24);
}

void TestHochaufloesend::scharf()
{
    QFETCH(QString, bild);
    QFETCH(bool, knopf);
    QFETCH(QRect, lage);
    QWidget fenster;
    fenster.resize(520, 200);
    TQvImage* b = knopf ? new TQvImageButton(bild, &fenster) : new TQvImage(&fenster);
    if (!knopf)
        b->setFileName(bild);
    b->setGeometry(lage);
    const bool gesperrt = QTest::currentDataTag() == QByteArray("disabled button");
    b->setEnabled(!gesperrt);
    fenster.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenster));
    QCOMPARE(fenster.devicePixelRatioF(), 2.0);

    QImage doppelt;
    QVERIFY(doppelt.load(TQvImage::HighResName(bild)));
    const int frames = knopf ? 4 : 1;
    const int frame = gesperrt ? 4 : 1;
    QCOMPARE(doppelt.size(), b->Picture().size() * 2);
    const QImage erwartet = TQvImage::RenderFrame(doppelt, frames, frame, lage.size() * 2)
                                .convertToFormat(QImage::Format_RGB32);
    const QImage hochgezogen = TQvImage::RenderFrame(b->Picture(), frames, frame, lage.size() * 2)
                                   .convertToFormat(QImage::Format_RGB32);
    QVERIFY(erwartet != hochgezogen);

    // What reaches the screen, in device pixels. The offscreen platform hands out only the
    // window's size in device pixels, its top left quarter: the window is made large enough.
    const QImage schirm = fenster.screen()->grabWindow(fenster.winId()).toImage();
    const QRect geraet(lage.topLeft() * 2, lage.size() * 2);
    const QImage gezeigt = schirm.copy(geraet).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(gezeigt.size(), erwartet.size());
    QVERIFY2(gezeigt == erwartet, "not painted from the picture of twice the size");
}

int main(int argc, char** argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHochaufloesend test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hochaufloesend.moc"
