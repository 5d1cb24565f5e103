#include "tools/vorlagen/gifschreiber.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <random>

namespace {

enum class Muster
{
    Zufall,
    Verlauf,
    Flaechen,
    Einfarbig
};

// An indexed picture of the given size and palette; the pattern decides how well LZW
// compresses it (random noise fills the code table fastest and forces resets).
QImage bild(int breite, int hoehe, int farben, Muster muster)
{
    QImage b(breite, hoehe, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < farben; ++i)
        palette.append(qRgb((i * 37) & 0xFF, (i * 91 + 13) & 0xFF, (255 - i * 53) & 0xFF));
    b.setColorTable(palette);
    std::mt19937 zufall(4711);
    for (int y = 0; y < hoehe; ++y) {
        uchar* zeile = b.scanLine(y);
        for (int x = 0; x < breite; ++x) {
            switch (muster) {
            case Muster::Zufall:
                zeile[x] = uchar(zufall() % unsigned(farben));
                break;
            case Muster::Verlauf:
                zeile[x] = uchar((x + y) % farben);
                break;
            case Muster::Flaechen:
                zeile[x] = uchar(((x / 40) + (y / 25) * 3) % farben);
                break;
            case Muster::Einfarbig:
                zeile[x] = uchar(farben - 1);
                break;
            }
        }
    }
    return b;
}

QImage lesen(const QByteArray& gif, QString* fehler = nullptr)
{
    QBuffer puffer;
    puffer.setData(gif);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer, "gif");
    QImage ergebnis = leser.read();
    if (fehler)
        *fehler = leser.errorString();
    return ergebnis;
}

} // namespace

