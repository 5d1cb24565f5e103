#include "dialogs/terminregeln.h"
#include "model/plandatei.h"
#include "model/zeiten.h"
#include "print/aufgabedrucken.h"
#include "widgets/schrift.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

#include <limits>

using namespace Terminregeln;

class TestTerminregeln final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anzeige_data();
    void anzeige();
    void einRegelFuerAlleAnzeigen_data();
    void einRegelFuerAlleAnzeigen();
    void kopplung_data();
    void kopplung();
    void einJahr_data();
    void einJahr();
    void linkSuchen_data();
    void linkSuchen();
    void linkEnde_data();
    void linkEnde();
    void druckvorlagen_data();
    void druckvorlagen();
    void ueberschrift_data();
    void ueberschrift();
    void namenUndAbhaengige();
    void notizZeilen_data();
    void notizZeilen();
    void notizBegrenzt();
    void bildschirmzeilen();
    void zeilenhoeheDerSchrift();
    void linkLiegtUeberSeinenZeichen_data();
    void linkLiegtUeberSeinenZeichen();
};

void TestTerminregeln::anzeige_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("dauer");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("d");
    QTest::newRow("08:00 for eight hours") << 17 << 15 << 16 << 15;
    QTest::newRow("23:30 shortest") << 48 << 0 << 47 << 0;
    QTest::newRow("12:00 with 15h30 shows 12h00") << 25 << 30 << 24 << 23;
    QTest::newRow("ends at 24:00 exactly") << 25 << 23 << 24 << 23;
    QTest::newRow("00:00 longest") << 1 << 46 << 0 << 46;
    QTest::newRow("file: Start 0, Dauer -5") << 0 << -5 << 0 << 0;
    QTest::newRow("file: Start 1000") << 1000 << 3 << 47 << 0;
    QTest::newRow("file: Dauer beyond the list at 00:00") << 1 << 47 << 0 << 46;
    QTest::newRow("file: smallest Start") << std::numeric_limits<int>::min() << 3 << 0 << 3;
    QTest::newRow("file: largest Dauer at 12:00")
        << 25 << std::numeric_limits<int>::max() << 24 << 23;
    QTest::newRow("file: smallest Dauer at 23:30")
        << 48 << std::numeric_limits<int>::min() << 47 << 0;
}

void TestTerminregeln::anzeige()
{
    QFETCH(int, start);
    QFETCH(int, dauer);
    QFETCH(int, b);
    QFETCH(int, d);
    QCOMPARE(BeginnIndex(start), b);
    QCOMPARE(DauerIndex(BeginnIndex(start), dauer), d);
}

// The dialog, the command-line tool and the task sheet show a stored Start and Dauer alike.
void TestTerminregeln::einRegelFuerAlleAnzeigen_data()
{
    QTest::addColumn<int>("wert");
    QTest::addColumn<QString>("beginn");
    QTest::addColumn<QString>("dauer");
    QTest::newRow("smallest") << std::numeric_limits<int>::min() << "00:00"
                              << "00h30";
    QTest::newRow("-1") << -1 << "00:00"
                        << "00h30";
    QTest::newRow("0") << 0 << "00:00"
                       << "00h30";
    QTest::newRow("17") << 17 << "08:00"
                        << "09h00";
    QTest::newRow("47") << 47 << "23:00"
                        << "23h30";
    QTest::newRow("49") << 49 << "23:30"
                        << "23h30";
    QTest::newRow("largest") << std::numeric_limits<int>::max() << "23:30"
                             << "23h30";
}

void TestTerminregeln::einRegelFuerAlleAnzeigen()
{
    QFETCH(int, wert);
    QFETCH(QString, beginn);
    QFETCH(QString, dauer);
    QCOMPARE(Zeiten::BeginnTexte().at(BeginnIndex(wert)), beginn);
    QCOMPARE(Zeiten::BeginnText(wert), beginn);
    QCOMPARE(Aufgabenblatt::BeginnText(wert), beginn);
    // Behind 00:00 every duration of the list fits.
    QCOMPARE(Zeiten::DauerTexte().at(DauerIndex(0, wert)), dauer);
    QCOMPARE(Zeiten::DauerText(wert), dauer);
    QCOMPARE(Aufgabenblatt::DauerText(wert), dauer);
}

