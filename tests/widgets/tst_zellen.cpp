#include "support/testdaten.h"
#include "widgets/zellengeometrie.h"
#include "widgets/zellentext.h"
#include "widgets/zellenzeichnung.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Zellenzeichnung;

namespace {
QFont Schrift()
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(12);
    return f;
}
} // namespace

class TestZellen final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void kopfText_data();
    void kopfText();
    void farben_data();
    void farben();
    void titel_data();
    void titel();
    void kuerzenEndetImmer();
    void riesigeTitel_data();
    void riesigeTitel();
    void notizKursivMarkiert();
    void bildschirm();
    void verteilen_data();
    void verteilen();
    void kurzeAufgabeSichtbar();
    void volleZelle();
    void ausdruckSkaliert();
    void zeilenspeicherZeichnetGleich();
    void hakenLiegtImBand_data();
    void hakenLiegtImBand();
};

void TestZellen::kopfText_data()
{
    QTest::addColumn<double>("tag");
    QTest::addColumn<QString>("text");
    QTest::newRow("5. Maerz") << T(2027, 3, 5) << QStringLiteral("5.3.");
    QTest::newRow("12. Dezember") << T(2026, 12, 12) << QStringLiteral("12.12.");
    QTest::newRow("1. Januar") << T(2027, 1, 1) << QStringLiteral("1. Januar");
}

void TestZellen::kopfText()
{
    QFETCH(double, tag);
    QFETCH(QString, text);
    QCOMPARE(KopfText(tag), text);
}

void TestZellen::farben_data()
{
    QTest::addColumn<double>("tag");
    QTest::addColumn<bool>("feiertag");
    QTest::addColumn<QColor>("kopf");
    QTest::addColumn<QColor>("koerper");
    const QColor frei(0, 0, 102), normal(51, 102, 204), a(224, 224, 255), b(240, 240, 255);
    QTest::newRow("Sonntag") << T(2027, 3, 7) << false << frei << a;
    QTest::newRow("Samstag") << T(2027, 3, 6) << false << normal << b;
    QTest::newRow("Montag") << T(2027, 3, 1) << false << normal << a;
    QTest::newRow("Dienstag") << T(2027, 3, 2) << false << normal << b;
    QTest::newRow("Dienstag, Feiertag") << T(2027, 3, 2) << true << frei << a;
    QTest::newRow("Mittwoch") << T(2027, 3, 3) << false << normal << a;
    QTest::newRow("Donnerstag") << T(2027, 3, 4) << false << normal << b;
    QTest::newRow("Freitag") << T(2027, 3, 5) << false << normal << a;
}

void TestZellen::farben()
{
    QFETCH(double, tag);
    QFETCH(bool, feiertag);
    QFETCH(QColor, kopf);
    QFETCH(QColor, koerper);
    TagDaten d(tag);
    d.Feiertag = feiertag;
    QCOMPARE(KopfFarbe(d, Bildschirm()), kopf);
    QCOMPARE(KoerperFarbe(d, Bildschirm()), koerper);
}

void TestZellen::titel_data()
{
    QTest::addColumn<QString>("titel");
    QTest::addColumn<int>("breite");
    QTest::addColumn<QStringList>("zeilen");
    QTest::newRow("Auto ummelden, breit")
        << QStringLiteral("Auto ummelden") << 500
        << QStringList{QStringLiteral("Auto"), QStringLiteral("ummelden")};
    QTest::newRow("Packen") << QStringLiteral("Packen") << 500
                            << QStringList{QStringLiteral("Packen")};
    QTest::newRow("Komma") << QStringLiteral("Kaution,Rest") << 500
                           << QStringList{QStringLiteral("Kaution"), QStringLiteral("Rest")};
    QTest::newRow("Leerzeichen am Ende teilt nicht")
        << QStringLiteral("Packen ") << 500 << QStringList{QStringLiteral("Packen ")};
}

void TestZellen::titel()
{
    QFETCH(QString, titel);
    QFETCH(int, breite);
    QFETCH(QStringList, zeilen);
    const QFontMetrics fm(Schrift());
    QCOMPARE(ZellenText(titel, {}, breite, fm, fm), zeilen);
}