class TestGifschreiber final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QImageReader::supportedImageFormats().contains("gif"),
                 "Qt's GIF plugin (imageformats/libqgif.so from libqt6gui6) is missing");
    }

    void hinUndZurueck_data()
    {
        QTest::addColumn<int>("breite");
        QTest::addColumn<int>("hoehe");
        QTest::addColumn<int>("farben");
        QTest::addColumn<int>("muster");

        QTest::newRow("1×1, one colour") << 1 << 1 << 1 << int(Muster::Einfarbig);
        QTest::newRow("1×1, two colours") << 1 << 1 << 2 << int(Muster::Zufall);
        QTest::newRow("odd size 7×3, two colours") << 7 << 3 << 2 << int(Muster::Zufall);
        QTest::newRow("three colours, table padded to four")
            << 13 << 11 << 3 << int(Muster::Zufall);
        QTest::newRow("odd size 33×17, 16 colours") << 33 << 17 << 16 << int(Muster::Verlauf);
        QTest::newRow("one column 1×501") << 1 << 501 << 5 << int(Muster::Zufall);
        QTest::newRow("one row 999×1") << 999 << 1 << 16 << int(Muster::Verlauf);
        QTest::newRow("256 colours, gradient") << 256 << 64 << 256 << int(Muster::Verlauf);
        QTest::newRow("256 colours, noise: many table resets")
            << 301 << 203 << 256 << int(Muster::Zufall);
        QTest::newRow("two colours, noise: resets at small code size")
            << 640 << 480 << 2 << int(Muster::Zufall);
        QTest::newRow("one colour, long runs") << 640 << 480 << 1 << int(Muster::Einfarbig);
        QTest::newRow("large flat areas, 16 colours") << 1398 << 976 << 16 << int(Muster::Flaechen);
        QTest::newRow("large, 256 colours, noise") << 1200 << 1700 << 256 << int(Muster::Zufall);
    }

    void hinUndZurueck()
    {
        QFETCH(int, breite);
        QFETCH(int, hoehe);
        QFETCH(int, farben);
        QFETCH(int, muster);

        const QImage original = bild(breite, hoehe, farben, Muster(muster));
        QString fehler;
        const QByteArray gif = Gif::kodieren(original, -1, &fehler);
        QVERIFY2(!gif.isEmpty(), qPrintable(fehler));
        QVERIFY(gif.startsWith("GIF89a"));
        QVERIFY(gif.endsWith(';'));

        const QImage gelesen = lesen(gif, &fehler);
        QVERIFY2(!gelesen.isNull(), qPrintable(fehler));
        QCOMPARE(gelesen.size(), original.size());
        const QImage a = original.convertToFormat(QImage::Format_RGB32);
        const QImage b = gelesen.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < hoehe; ++y) {
            for (int x = 0; x < breite; ++x) {
                if (a.pixel(x, y) != b.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2): %3 expected, %4 read")
                                         .arg(x)
                                         .arg(y)
                                         .arg(a.pixel(x, y), 8, 16)
                                         .arg(b.pixel(x, y), 8, 16)));
            }
        }
    }

    void transparenz()
    {
        QImage original = bild(37, 29, 16, Muster::Zufall);
        const int transparent = 5;
        const QByteArray gif = Gif::kodieren(original, transparent);
        QVERIFY(!gif.isEmpty());
        const QImage gelesen = lesen(gif).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(gelesen.hasAlphaChannel());
        int durchsichtig = 0;
        for (int y = 0; y < original.height(); ++y) {
            for (int x = 0; x < original.width(); ++x) {
                const int index = original.pixelIndex(x, y);
                const QRgb farbe = gelesen.pixel(x, y);
                if (index == transparent) {
                    QCOMPARE(qAlpha(farbe), 0);
                    ++durchsichtig;
                } else {
                    QCOMPARE(qAlpha(farbe), 255);
                    QCOMPARE(farbe, original.color(index) | 0xFF000000u);
                }
            }
        }
        QVERIFY(durchsichtig > 0);
    }

    void ohneTransparenzDeckend()
    {
        const QImage gelesen = lesen(Gif::kodieren(bild(20, 20, 4, Muster::Zufall)));
        QVERIFY(!gelesen.isNull());
        QVERIFY(!gelesen.hasAlphaChannel());
    }

    void ungueltig_data()
    {
        QTest::addColumn<QImage>("eingabe");
        QTest::addColumn<int>("transparent");
        QTest::addColumn<QString>("meldung");

        QImage ohnePalette(4, 4, QImage::Format_RGB32);
        ohnePalette.fill(Qt::white);
        QImage leerePalette(4, 4, QImage::Format_Indexed8);
        leerePalette.fill(0);
        leerePalette.setColorTable({});
        QImage indexZuGross = bild(4, 4, 3, Muster::Zufall);
        indexZuGross.scanLine(1)[2] = 7;

        QTest::newRow("null picture") << QImage() << -1 << QStringLiteral("Das Bild ist leer.");
        QTest::newRow("not indexed") << ohnePalette << -1
                                     << QStringLiteral("Das Bild hat keine Palette (8 Bit je "
                                                       "Bildpunkt erwartet).");
        QTest::newRow("empty palette") << leerePalette << -1
                                       << QStringLiteral("Die Palette hat 0 Farben, erlaubt "
                                                         "sind 1 bis 256.");
        QTest::newRow("index beyond the palette")
            << indexZuGross << -1
            << QStringLiteral("Bildpunkt (2, 1) verweist auf Farbe 7, die Palette hat nur 3 "
                              "Farben.");
        QTest::newRow("transparent index beyond the palette")
            << bild(4, 4, 3, Muster::Zufall) << 3
            << QStringLiteral("Der transparente Index 3 liegt außerhalb der Palette.");
        QTest::newRow("transparent index below -1")
            << bild(4, 4, 3, Muster::Zufall) << -2
            << QStringLiteral("Der transparente Index -2 liegt außerhalb der Palette.");
    }

    void ungueltig()
    {
        QFETCH(QImage, eingabe);
        QFETCH(int, transparent);
        QFETCH(QString, meldung);
        QString fehler;
        QVERIFY(Gif::kodieren(eingabe, transparent, &fehler).isEmpty());
        QCOMPARE(fehler, meldung);
    }

    void speichernErsetztGanz()
    {
        QTemporaryDir ordner;
        QVERIFY(ordner.isValid());
        const QString pfad = ordner.filePath(QStringLiteral("bild.gif"));
        const QImage gut = bild(50, 40, 8, Muster::Verlauf);
        QString fehler;
        QVERIFY2(Gif::speichern(gut, pfad, -1, &fehler), qPrintable(fehler));
        QFile datei(pfad);
        QVERIFY(datei.open(QIODevice::ReadOnly));
        const QByteArray vorher = datei.readAll();
        datei.close();
        QCOMPARE(vorher, Gif::kodieren(gut));

        // a bad picture leaves the old file untouched
        QVERIFY(!Gif::speichern(QImage(), pfad, -1, &fehler));
        QCOMPARE(fehler, pfad + QStringLiteral(": Das Bild ist leer."));
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QCOMPARE(datei.readAll(), vorher);
    }

    void speichernOhneOrdner()
    {
        QTemporaryDir ordner;
        const QString pfad = ordner.filePath(QStringLiteral("fehlt/bild.gif"));
        QString fehler;
        QVERIFY(!Gif::speichern(bild(3, 3, 2, Muster::Zufall), pfad, -1, &fehler));
        QVERIFY2(fehler.startsWith(pfad + QStringLiteral(" kann nicht geschrieben werden")),
                 qPrintable(fehler));
        QVERIFY(!QFile::exists(pfad));
    }
};

QTEST_GUILESS_MAIN(TestGifschreiber)
#include "tst_gifschreiber.moc"
