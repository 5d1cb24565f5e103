// The artwork as the windows get it from the resources, a gallery of all buttons in all
// four states (written to the build folder for a look), and the generator's reproducibility.

#include "support/bildvergleich.h"
#include "widgets/artwork.h"
#include "widgets/qvimagebutton.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QEnterEvent>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestArtwork final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonStrips();
    void pictures_data();
    void pictures();
    void gallery();
    void generatorIsReproducible();
};

void TestArtwork::buttonStrips()
{
    QSet<QString> pfade;
    QSet<QByteArray> inhalte;
    for (const QLatin1String pfad : Artwork::AlleKnoepfe) {
        const QString name(pfad);
        pfade.insert(name);
        QImage bild;
        QVERIFY2(bild.load(name), qPrintable(name));
        QCOMPARE(bild.size(), QSize(480, 24));
        QVERIFY2(!bild.hasAlphaChannel(), qPrintable(name));
        QCOMPARE(QImage(TQvImage::HighResName(name)).size(), QSize(960, 48));
        // The four states must look different from each other.
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b)
                QVERIFY2(bild.copy(a * 120, 0, 120, 24) != bild.copy(b * 120, 0, 120, 24),
                         qPrintable(QStringLiteral("%1: Frames %2 und %3 gleich")
                                        .arg(name)
                                        .arg(a + 1)
                                        .arg(b + 1)));
        QFile datei(name);
        QVERIFY(datei.open(QIODevice::ReadOnly));
        inhalte.insert(QCryptographicHash::hash(datei.readAll(), QCryptographicHash::Sha1));
    }
    QCOMPARE(pfade.size(), 27);
    // Buttons with the same caption share their look; the rest differ.
    QCOMPARE(inhalte.size(), 21);
}

void TestArtwork::pictures_data()
{
    QTest::addColumn<QString>("pfad");
    QTest::addColumn<QSize>("groesse");
    QTest::newRow("logo") << QString(Artwork::Logo) << QSize(200, 32);
    QTest::newRow("decoration column") << QString(Artwork::Dekorspalte) << QSize(120, 600);
    QTest::newRow("left-hand picture") << QString(Artwork::BildLinks) << QSize(80, 184);
    QTest::newRow("splash picture") << QString(Artwork::SplashBild) << QSize(200, 400);
    QTest::newRow("splash emblem") << QString(Artwork::SplashEmblem) << QSize(120, 120);
    QTest::newRow("splash logo strip") << QString(Artwork::SplashLogo) << QSize(300, 48);
}

void TestArtwork::pictures()
{
    QFETCH(QString, pfad);
    QFETCH(QSize, groesse);
    QImage bild;
    QVERIFY(bild.load(pfad));
    QCOMPARE(bild.size(), groesse);
    QVERIFY(!bild.hasAlphaChannel());
    QCOMPARE(QImage(TQvImage::HighResName(pfad)).size(), groesse * 2);
}