void TestTerminregeln::kopplung_data()
{
    QTest::addColumn<bool>("beginnGewaehlt");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("bDanach");
    QTest::addColumn<int>("dDanach");
    QTest::newRow("23:30 chosen with 02h00") << true << 47 << 3 << 47 << 0;
    QTest::newRow("23h30 chosen with 05:00") << false << 10 << 46 << 1 << 46;
    QTest::newRow("begin that just fits") << true << 44 << 3 << 44 << 3;
    QTest::newRow("begin one too late") << true << 45 << 3 << 45 << 2;
    QTest::newRow("duration that just fits") << false << 20 << 27 << 20 << 27;
    QTest::newRow("duration one too long") << false << 20 << 28 << 19 << 28;
}

void TestTerminregeln::kopplung()
{
    QFETCH(bool, beginnGewaehlt);
    QFETCH(int, b);
    QFETCH(int, d);
    QFETCH(int, bDanach);
    QFETCH(int, dDanach);
    if (beginnGewaehlt) {
        QCOMPARE(DauerNachBeginn(b, d), dDanach);
        QCOMPARE(b, bDanach);
    } else {
        QCOMPARE(BeginnNachDauer(b, d), bDanach);
        QCOMPARE(d, dDanach);
    }
}

void TestTerminregeln::einJahr_data()
{
    QTest::addColumn<double>("tag");
    QTest::addColumn<bool>("erlaubt");
    // Calendar from day 40000 to day 40048.
    QTest::newRow("inside") << 40010.0 << true;
    QTest::newRow("364 days after the first") << 40364.0 << true;
    QTest::newRow("365 days after the first") << 40365.0 << false;
    QTest::newRow("364 days before the last") << 39684.0 << true;
    QTest::newRow("365 days before the last") << 39683.0 << false;
    QTest::newRow("unreadable date") << 0.0 << false;
}

void TestTerminregeln::einJahr()
{
    QFETCH(double, tag);
    QFETCH(bool, erlaubt);
    QCOMPARE(InnerhalbEinesJahres(40000, 40048, tag), erlaubt);
}

void TestTerminregeln::linkSuchen_data()
{
    QTest::addColumn<QStringList>("zeilen");
    QTest::addColumn<int>("zeile");
    QTest::addColumn<int>("anfang");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("adresse");

    QTest::newRow("none") << QStringList{QStringLiteral("Kein Link hier."), QString()} << -1 << 0
                          << QString() << QString();
    QTest::newRow("http") << QStringList{QStringLiteral("Mehr:"),
                                         QStringLiteral("http://example.de/a")}
                          << 1 << 0 << QStringLiteral("http://example.de/a")
                          << QStringLiteral("http://example.de/a");
    QTest::newRow("https after text")
        << QStringList{QStringLiteral("Siehe https://www.sweethome3d.com/de/")} << 0 << 6
        << QStringLiteral("https://www.sweethome3d.com/de/")
        << QStringLiteral("https://www.sweethome3d.com/de/");
    QTest::newRow("two link lines: the later")
        << QStringList{QStringLiteral("http://eins.de/"), QStringLiteral("Text"),
                       QStringLiteral("oder https://zwei.de/x")}
        << 2 << 5 << QStringLiteral("https://zwei.de/x") << QStringLiteral("https://zwei.de/x");
    QTest::newRow("trailing blank included")
        << QStringList{QStringLiteral("http://example.de/ ")} << 0 << 0
        << QStringLiteral("http://example.de/ ") << QStringLiteral("http://example.de/");
    QTest::newRow("ends at semicolon")
        << QStringList{QStringLiteral("Web: http://example.de;")} << 0 << 5
        << QStringLiteral("http://example.de;") << QStringLiteral("http://example.de");
    QTest::newRow("invalid stays text")
        << QStringList{QStringLiteral("http://exa[mple.de/")} << -1 << 0 << QString() << QString();
    QTest::newRow("no host stays text")
        << QStringList{QStringLiteral("https:///pfad")} << -1 << 0 << QString() << QString();
    QTest::newRow("words after the link stay text")
        << QStringList{QStringLiteral("http://example.de/ und mehr")} << -1 << 0 << QString()
        << QString();
    QTest::newRow("later invalid line keeps the earlier link")
        << QStringList{QStringLiteral("http://gut.de/"), QStringLiteral("http://schl[echt/")} << 0
        << 0 << QStringLiteral("http://gut.de/") << QStringLiteral("http://gut.de/");
    QTest::newRow("other schemes are no links")
        << QStringList{QStringLiteral("ftp://example.de/"), QStringLiteral("javascript:alert(1)")}
        << -1 << 0 << QString() << QString();
    QTest::newRow("upper case is no link")
        << QStringList{QStringLiteral("HTTPS://EXAMPLE.DE/")} << -1 << 0 << QString() << QString();
}

