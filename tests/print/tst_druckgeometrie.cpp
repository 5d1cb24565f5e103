// Page geometry of the printouts, without a printer: calendar cells and margins, the task
// sheet's lines, the templates' placement, and the texts the sheet writes.

#include "druckhilfe.h"
#include "print/aufgabedrucken.h"
#include "print/drucker.h"
#include "print/druckvorlagenform.h"
#include "print/kalenderdruck.h"
#include "widgets/zellenzeichnung.h"

#include <QLocale>
#include <QPainter>
#include <QTest>

class TestDruckgeometrie final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rand_data();
    void rand();
    void kalenderzellen_data();
    void kalenderzellen();
    void nachbarnTeilenKanten();
    void seiten_data();
    void seiten();
    void letzteSeiteUngeradeWochen();
    void blattzeilen_data();
    void blattzeilen();
    void blattTexte();
    void datumDeutschUnabhaengigVomGebietsschema();
    void vorlagenrechteck_data();
    void vorlagenrechteck();
    void druckoptionen();
};

void TestDruckgeometrie::rand_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("rand");
    QTest::newRow("96 dpi") << 96 << 76;
    QTest::newRow("300 dpi") << 300 << 236;
    QTest::newRow("600 dpi") << 600 << 472;
    QTest::newRow("1200 dpi") << 1200 << 945;
}

void TestDruckgeometrie::rand()
{
    QFETCH(int, dpi);
    QFETCH(int, rand);
    QCOMPARE(Kalenderdruck::Rand(dpi), rand);
}

void TestDruckgeometrie::kalenderzellen_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("seite");
    QTest::addColumn<int>("zeile");
    QTest::addColumn<int>("spalte");
    QTest::addColumn<QRect>("zelle");
    // A4 landscape, whole sheet at 300 dpi: (3508 − 472) div 7 = 433, 5 dots left over; a band
    // of 1 cm (118 dots) for the head line above the rows and for the foot line below them.
    QTest::newRow("300 dpi, Montag oben")
        << 300 << QSize(3508, 2480) << 0 << 0 << QRect(QPoint(236, 354), QPoint(668, 1239));
    QTest::newRow("300 dpi, Sonntag unten")
        << 300 << QSize(3508, 2480) << 1 << 6 << QRect(QPoint(2834, 1240), QPoint(3266, 2125));
    // A printable area of 6814 × 4724 at 600 dpi: columns of 838, bands of 236, rows of 1654.
    QTest::newRow("600 dpi, Montag oben")
        << 600 << QSize(6814, 4724) << 0 << 0 << QRect(QPoint(472, 708), QPoint(1309, 2361));
    QTest::newRow("600 dpi, Mittwoch unten")
        << 600 << QSize(6814, 4724) << 1 << 2 << QRect(QPoint(2148, 2362), QPoint(2985, 4015));
    QTest::newRow("600 dpi, Sonntag unten")
        << 600 << QSize(6814, 4724) << 1 << 6 << QRect(QPoint(5500, 2362), QPoint(6337, 4015));
    // An odd height: (1123 − 152 − 76) div 2 = 447, one dot blank at the bottom.
    QTest::newRow("96 dpi, Samstag unten")
        << 96 << QSize(1587, 1123) << 1 << 5 << QRect(QPoint(1101, 561), QPoint(1305, 1007));
}

void TestDruckgeometrie::kalenderzellen()
{
    QFETCH(int, dpi);
    QFETCH(QSize, seite);
    QFETCH(int, zeile);
    QFETCH(int, spalte);
    QFETCH(QRect, zelle);
    QCOMPARE(Kalenderdruck::Mass(dpi, seite).Zelle(zeile, spalte), zelle);
}