void TestZellen::kuerzenEndetImmer()
{
    const QFontMetrics fm(Schrift());
    const QString lang = QStringLiteral("Übergabetermin für die alte Wohnung vereinbaren");
    // Split at the rightmost blank whose left part fits; the right part shortened.
    const int breite = fm.horizontalAdvance(QStringLiteral("Übergabetermin für die"));
    const QStringList zeilen = ZellenText(lang, {}, breite, fm, fm);
    QCOMPARE(zeilen.size(), 2);
    QCOMPARE(zeilen.at(0), QStringLiteral("Übergabetermin für die"));
    QVERIFY(zeilen.at(1).endsWith(QStringLiteral("...")));
    QVERIFY(fm.horizontalAdvance(zeilen.at(1)) <= breite);
    QVERIFY(QStringLiteral("alte Wohnung vereinbaren").startsWith(zeilen.at(1).chopped(3)));
    for (int b : {0, 1, 5, -10})
        QCOMPARE(Kuerzen(lang, b, fm), QStringLiteral("..."));
    QCOMPARE(Kuerzen(QString(), 0, fm), QString());
}

void TestZellen::riesigeTitel_data()
{
    QTest::addColumn<QString>("titel");
    QTest::addColumn<int>("titelzeilen");
    const QString worte = QStringLiteral("Kiste Kiste ");
    QTest::newRow("32767 characters, words") << worte.repeated(32767 / 12 + 1).left(32767) << 2;
    QTest::newRow("1 MB, words") << worte.repeated(1 << 16) << 2;
    QTest::newRow("1 MB, commas") << QStringLiteral("K,").repeated(1 << 19) << 2;
    QTest::newRow("1 MB of blanks") << QStringLiteral(" ").repeated(1 << 20) << 2;
    QTest::newRow("1 MB, one word") << QStringLiteral("K").repeated(1 << 20) << 1;
}

// A title as long as the title field takes, or longer from a file, is wrapped like any other.
void TestZellen::riesigeTitel()
{
    QFETCH(QString, titel);
    QFETCH(int, titelzeilen);
    const QFontMetrics fm(Schrift());
    const int breite = fm.horizontalAdvance(QStringLiteral("Kiste Kiste Kiste "));
    const QStringList zeilen = ZellenText(titel, {QStringLiteral("Notiz")}, breite, fm, fm, 3);
    QCOMPARE(zeilen.size(), titelzeilen + 1);
    for (int i = 0; i < titelzeilen; ++i)
        QVERIFY2(fm.horizontalAdvance(zeilen.at(i)) <= breite, qPrintable(zeilen.at(i)));
    QVERIFY(titel.startsWith(zeilen.at(0).endsWith(QStringLiteral("...")) ? zeilen.at(0).chopped(3)
                                                                          : zeilen.at(0)));
    if (titel.startsWith(QStringLiteral("Kiste")))
        QCOMPARE(zeilen.at(0), QStringLiteral("Kiste Kiste Kiste"));
    QCOMPARE(zeilen.last(), QStringLiteral("*Notiz"));
}

void TestZellen::notizKursivMarkiert()
{
    const QFontMetrics fm(Schrift());
    const QStringList zeilen = ZellenText(
        QStringLiteral("Packen"),
        {QStringLiteral("eine sehr lange Notiz, die nicht passt"), QString()}, 80, fm, fm);
    QCOMPARE(zeilen.size(), 3);
    QVERIFY(zeilen.at(1).startsWith(QLatin1Char('*')));
    QVERIFY(zeilen.at(1).endsWith(QStringLiteral("...")));
    QCOMPARE(zeilen.at(2), QStringLiteral("*"));
}

void TestZellen::bildschirm()
{
    TagDaten d(T(2027, 3, 7)); // a Sunday
    d.TerminHinzufuegen(7, 17, {QStringLiteral("Notiz")}, QStringLiteral("Umziehen"), 15);
    QImage bild(100, 164, QImage::Format_RGB32);
    bild.fill(Qt::black);
    QPainter p(&bild);
    AufBildschirm(p, d, bild.size(), Schrift());
    p.end();
    QCOMPARE(bild.pixelColor(50, 2), QColor(0, 0, 102));       // free-day header
    QCOMPARE(bild.pixelColor(99, 21), QColor(255, 255, 255));  // band
    QCOMPARE(bild.pixelColor(0, 100), QColor(221, 238, 255));  // edge line
    QCOMPARE(bild.pixelColor(99, 163), QColor(224, 224, 255)); // last band row stays body colour
    // The title is drawn in dark blue somewhere in the band's first line.
    bool blau = false;
    for (int x = 5; x < 60 && !blau; ++x)
        for (int y = 21; y < 34 && !blau; ++y)
            blau = bild.pixelColor(x, y).blue() > bild.pixelColor(x, y).red() + 60;
    QVERIFY(blau);
}