void TestTerminregeln::linkSuchen()
{
    QFETCH(QStringList, zeilen);
    QFETCH(int, zeile);
    QFETCH(int, anfang);
    QFETCH(QString, text);
    QFETCH(QString, adresse);
    const Link link = LinkSuchen(zeilen);
    QCOMPARE(link.zeile, zeile);
    QCOMPARE(link.vorhanden(), zeile >= 0);
    if (!link.vorhanden()) {
        QVERIFY(!link.adresse.isValid());
        return;
    }
    QCOMPARE(link.anfang, anfang);
    QCOMPARE(link.text, text);
    QCOMPARE(link.adresse.toString(), adresse);
}

void TestTerminregeln::linkEnde_data()
{
    QTest::addColumn<QString>("zeile");
    QTest::addColumn<QString>("text");
    QTest::newRow("to the line's end")
        << QStringLiteral("a http://x.de/y") << QStringLiteral("http://x.de/y");
    QTest::newRow("the last separator wins")
        << QStringLiteral("a http://x.de;b c") << QStringLiteral("http://x.de;b ");
    QTest::newRow("https found before a later http")
        << QStringLiteral("https://a.de http://b.de") << QStringLiteral("https://a.de ");
    QTest::newRow("http found before a later https")
        << QStringLiteral("http://a.de https://b.de") << QStringLiteral("http://a.de ");
}

void TestTerminregeln::linkEnde()
{
    QFETCH(QString, zeile);
    QFETCH(QString, text);
    QCOMPARE(LinkText(zeile, LinkAnfang(zeile)), text);
}

void TestTerminregeln::druckvorlagen_data()
{
    QTest::addColumn<QStringList>("zeilen");
    QTest::addColumn<bool>("erwaehnt");
    QTest::newRow("quoted") << QStringList{QStringLiteral("a"),
                                           QStringLiteral("unter \"Druckvorlagen\".")}
                            << true;
    QTest::newRow("unquoted") << QStringList{QStringLiteral("unter Druckvorlagen.")} << false;
    QTest::newRow("typographic quotes")
        << QStringList{QStringLiteral("unter „Druckvorlagen“")} << false;
    QTest::newRow("none") << QStringList{} << false;
}

void TestTerminregeln::druckvorlagen()
{
    QFETCH(QStringList, zeilen);
    QFETCH(bool, erwaehnt);
    QCOMPARE(DruckvorlagenErwaehnt(zeilen), erwaehnt);
}

void TestTerminregeln::ueberschrift_data()
{
    QTest::addColumn<int>("breiteJePunkt"); // the label's width per point of font size
    QTest::addColumn<int>("punkt");
    QTest::newRow("fits at 24") << 19 << 24;            // 456 px
    QTest::newRow("480 at 24 is too wide") << 20 << 22; // 480, then 440
    QTest::newRow("fits at 14") << 30 << 14;            // 16 gives 480
    QTest::newRow("too wide even at 10 stays 10") << 60 << 10;
}

void TestTerminregeln::ueberschrift()
{
    QFETCH(int, breiteJePunkt);
    QFETCH(int, punkt);
    QList<int> versucht;
    QCOMPARE(UeberschriftPunkte(480,
                                [&](int p) {
                                    versucht << p;
                                    return p * breiteJePunkt;
                                }),
             punkt);
    QCOMPARE(versucht.first(), 24);
    QVERIFY(versucht.last() >= 10);
}