void TestDruckgeometrie::nachbarnTeilenKanten()
{
    const auto mass = Kalenderdruck::Mass(300, QSize(3508, 2480));
    for (int c = 0; c < 6; ++c) // the right edge of one cell is the left edge of the next
        QCOMPARE(mass.Zelle(0, c).left() + mass.Zelle(0, c).width(), mass.Zelle(0, c + 1).left());
    QCOMPARE(mass.Zelle(0, 3).top() + mass.Zelle(0, 3).height(), mass.Zelle(1, 3).top());
    // The head band ends where the first row begins, the foot band begins where the last ends.
    QCOMPARE(mass.Kopf().top(), mass.rand);
    QCOMPARE(mass.Kopf().top() + mass.Kopf().height(), mass.Zelle(0, 0).top());
    QCOMPARE(mass.Zelle(1, 0).top() + mass.Zelle(1, 0).height(), mass.Fuss().top());
    QCOMPARE(mass.Kopf().width(), 7 * mass.spalte);
    // The remainder stays blank at the right and the bottom, never more than 6 and 1 dots.
    const QRect letzte = mass.Zelle(1, 6);
    QVERIFY(3508 - mass.rand - (letzte.left() + letzte.width()) <= 6);
    QVERIFY(2480 - mass.rand - (mass.Fuss().top() + mass.Fuss().height()) <= 1);
}

void TestDruckgeometrie::seiten_data()
{
    QTest::addColumn<int>("tage");
    QTest::addColumn<int>("seiten");
    QTest::newRow("kein Plan") << 0 << 0;
    QTest::newRow("2 Wochen") << 14 << 1;
    QTest::newRow("5 Wochen") << 35 << 3;
    QTest::newRow("7 Wochen") << 49 << 4;
    QTest::newRow("10 Wochen") << 70 << 5;
    QTest::newRow("52 Wochen") << 364 << 26;
}

void TestDruckgeometrie::seiten()
{
    QFETCH(int, tage);
    QFETCH(int, seiten);
    QCOMPARE(Kalenderdruck::Seiten(tage), seiten);
}

void TestDruckgeometrie::letzteSeiteUngeradeWochen()
{
    // The third page of five weeks: week 5 above, nothing below.
    TestFenster fenster(5);
    const auto tage = fenster.TagDatenListe();
    QImage seite(1587, 1123, QImage::Format_RGB32);
    seite.fill(Qt::white);
    const auto mass = Kalenderdruck::Mass(96, seite.size());
    {
        QPainter p(&seite);
        Kalenderdruck::SeiteZeichnen(p, mass, tage, 28);
    }
    const auto& farben = Zellenzeichnung::Ausdruck();
    for (int c = 0; c < 7; ++c) {
        const QRect oben = mass.Zelle(0, c);
        const QRect unten = mass.Zelle(1, c);
        // The Sunday's header is the free day's, the others the working day's.
        const QColor kopf = c == 6 ? farben.kopfFrei : farben.kopf;
        QCOMPARE(QColor(seite.pixel(oben.left() + 3, oben.top() + 2)), kopf);
        QCOMPARE(QColor(seite.pixel(oben.center())),
                 c % 2 == 0 || c == 6 ? farben.koerperA : farben.koerperB);
        QCOMPARE(QColor(seite.pixel(unten.center())), QColor(Qt::white));
        QCOMPARE(QColor(seite.pixel(unten.left() + 3, unten.top() + 2)), QColor(Qt::white));
    }
    // The margins stay blank.
    QCOMPARE(QColor(seite.pixel(mass.rand / 2, 500)), QColor(Qt::white));
    QCOMPARE(QColor(seite.pixel(800, mass.rand - 2)), QColor(Qt::white));
}

