#include "print/druckvorlagenform.h"
#include "support/bildvergleich.h"
#include "tools/vorlagen/palette.h"
#include "tools/vorlagen/vorlagen.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage gifLesen(const QString& pfad)
{
    QImageReader leser(pfad, "gif");
    return leser.read();
}

// True when every pixel of bereich in bild is white.
bool weiss(const QImage& bild, const QRect& bereich, QPoint* erster = nullptr)
{
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB32);
    for (int y = bereich.top(); y <= bereich.bottom(); ++y) {
        for (int x = bereich.left(); x <= bereich.right(); ++x) {
            if ((rgb.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                if (erster)
                    *erster = QPoint(x, y);
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TestVorlagen final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_dateien = Vorlagen::alleDateien(); }

    // The composing of a postcard draws the front unscaled at (699, 51) of the back.
    void geometrie()
    {
        QCOMPARE(Vorlagen::VorderseitePosition, QPoint(699, 51));
        const QRect rueckseite(QPoint(0, 0), Vorlagen::RueckseitenGroesse);
        QVERIFY(rueckseite.contains(Vorlagen::VorderseitenFlaeche));
        QVERIFY(rueckseite.contains(Vorlagen::AnschriftFlaeche));
        QVERIFY(!Vorlagen::AnschriftFlaeche.intersects(Vorlagen::VorderseitenFlaeche));
        // DIN A6 at 150 dpi, within a millimetre
        QVERIFY(qAbs(Vorlagen::KartenGroesse.width() - 105 * 150 / 25.4) < 6);
        QVERIFY(qAbs(Vorlagen::KartenGroesse.height() - 148 * 150 / 25.4) < 6);
        // the preview keeps the shape of the card
        const double karte =
            double(Vorlagen::KartenGroesse.width()) / Vorlagen::KartenGroesse.height();
        const double vorschau =
            double(Vorlagen::VorschauGroesse.width()) / Vorlagen::VorschauGroesse.height();
        QVERIFY(qAbs(karte - vorschau) < 0.01);
    }

    void dateien_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("groesse");
        QTest::addColumn<int>("hoechstensFarben");

        QTest::newRow("back") << "rueckseite.gif" << Vorlagen::RueckseitenGroesse << 16;
        QTest::newRow("houses") << "Haeuser_front.gif" << Vorlagen::KartenGroesse << 256;
        QTest::newRow("new address")
            << "Neue_Anschrift_front.gif" << Vorlagen::KartenGroesse << 256;
        QTest::newRow("solitude") << "Solitude_front.gif" << Vorlagen::KartenGroesse << 256;
        QTest::newRow("moved") << "umgezogen_front.gif" << Vorlagen::KartenGroesse << 256;
        QTest::newRow("takeover") << "Uebernahme.gif" << Vorlagen::ProtokollGroesse << 16;
        QTest::newRow("handover") << "Uebergabe.gif" << Vorlagen::ProtokollGroesse << 16;
        QTest::newRow("preview houses") << "vorschau/Haeuser.png" << Vorlagen::VorschauGroesse << 0;
        QTest::newRow("preview new address")
            << "vorschau/Neue_Anschrift.png" << Vorlagen::VorschauGroesse << 0;
        QTest::newRow("preview solitude")
            << "vorschau/Solitude.png" << Vorlagen::VorschauGroesse << 0;
        QTest::newRow("preview moved")
            << "vorschau/umgezogen.png" << Vorlagen::VorschauGroesse << 0;
        QTest::newRow("preview houses 2x")
            << "vorschau/Haeuser@2x.png" << Vorlagen::VorschauGroesse * 2 << 0;
    }

    // Every file is there with its size and palette, and the committed copy looks like what
    // the generator draws now.
    void dateien()
    {
        QFETCH(QString, name);
        QFETCH(QSize, groesse);
        QFETCH(int, hoechstensFarben);

        const auto datei = std::find_if(m_dateien.begin(), m_dateien.end(),
                                        [&](const Vorlagen::Datei& d) { return d.name == name; });
        QVERIFY(datei != m_dateien.end());
        QCOMPARE(datei->bild.size(), groesse);
        if (hoechstensFarben > 0) {
            QCOMPARE(datei->bild.format(), QImage::Format_Indexed8);
            QVERIFY(datei->bild.colorCount() <= hoechstensFarben);
        }

        const QString pfad = QDir(QStringLiteral(KL_VORLAGEN_ORDNER)).filePath(name);
        QVERIFY2(QFile::exists(pfad), qPrintable(pfad + QStringLiteral(" is missing")));
        const QImage eingecheckt(pfad);
        QVERIFY2(!eingecheckt.isNull(), qPrintable(pfad));
        if (hoechstensFarben > 0)
            QVERIFY(eingecheckt.colorCount() <= hoechstensFarben);
        const QString unterschied = Bildvergleich::vergleichen(datei->bild, eingecheckt);
        QVERIFY2(unterschied.isEmpty(),
                 qPrintable(pfad + QStringLiteral(": ") + unterschied +
                            QStringLiteral("; run the target kl_vorlagen_erzeugen")));
    }

    // The templates dialog lists the postcards by name; a card named for a message carries
    // that message as its headline, and no front is headed with another card's name.
    void titelPasstZumNamen()
    {
        QStringList namen;
        QStringList titel;
        for (const Druckvorlage& v : Vorlagendruck::Vorlagen()) {
            if (v.vorderseite.isEmpty())
                continue;
            namen << v.eintrag.section(QLatin1Char('"'), 1, 1);
            titel << Vorlagen::Titel(v.vorderseite.chopped(int(qstrlen("_front.gif"))))
                         .replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
        QCOMPARE(namen.size(), 4);
        for (qsizetype i = 0; i < namen.size(); ++i) {
            QVERIFY2(!titel.at(i).isEmpty(), qPrintable(namen.at(i)));
            if (namen.at(i) == QLatin1String("Neue Anschrift") ||
                namen.at(i) == QLatin1String("Wir sind umgezogen"))
                QVERIFY2(titel.at(i).startsWith(namen.at(i)), qPrintable(titel.at(i)));
            for (qsizetype j = 0; j < namen.size(); ++j)
                if (j != i)
                    QVERIFY2(!titel.at(i).contains(namen.at(j), Qt::CaseInsensitive),
                             qPrintable(titel.at(i) + QStringLiteral(" / ") + namen.at(j)));
        }
    }

    void allesGeschrieben()
    {
        QTemporaryDir ordner;
        QString fehler;
        QVERIFY2(Vorlagen::schreiben(ordner.path(), &fehler), qPrintable(fehler));
        for (const Vorlagen::Datei& d : m_dateien)
            QVERIFY2(QFile::exists(ordner.filePath(d.name)), qPrintable(d.name));
        const QImage gelesen = gifLesen(ordner.filePath(QStringLiteral("rueckseite.gif")));
        QCOMPARE(gelesen.size(), Vorlagen::RueckseitenGroesse);
    }

    // The front covers its area of the back; nothing of the back may be hidden under it.
    void vorderseitenFlaecheFrei()
    {
        const QImage rueckseite = Vorlagen::rueckseite();
        QPoint tinte;
        QVERIFY2(weiss(rueckseite, Vorlagen::VorderseitenFlaeche, &tinte),
                 qPrintable(QStringLiteral("ink at (%1, %2)").arg(tinte.x()).arg(tinte.y())));
        QVERIFY(!weiss(rueckseite, Vorlagen::AnschriftFlaeche));
    }

    // The forms are centred on the page at 150 dpi; a band along every edge stays white so
    // a printer's unprintable margin cuts off nothing.
    void protokollRaender_data()
    {
        QTest::addColumn<int>("art");
        QTest::newRow("takeover") << int(Vorlagen::Protokoll::Uebernahme);
        QTest::newRow("handover") << int(Vorlagen::Protokoll::Uebergabe);
    }

    void protokollRaender()
    {
        QFETCH(int, art);
        const QImage bild = Vorlagen::protokoll(Vorlagen::Protokoll(art));
        const QSize a4(1240, 1754);
        QVERIFY(bild.width() <= a4.width() && bild.height() <= a4.height());
        // 6 mm of the sheet on every side
        const int randX = 35 - (a4.width() - bild.width()) / 2;
        const int randY = 35 - (a4.height() - bild.height()) / 2;
        const int w = bild.width(), h = bild.height();
        QVERIFY(weiss(bild, QRect(0, 0, w, std::max(randY, 1))));
        QVERIFY(weiss(bild, QRect(0, h - std::max(randY, 1), w, std::max(randY, 1))));
        QVERIFY(weiss(bild, QRect(0, 0, std::max(randX, 1), h)));
        QVERIFY(weiss(bild, QRect(w - std::max(randX, 1), 0, std::max(randX, 1), h)));
        QVERIFY(!weiss(bild, QRect(QPoint(0, 0), bild.size())));
    }

    void paletteGenauBeiWenigenFarben()
    {
        QImage bild(40, 30, QImage::Format_RGB32);
        bild.fill(Qt::white);
        QPainter p(&bild);
        p.fillRect(QRect(0, 0, 8, 30), QColor(200, 10, 10));
        p.fillRect(QRect(8, 0, 8, 30), QColor(10, 200, 10));
        p.fillRect(QRect(32, 0, 8, 30), QColor(0, 0, 0));
        p.end();
        const QImage reduziert = aufPaletteReduzieren(bild, 16);
        QCOMPARE(reduziert.colorCount(), 4);
        QCOMPARE(reduziert.convertToFormat(QImage::Format_RGB32), bild);
        // most used first
        QCOMPARE(reduziert.color(0), qRgb(255, 255, 255));
    }

    // Antialiased art has thousands of colours; large areas must keep their exact colour
    // and the count must stay within the limit.
    void paletteReduziert_data()
    {
        QTest::addColumn<int>("farben");
        QTest::newRow("2") << 2;
        QTest::newRow("16") << 16;
        QTest::newRow("256") << 256;
    }

    void paletteReduziert()
    {
        QFETCH(int, farben);
        QImage bild(300, 200, QImage::Format_RGB32);
        bild.fill(Qt::white);
        QPainter p(&bild);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 3));
        p.setBrush(QColor(30, 90, 200));
        p.drawEllipse(QRectF(20.3, 20.7, 160, 150));
        p.setBrush(QColor(230, 120, 40));
        p.drawEllipse(QRectF(120.5, 40.2, 160, 140));
        QLinearGradient verlauf(0, 0, 300, 0);
        verlauf.setColorAt(0, Qt::yellow);
        verlauf.setColorAt(1, Qt::darkGreen);
        p.fillRect(QRect(0, 185, 300, 15), verlauf);
        p.end();

        const QImage reduziert = aufPaletteReduzieren(bild, farben);
        QVERIFY(reduziert.colorCount() <= farben);
        QCOMPARE(reduziert.pixel(2, 2), qRgb(255, 255, 255));
        if (farben >= 16) {
            QCOMPARE(reduziert.pixel(60, 100), qRgb(30, 90, 200));
            QCOMPARE(reduziert.pixel(230, 110), qRgb(230, 120, 40));
        }
        // same input, same output
        QCOMPARE(aufPaletteReduzieren(bild, farben), reduziert);
    }

private:
    std::vector<Vorlagen::Datei> m_dateien;
};

QTEST_MAIN(TestVorlagen)
#include "tst_vorlagen.moc"