void TestTerminregeln::namenUndAbhaengige()
{
    Aufgabenliste aufgaben(4);
    aufgaben[0].Nummer = 1;
    aufgaben[0].Kurzbezeichnung = QStringLiteral("Eins");
    aufgaben[1].Nummer = 2;
    aufgaben[1].Kurzbezeichnung = QStringLiteral("Zwei");
    aufgaben[1].vorher = {1, 99};
    aufgaben[2].Nummer = 3;
    aufgaben[2].Kurzbezeichnung = QStringLiteral("Drei");
    aufgaben[2].vorher = {1};
    aufgaben[3].Nummer = 4;
    aufgaben[3].Kurzbezeichnung = QStringLiteral("Vier");
    aufgaben[3].vorher = {2};

    QCOMPARE(AufgabenNamen(aufgaben, {3, 99, 1}), QStringLiteral("Drei\nEins\n"));
    QCOMPARE(AufgabenNamen(aufgaben, {}), QString());
    QCOMPARE(AufgabenNamen(aufgaben, {99}), QString());
    QCOMPARE(Abhaengige(aufgaben, 1), (QList<qint32>{2, 3}));
    QCOMPARE(Abhaengige(aufgaben, 4), QList<qint32>{});
}

void TestTerminregeln::notizZeilen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("zeilen");
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("one") << QStringLiteral("a") << QStringList{QStringLiteral("a")};
    QTest::newRow("empty line kept at the end")
        << QStringLiteral("a\n") << QStringList{QStringLiteral("a"), QString()};
    QTest::newRow("empty line between")
        << QStringLiteral("a\n\nb")
        << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
}

// A pasted text of megabytes becomes a note of what a plan keeps, never cutting a character.
void TestTerminregeln::notizBegrenzt()
{
    const QString lang = QStringLiteral("Zeile\n").repeated(100000);
    QCOMPARE(NotizText(NotizZeilen(lang)), lang.left(Plangrenzen::Text));
    const QString paare = QString(Plangrenzen::Text - 1, QLatin1Char('x')) + QStringLiteral("📦📦");
    QCOMPARE(NotizZeilen(paare), QStringList{QString(Plangrenzen::Text - 1, QLatin1Char('x'))});
}

void TestTerminregeln::notizZeilen()
{
    QFETCH(QString, text);
    QFETCH(QStringList, zeilen);
    QCOMPARE(NotizZeilen(text), zeilen);
    QCOMPARE(NotizText(zeilen), text);
}

void TestTerminregeln::bildschirmzeilen()
{
    QPlainTextEdit feld;
    feld.setFont(Dialogschrift());
    feld.setFrameShape(QFrame::NoFrame);
    feld.resize(340, 81);
    feld.show();
    QVERIFY(QTest::qWaitForWindowExposed(&feld));
    const QString absatz = QStringLiteral(
        "Erst zwei Wochen nach dem Umzug den Klavierstimmer bestellen, wenn sich das Instrument "
        "an das neue Raumklima gewöhnt hat und die Heizung wieder normal läuft.");
    feld.setPlainText(QStringLiteral("Tel. 030 1234567\n\n") + absatz + QStringLiteral("\n"));
    const QStringList zeilen = Bildschirmzeilen(&feld);
    QVERIFY(zeilen.size() >= 5);
    QCOMPARE(zeilen.at(0), QStringLiteral("Tel. 030 1234567"));
    QCOMPARE(zeilen.at(1), QString());
    QCOMPARE(zeilen.mid(2).join(QString()), absatz); // broken, nothing lost, no last empty line
    const QFontMetrics fm(feld.font());
    for (const QString& z : zeilen.mid(2))
        QVERIFY2(fm.horizontalAdvance(z.trimmed()) <= feld.viewport()->width(), qPrintable(z));

    feld.clear();
    QCOMPARE(Bildschirmzeilen(&feld), QStringList{});
}

void TestTerminregeln::zeilenhoeheDerSchrift()
{
    // The advice label lays its lines out 13 pixels apart, as the link label's place assumes.
    QLabel l;
    l.setFont(Dialogschrift());
    QCOMPARE(QFontMetrics(l.font()).lineSpacing(), 13);
    for (int n : {1, 2, 7, 19}) {
        QStringList zeilen;
        for (int i = 0; i < n; ++i)
            zeilen << QStringLiteral("Zeile Äg %1").arg(i);
        l.setText(zeilen.join(QLatin1Char('\n')));
        QCOMPARE(l.sizeHint().height(), 13 * n);
    }
}