void TestZellen::verteilen_data()
{
    QTest::addColumn<QList<int>>("gewuenscht");
    QTest::addColumn<QList<int>>("zeilen");
    QTest::addColumn<int>("weitere");
    // 144 pixels, lines of 13, one pixel between bands.
    QTest::newRow("all fit") << QList<int>{2, 1, 3} << QList<int>{2, 1, 3} << 0;
    QTest::newRow("a long note leaves the others their line")
        << QList<int>{20, 1, 1} << QList<int>{8, 1, 1} << 0;
    QTest::newRow("two long bands share in turn") << QList<int>{20, 20} << QList<int>{5, 5} << 0;
    QTest::newRow("ten one-liners just fit") << QList<int>(10, 1) << QList<int>(10, 1) << 0;
    QTest::newRow("twelve: the last line counts three")
        << QList<int>(12, 1) << (QList<int>(9, 1) << 0 << 0 << 0) << 3;
    QTest::newRow("no tasks") << QList<int>{} << QList<int>{} << 0;
}

void TestZellen::verteilen()
{
    QFETCH(QList<int>, gewuenscht);
    QFETCH(QList<int>, zeilen);
    QFETCH(int, weitere);
    const Bandverteilung v =
        BaenderVerteilen(std::vector<int>(gewuenscht.begin(), gewuenscht.end()), 144, 13, 1);
    QCOMPARE(QList<int>(v.zeilen.begin(), v.zeilen.end()), zeilen);
    QCOMPARE(v.weitere, weitere);
    // A body with no room for a single line counts every task and shows none.
    const Bandverteilung eng = BaenderVerteilen({1, 1}, 5, 13, 1);
    QCOMPARE(eng.zeilen, (std::vector<int>{0, 0}));
    QCOMPARE(eng.weitere, 2);
}

// A task of 30 minutes (duration 0) is drawn with its title, and the day below it stays free
// for a click.
void TestZellen::kurzeAufgabeSichtbar()
{
    TagDaten d(T(2027, 3, 2)); // Tuesday
    d.TerminHinzufuegen(5, 17, {}, QStringLiteral("Kurz"), 0);
    QImage bild(100, 164, QImage::Format_RGB32);
    QPainter p(&bild);
    AufBildschirm(p, d, bild.size(), Schrift());
    p.end();
    int tinte = 0;
    for (int y = 21; y < 40; ++y)
        for (int x = 5; x < 60; ++x)
            tinte += bild.pixelColor(x, y).lightness() < 100;
    QVERIFY2(tinte > 10, "der Titel fehlt");
    QCOMPARE(bild.pixelColor(50, 120), QColor(240, 240, 255)); // free body below

    QCOMPARE(Zellengeometrie::TerminAnPunkt(d, 100, 50, 25), 0);
    QCOMPARE(Zellengeometrie::TerminAnPunkt(d, 100, 50, 120), -1);
    QCOMPARE(Zellengeometrie::TerminInHoehe(d, 100, 120), -1);
}

// More tasks than lines: whole titles for those with room, then "+N" for the rest, whose bands
// hold no point.
void TestZellen::volleZelle()
{
    TagDaten d(T(2027, 3, 2));
    for (int i = 0; i < 30; ++i)
        d.TerminHinzufuegen(100 + i, 17, {}, QStringLiteral("A%1").arg(i), 1);
    QImage bild(100, 164, QImage::Format_RGB32);
    QPainter p(&bild);
    AufBildschirm(p, d, bild.size(), Schrift());
    p.end();
    const QFontMetrics fm(Schrift());
    const Zellenlage lage =
        Legen(d, QRect(0, 20, 100, 144), fm.height(), 1, [&](const ttermin& t, int h) {
            return ZellenText(t.Kurzbezeichnung, {}, 95, fm, fm, h);
        });
    const int gezeigt = 144 / (fm.height() + 1) - 1 + (144 % (fm.height() + 1) >= fm.height());
    QCOMPARE(lage.weitere, 30 - gezeigt);
    QVERIFY(lage.weitereZeile.bottom() <= 163);
    // The count is drawn on the line below the last band.
    int tinte = 0;
    for (int y = lage.weitereZeile.top(); y <= lage.weitereZeile.bottom(); ++y)
        for (int x = 5; x < 40; ++x)
            tinte += bild.pixelColor(x, y).lightness() < 100;
    QVERIFY2(tinte > 5, "kein +N");
    const Zellenlage bildschirm = BildschirmLage(d, bild.size(), Schrift());
    for (int i = 0; i < 30; ++i) {
        const QRect& b = bildschirm.baender[static_cast<size_t>(i)].flaeche;
        QCOMPARE(!b.isEmpty(), i < gezeigt);
        if (i < gezeigt)
            QCOMPARE(b.height(), fm.height() + 1);
    }
}