void TestArtwork::gallery()
{
    constexpr int Links = 200;
    constexpr int Abstand = 8;
    constexpr int Zeile = 24 + Abstand;
    const int n = int(Artwork::AlleKnoepfe.size());
    auto fenster = std::make_unique<QWidget>();
    fenster->setAutoFillBackground(true);
    QPalette pal = fenster->palette();
    pal.setColor(QPalette::Window, QColor(255, 243, 204));
    fenster->setPalette(pal);
    fenster->resize(Links + 4 * (120 + Abstand) + Abstand, Abstand + n * Zeile);

    // Real buttons, driven into their four states like a user would.
    std::vector<std::array<TQvImageButton*, 4>> knoepfe;
    for (int i = 0; i < n; ++i) {
        std::array<TQvImageButton*, 4> reihe{};
        for (int z = 0; z < 4; ++z) {
            reihe[z] = new TQvImageButton(QString(Artwork::AlleKnoepfe[i]), fenster.get());
            reihe[z]->move(Links + z * (120 + Abstand), Abstand + i * Zeile);
        }
        knoepfe.push_back(reihe);
    }
    fenster->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenster.get()));
    for (auto& reihe : knoepfe) {
        for (int z : {1, 2}) {
            QEnterEvent e(QPointF(60, 12), QPointF(60, 12), reihe[z]->mapToGlobal(QPointF(60, 12)));
            QCoreApplication::sendEvent(reihe[z], &e);
        }
        QTest::mousePress(reihe[2], Qt::LeftButton);
        reihe[3]->setEnabled(false);
    }

    QImage galerie = fenster->grab().toImage();
    for (int i = 0; i < n; ++i) {
        const QImage streifen{QString(Artwork::AlleKnoepfe[i])};
        for (int z = 0; z < 4; ++z) {
            QCOMPARE(knoepfe[i][z]->CurrentButton(), z + 1);
            const QImage gezeigt =
                galerie.copy(Links + z * (120 + Abstand), Abstand + i * Zeile, 120, 24)
                    .convertToFormat(QImage::Format_RGB32);
            QVERIFY2(gezeigt ==
                         streifen.copy(z * 120, 0, 120, 24).convertToFormat(QImage::Format_RGB32),
                     qPrintable(QStringLiteral("%1, Frame %2")
                                    .arg(QString(Artwork::AlleKnoepfe[i]))
                                    .arg(z + 1)));
        }
    }
    {
        QPainter p(&galerie);
        p.setRenderHint(QPainter::TextAntialiasing);
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(11);
        p.setFont(f);
        p.setPen(QColor(0, 0, 102));
        for (int i = 0; i < n; ++i) {
            const QString name = QString(Artwork::AlleKnoepfe[i]).section(QLatin1Char('/'), -1);
            p.drawText(QRect(Abstand, Abstand + i * Zeile, Links - 2 * Abstand, 24),
                       Qt::AlignVCenter, name);
        }
    }
    const QString ziel = QStringLiteral(KL_GALERIE);
    QVERIFY2(galerie.save(ziel), qPrintable(ziel));
    qInfo("Galerie: %s", qPrintable(ziel));

    for (auto& reihe : knoepfe)
        QTest::mouseRelease(reihe[2], Qt::LeftButton);
}

void TestArtwork::generatorIsReproducible()
{
    QTemporaryDir eins;
    QTemporaryDir zwei;
    QVERIFY(eins.isValid() && zwei.isValid());
    for (const QTemporaryDir* ordner : {&eins, &zwei}) {
        QProcess programm;
        programm.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        programm.start(QStringLiteral(KL_ARTWORK_PROGRAMM),
                       {ordner->filePath(QStringLiteral("artwork"))});
        QVERIFY(programm.waitForFinished(60000));
        QCOMPARE(programm.exitStatus(), QProcess::NormalExit);
        QCOMPARE(programm.exitCode(), 0);
    }

    auto lesen = [](const QString& pfad) {
        QFile datei(pfad);
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    };
    // Same bytes on every run, and the same pictures as the committed resources (compared by
    // what they show, so that another font or Qt version does not count): a drawing change
    // without new pictures shows here.
    const QDir quelle(QStringLiteral(KL_ARTWORK_QUELLE));
    int dateien = 0;
    QDirIterator it(eins.filePath(QStringLiteral("artwork")), {QStringLiteral("*.png")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString pfad = it.next();
        const QString relativ = QDir(eins.path()).relativeFilePath(pfad);
        const QByteArray inhalt = lesen(pfad);
        QVERIFY2(!inhalt.isEmpty(), qPrintable(relativ));
        QVERIFY2(inhalt == lesen(zwei.filePath(relativ)),
                 qPrintable(relativ + QStringLiteral(" differs between runs")));
        const QImage eingecheckt(quelle.filePath(relativ));
        QVERIFY2(!eingecheckt.isNull(), qPrintable(relativ + QStringLiteral(" is not committed")));
        const QString unterschied =
            Bildvergleich::vergleichen(QImage::fromData(inhalt), eingecheckt);
        QVERIFY2(unterschied.isEmpty(),
                 qPrintable(relativ + QStringLiteral(": ") + unterschied +
                            QStringLiteral("; run cmake --build <build> --target artwork_neu")));
        ++dateien;
    }
    int eingecheckt = 0;
    for (QDirIterator alle(quelle.filePath(QStringLiteral("artwork")), {QStringLiteral("*.png")},
                           QDir::Files, QDirIterator::Subdirectories);
         alle.hasNext(); alle.next())
        ++eingecheckt;
    QVERIFY(dateien > 0);
    QCOMPARE(dateien, eingecheckt);
    // The scalable icon is the drawing's source, installed as it is; the generator leaves it alone.
    const QString svg =
        QStringLiteral("artwork/icons/hicolor/scalable/apps/de.quellmark.Kistenlotse.svg");
    QVERIFY(lesen(quelle.filePath(svg)).contains("<svg"));
    QVERIFY(!QFile::exists(eins.filePath(svg)));
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