void TestDruckgeometrie::blattzeilen_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("l1");
    QTest::addColumn<int>("l2");
    QTest::addColumn<int>("beschreibung");
    QTest::addColumn<int>("notizen");
    QTest::addColumn<QList<QPoint>>("lagen"); // title, description, notes, date, begin, duration

    // 300 dpi: ppcm 118.11, origin 118; title 3 cm in, description 4 cm, notes and data 5 cm.
    QTest::newRow("300 dpi, 3 Zeilen Text, 2 Notizen")
        << 300 << 47 << 47 << 3 << 2
        << QList<QPoint>{{354, 354}, {472, 494}, {472, 541},  {472, 588}, {590, 729},
                         {590, 776}, {590, 917}, {590, 1011}, {590, 1105}};
    // Without description (every user task) the notes begin on line 10, the date on k + 12.
    QTest::newRow("600 dpi, eigene Aufgabe mit Notiz") << 600 << 95 << 94 << 0 << 1
                                                       << QList<QPoint>{{708, 708},
                                                                        {1181, 236 + 940},
                                                                        {1181, 236 + 1222},
                                                                        {1181, 236 + 1410},
                                                                        {1181, 236 + 1598}};
    // An empty note: the date follows the description after two empty lines (n + 12).
    QTest::newRow("600 dpi, ohne Notiz, Schritte verschieden")
        << 600 << 100 << 94 << 2 << 0
        << QList<QPoint>{{708, 708},         {945, 1036},        {945, 1136},
                         {1181, 236 + 1316}, {1181, 236 + 1504}, {1181, 236 + 1692}};
    // 96 dpi: ppcm 37.795, origin 38, offsets round(75.59) = 76, round(113.39) = 113, 151.
    QTest::newRow("96 dpi") << 96 << 16 << 16 << 1 << 0
                            << QList<QPoint>{
                                   {114, 114}, {151, 166}, {189, 246}, {189, 278}, {189, 310}};
}

void TestDruckgeometrie::blattzeilen()
{
    QFETCH(int, dpi);
    QFETCH(int, l1);
    QFETCH(int, l2);
    QFETCH(int, beschreibung);
    QFETCH(int, notizen);
    QFETCH(QList<QPoint>, lagen);

    taufgabe a;
    a.Kurzbezeichnung = QStringLiteral("Titel");
    for (int i = 0; i < beschreibung; ++i)
        a.Beschreibung << QStringLiteral("Beschreibung %1").arg(i);
    QStringList notiz;
    for (int j = 0; j < notizen; ++j)
        notiz << QStringLiteral("Notiz %1").arg(j);
    const auto zeilen = Aufgabenblatt::Zeilen(a, notiz, 0, dpi, l1, l2);
    QList<QPoint> ist;
    for (const auto& z : zeilen)
        ist << z.lage;
    QCOMPARE(ist, lagen);
    QVERIFY(zeilen.front().schrift == Aufgabenblatt::Schrift::Titel);
    for (size_t i = 1; i < zeilen.size(); ++i)
        QVERIFY(zeilen[i].schrift == Aufgabenblatt::Schrift::Text);
}

void TestDruckgeometrie::blattTexte()
{
    taufgabe a;
    a.Kurzbezeichnung = QStringLiteral("Umzugswagen mieten");
    a.Beschreibung = QStringList{QStringLiteral("Reservieren Sie rechtzeitig.")};
    a.Start = 17;
    a.Dauer = 1;
    const auto zeilen = Aufgabenblatt::Zeilen(a, {QStringLiteral("Kasten")},
                                              Tageszahl::ausDatum(QDate(2001, 5, 7)), 300, 47, 47);
    QStringList texte;
    for (const auto& z : zeilen)
        texte << z.text;
    QCOMPARE(texte,
             (QStringList{QStringLiteral("Umzugswagen mieten"),
                          QStringLiteral("Reservieren Sie rechtzeitig."), QStringLiteral("Kasten"),
                          QStringLiteral("Datum: Montag, Mai 7, 2001"),
                          QStringLiteral("Beginn:08:00"), QStringLiteral("Dauer: 01h00")}));

    // Values outside the lists are clamped into them, as the task dialogs show them.
    QCOMPARE(Aufgabenblatt::BeginnText(0), QStringLiteral("00:00"));
    QCOMPARE(Aufgabenblatt::BeginnText(49), QStringLiteral("23:30"));
    QCOMPARE(Aufgabenblatt::BeginnText(1), QStringLiteral("00:00"));
    QCOMPARE(Aufgabenblatt::BeginnText(48), QStringLiteral("23:30"));
    QCOMPARE(Aufgabenblatt::DauerText(-1), QStringLiteral("00h30"));
    QCOMPARE(Aufgabenblatt::DauerText(47), QStringLiteral("23h30"));
    QCOMPARE(Aufgabenblatt::DauerText(0), QStringLiteral("00h30"));
    QCOMPARE(Aufgabenblatt::DauerText(46), QStringLiteral("23h30"));
}