namespace {

// Columns and rows that hold ink (pixels darker than the background) inside `bereich`.
QRect Tinte(const QImage& bild, QRect bereich)
{
    QRect r;
    for (int y = bereich.top(); y <= bereich.bottom(); ++y)
        for (int x = bereich.left(); x <= bereich.right(); ++x)
            if (qGray(bild.pixel(x, y)) < 160)
                r |= QRect(x, y, 1, 1);
    return r;
}

QImage Bild(QWidget& w)
{
    QImage bild(w.size(), QImage::Format_RGB32);
    bild.fill(Qt::white);
    w.render(&bild, QPoint(), QRegion(), QWidget::DrawChildren);
    return bild;
}

} // namespace

void TestTerminregeln::linkLiegtUeberSeinenZeichen_data()
{
    QTest::addColumn<QStringList>("zeilen");
    QTest::newRow("catalogue 19") << QStringList{
        QStringLiteral("Planen Sie vor dem Umzug, wo jedes Möbelstück in"),
        QStringLiteral("der neuen Wohnung stehen soll."),
        QString(),
        QStringLiteral("können Sie hier herunterladen:"),
        QStringLiteral("https://www.sweethome3d.com/de/"),
        QString(),
        QStringLiteral("Geben Sie Helfern einen Ausdruck.")};
    QTest::newRow("mid-line after wide letters") << QStringList{
        QStringLiteral("Erste Zeile"), QStringLiteral("WWW Mäßig: http://example.de/wm")};
    QTest::newRow("line 12") << QStringList{
        QStringLiteral("a"),
        QStringLiteral("b"),
        QStringLiteral("c"),
        QStringLiteral("d"),
        QStringLiteral("e"),
        QStringLiteral("f"),
        QStringLiteral("g"),
        QStringLiteral("h"),
        QStringLiteral("i"),
        QStringLiteral("j"),
        QStringLiteral("k"),
        QStringLiteral("l"),
        QStringLiteral("Tipps unter https://www.blauer-engel.de/")};
}

void TestTerminregeln::linkLiegtUeberSeinenZeichen()
{
    QFETCH(QStringList, zeilen);
    // The advice label alone, then the link label alone at its place: their ink must match.
    QWidget flaeche;
    flaeche.setFont(Dialogschrift());
    auto* text = new QLabel(zeilen.join(QLatin1Char('\n')), &flaeche);
    text->setTextFormat(Qt::PlainText);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->adjustSize();
    flaeche.resize(text->width() + 10, text->height() + 10);

    const Link link = LinkSuchen(zeilen);
    QVERIFY(link.vorhanden());
    const QRect lage = LinkLage(zeilen, link, QFontMetrics(text->font()));
    QCOMPARE(lage.top(), 13 * link.zeile);
    QCOMPARE(lage.height(), 13);

    const QImage ganz = Bild(flaeche);
    text->hide();
    auto* linkLabel = new QLabel(link.text, &flaeche);
    linkLabel->setTextFormat(Qt::PlainText);
    linkLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    linkLabel->setGeometry(lage);
    const QImage nurLink = Bild(flaeche);

    const QRect imText = Tinte(ganz, lage);
    const QRect imLink = Tinte(nurLink, QRect(QPoint(0, 0), flaeche.size()));
    QVERIFY(!imLink.isEmpty());
    QVERIFY2(qAbs(imText.left() - imLink.left()) <= 1 &&
                 qAbs(imText.right() - imLink.right()) <= 1 && imText.top() == imLink.top() &&
                 imText.bottom() == imLink.bottom(),
             qPrintable(QStringLiteral("text ink %1,%2 %3x%4, link ink %5,%6 %7x%8")
                            .arg(imText.x())
                            .arg(imText.y())
                            .arg(imText.width())
                            .arg(imText.height())
                            .arg(imLink.x())
                            .arg(imLink.y())
                            .arg(imLink.width())
                            .arg(imLink.height())));
}

QTEST_MAIN(TestTerminregeln)
#include "tst_terminregeln.moc"