void TestZellen::ausdruckSkaliert()
{
    TagDaten d(T(2027, 3, 3)); // Wednesday
    d.TerminHinzufuegen(9, 17, {}, QStringLiteral("Packen"), 15);
    QImage bild(400, 700, QImage::Format_RGB32);
    bild.fill(Qt::black);
    QPainter p(&bild);
    ZeichnenAuf(p, QRect(50, 10, 300, 656), d); // scale 4
    p.end();
    QCOMPARE(bild.pixelColor(200, 12), QColor(205, 222, 255)); // header
    QCOMPARE(bild.pixelColor(345, 95), QColor(204, 204, 204)); // band from 10 + 80
    QCOMPARE(bild.pixelColor(345, 85), QColor(205, 222, 255)); // header ends at 10 + 80
    QCOMPARE(bild.pixelColor(20, 20), QColor(0, 0, 0));        // outside untouched
}

void TestZellen::zeilenspeicherZeichnetGleich()
{
    auto zeichnen = [](const TagDaten& d, Zeilenspeicher* speicher) {
        QImage bild(100, 164, QImage::Format_RGB32);
        QPainter p(&bild);
        AufBildschirm(p, d, bild.size(), Schrift(), speicher);
        return bild;
    };
    TagDaten d(T(2027, 3, 2));
    for (int i = 0; i < 4; ++i)
        d.TerminHinzufuegen(i, 17 + i, {QStringLiteral("Notiz %1").arg(i)},
                            QStringLiteral("Aufgabe Nummer %1").arg(i), 2);
    Zeilenspeicher speicher;
    QCOMPARE(zeichnen(d, &speicher), zeichnen(d, nullptr));
    QCOMPARE(zeichnen(d, &speicher), zeichnen(d, nullptr)); // from memory now
    // A changed note is drawn anew, not taken from memory.
    d.Termine[1].Notiz = {QStringLiteral("ganz anders")};
    QCOMPARE(zeichnen(d, &speicher), zeichnen(d, nullptr));
    // The bold face of "Umziehen", italics from the first note on, letters beyond ASCII.
    TagDaten umzug(T(2027, 3, 3));
    umzug.TerminHinzufuegen(
        7, 30, {QStringLiteral("Schlüssel für Möbelträger"), QString(), QStringLiteral("Größe")},
        QStringLiteral("Umziehen übermorgen"), 2);
    QCOMPARE(zeichnen(umzug, &speicher), zeichnen(umzug, nullptr));
    QCOMPARE(zeichnen(umzug, &speicher), zeichnen(umzug, nullptr));
    // Ticked off, a band's lines leave room for the check mark: not those of the open task.
    d.Termine[2].Erledigt = true;
    QCOMPARE(zeichnen(d, &speicher), zeichnen(d, nullptr));
    d.Termine[2].Erledigt = false;
    QCOMPARE(zeichnen(d, &speicher), zeichnen(d, nullptr));
    // Fewer lines than the band could hold are never made.
    const QFontMetrics fm(Schrift());
    QCOMPARE(ZellenText(QStringLiteral("Auto ummelden"), {QStringLiteral("x")}, 500, fm, fm, 2),
             (QStringList{QStringLiteral("Auto"), QStringLiteral("ummelden")}));
    // A band of one line shows the whole title.
    QCOMPARE(ZellenText(QStringLiteral("Auto ummelden"), {QStringLiteral("x")}, 500, fm, fm, 1),
             QStringList{QStringLiteral("Auto ummelden")});
    QVERIFY(ZellenText(QStringLiteral("Auto"), {}, 500, fm, fm, 0).isEmpty());
}

void TestZellen::hakenLiegtImBand_data()
{
    QTest::addColumn<QRect>("band");
    QTest::addColumn<int>("zeile");
    QTest::newRow("Bildschirm") << QRect(0, 40, 100, 29) << 14;
    QTest::newRow("schmale Zelle") << QRect(0, 40, 24, 15) << 14;
    QTest::newRow("Ausdruck, Maßstab 4") << QRect(50, 90, 300, 200) << 60;
}

// The check mark sits in the band's first line at its right end; the text of a done task,
// from x 5, ends before it.
void TestZellen::hakenLiegtImBand()
{
    QFETCH(QRect, band);
    QFETCH(int, zeile);
    const QRect feld = Hakenfeld(band, zeile);
    QVERIFY(feld.width() >= 6 && feld.right() < band.right());
    QVERIFY(feld.top() >= band.top() && feld.bottom() < band.top() + zeile);
    for (const QPointF& p : Haken(QRectF(feld)))
        QVERIFY(QRectF(feld).adjusted(0, 0, 1, 1).contains(p));
    ttermin t;
    QCOMPARE(Textbreite(t, band.width() - 5, zeile), band.width() - 5);
    t.Erledigt = true;
    QVERIFY(band.left() + 5 + Textbreite(t, band.width() - 5, zeile) < feld.left());
}

QTEST_MAIN(TestZellen)
#include "tst_zellen.moc"