void TestDruckgeometrie::datumDeutschUnabhaengigVomGebietsschema()
{
    const QLocale vorher;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString mai = Aufgabenblatt::DatumText(Tageszahl::ausDatum(QDate(2001, 5, 7)));
    const QString maerz = Aufgabenblatt::DatumText(Tageszahl::ausDatum(QDate(2026, 3, 1)));
    const QString dezember = Aufgabenblatt::DatumText(Tageszahl::ausDatum(QDate(2026, 12, 31)));
    QLocale::setDefault(vorher);
    QCOMPARE(mai, QStringLiteral("Montag, Mai 7, 2001"));
    QCOMPARE(maerz, QStringLiteral("Sonntag, März 1, 2026"));
    QCOMPARE(dezember, QStringLiteral("Donnerstag, Dezember 31, 2026"));
}

void TestDruckgeometrie::vorlagenrechteck_data()
{
    QTest::addColumn<QSize>("bild");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("seite");
    QTest::addColumn<QRect>("rechteck");
    QTest::newRow("600 dpi: 10 × 6,67 Zoll, mittig")
        << QSize(1500, 1000) << 600 << QSize(6814, 4724) << QRect(407, 362, 6000, 4000);
    QTest::newRow("150 dpi: Pixel für Punkt")
        << QSize(1398, 976) << 150 << QSize(1654, 1169) << QRect(128, 96, 1398, 976);
    QTest::newRow("96 dpi: gerundet")
        << QSize(1398, 976) << 96 << QSize(1058, 748) << QRect(81, 61, 895, 625);
    // Too large: centred all the same, cut equally; the division truncates towards zero.
    QTest::newRow("zu groß") << QSize(2000, 1500) << 150 << QSize(1654, 1169)
                             << QRect(-173, -165, 2000, 1500);
}

void TestDruckgeometrie::vorlagenrechteck()
{
    QFETCH(QSize, bild);
    QFETCH(int, dpi);
    QFETCH(QSize, seite);
    QFETCH(QRect, rechteck);
    QCOMPARE(Vorlagendruck::Rechteck(bild, dpi, seite), rechteck);
}

void TestDruckgeometrie::druckoptionen()
{
    // What the user saved for the queue (lpoptions) reaches the job; paper and orientation
    // are the printout's, copies and page ranges it counts itself.
    const std::vector<std::pair<QByteArray, QByteArray>> gespeichert{
        {"print-quality", "5"},
        {"media", "Letter"},
        {"copies", "3"},
        {"sides", "two-sided-long-edge"}};
    const QPageLayout quer(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF());
    const auto optionen = Druckoptionen(gespeichert, quer);
    const std::vector<std::pair<QByteArray, QByteArray>> erwartet{{"print-quality", "5"},
                                                                  {"sides", "two-sided-long-edge"},
                                                                  {"media", "A5"},
                                                                  {"landscape", ""}};
    QCOMPARE(optionen, erwartet);
    const QPageLayout hoch(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    QCOMPARE(Druckoptionen({}, hoch),
             (std::vector<std::pair<QByteArray, QByteArray>>{{"media", "A4"}}));
}

QTEST_MAIN(TestDruckgeometrie)
#include "tst_druckgeometrie.moc"
