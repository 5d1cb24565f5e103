// The printouts on paper, here PDF files: pages, orientation, where the ink lies, and the
// failure path with its warning and report.

#include "druckhilfe.h"
#include "print/aufgabedrucken.h"
#include "print/ausdruckform.h"
#include "print/drucker.h"
#include "print/druckvorlagenform.h"
#include "print/kalenderdruck.h"
#include "support/modalhelfer.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"
#include "widgets/zellenzeichnung.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

constexpr int Aufloesung = 300; // of the test printer

const QString Warnung =
    QStringLiteral("Beim Drucken ist ein Fehler aufgetreten.\nDer Duckvorgang wird abgebrochen.");

// The warning as the user sees it: caption, text, the single button "Abbrechen".
ModalHelfer::Rueckruf WarnungPruefen()
{
    return [](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Warnung"));
        QCOMPARE(box->text(), Warnung);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons().front()->text(), QStringLiteral("Abbrechen"));
    };
}

// The top-level report: kind Fehler, the failure's own text.
ModalHelfer::Rueckruf BerichtPruefen(QString* text)
{
    return [text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Fehler"));
        *text = box->text();
    };
}

// Where a printer dot of the printable area lies on a page drawn at `dpi`.
QPoint Bildpunkt(QPoint punkt, int dpi)
{
    const QRect druckbar = AktuellerDrucker().pageLayout().paintRectPixels(Aufloesung);
    return QPoint((druckbar.left() + punkt.x()) * dpi / Aufloesung,
                  (druckbar.top() + punkt.y()) * dpi / Aufloesung);
}

QSize Druckflaeche(QPageLayout::Orientation lage)
{
    QPageLayout layout = AktuellerDrucker().pageLayout();
    layout.setOrientation(lage);
    return layout.paintRectPixels(Aufloesung).size();
}

struct Wort
{
    QString text;
    QRectF kasten; // points
};

// Words with their boxes, from pdftotext -bbox.
QList<Wort> PdfWoerter(const QString& datei)
{
    QTemporaryDir ordner;
    const QString html = ordner.filePath(QStringLiteral("w.html"));
    Ausfuehren(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), datei, html});
    QFile f(html);
    QList<Wort> woerter;
    if (!f.open(QIODevice::ReadOnly))
        return woerter;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            const QPointF oben(a.value(QLatin1String("xMin")).toDouble(),
                               a.value(QLatin1String("yMin")).toDouble());
            const QPointF unten(a.value(QLatin1String("xMax")).toDouble(),
                                a.value(QLatin1String("yMax")).toDouble());
            woerter.push_back({xml.readElementText(), QRectF(oben, unten)});
        }
    }
    return woerter;
}

// The folder of the test program holds the template pictures, as beside the program.
QString Programmordner()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace

class TestDruckausgabe final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void kalenderdialog();
    void kalenderSeiten_data();
    void kalenderSeiten();
    void kalenderTinte();
    void kalenderOhnePlan();
    void kalenderZweiteSeiteScheitert();

    void aufgabenblatt();
    void aufgabenblattScheitert();
    void keinDrucker();
    void zeichenfehlerVerwirftAuftrag();

    void vorlagendialog();
    void vorlagenZustand();
    void postkarteMittig();
    void vorlagenLage_data();
    void vorlagenLage();
    void zehnExemplare();
    void vorlagenbildFehlt();
    void vorlagenbildKaputt();
    void druckeinstellung();

private:
    QString Pfad(const QString& name) const { return m_ordner->filePath(name); }
    void DruckerAuf(const QString& datei, QPageLayout::Orientation lage = QPageLayout::Portrait);

    std::unique_ptr<QTemporaryDir> m_ordner;
};

void TestDruckausgabe::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(),
             "pdftoppm (poppler-utils) fehlt");
    for (const auto& v : Vorlagendruck::Vorlagen())
        QVERIFY2(QFile::exists(QDir(Programmordner()).filePath(v.bild)), qPrintable(v.bild));
}

void TestDruckausgabe::init()
{
    m_ordner = std::make_unique<QTemporaryDir>();
    QVERIFY(m_ordner->isValid());
}

void TestDruckausgabe::cleanup()
{
    QCOMPARE(ModalHelfer::OffeneFenster(), QStringList());
    m_ordner.reset();
}

void TestDruckausgabe::DruckerAuf(const QString& datei, QPageLayout::Orientation lage)
{
    QPrinter& d = AktuellerDrucker();
    d.setOutputFormat(QPrinter::PdfFormat);
    d.setResolution(Aufloesung);
    d.setPageSize(QPageSize(QPageSize::A4));
    d.setPageOrientation(lage);
    d.setOutputFileName(datei);
}

void TestDruckausgabe::kalenderdialog()
{
    TestFenster fenster(5);
    TAusdruckForm form(&fenster);
    QCOMPARE(form.windowTitle(), QStringLiteral("Umzugskalender drucken"));
    QCOMPARE(form.size(), QSize(364, 155));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
             QStringLiteral("Ausdruck Ihres Umzugskalenders"));
    // Plain push buttons, left to right in tab order.
    QCOMPARE(form.Button3->text(), QStringLiteral("Drucken"));
    QCOMPARE(form.Button2->text(), QStringLiteral("Druckeinstellung"));
    QCOMPARE(form.Button1->text(), QStringLiteral("Abbrechen"));
    QVERIFY(form.Button3->x() < form.Button2->x() && form.Button2->x() < form.Button1->x());
    QCOMPARE(form.Button3->size(), QSize(100, 25));
    QCOMPARE(form.Button3->nextInFocusChain(), form.Button2);
    QCOMPARE(form.Button2->nextInFocusChain(), form.Button1);

    form.show();
    form.Button1->click();
    QVERIFY(!form.isVisible());
}

void TestDruckausgabe::kalenderSeiten_data()
{
    QTest::addColumn<int>("wochen");
    QTest::addColumn<int>("seiten");
    QTest::newRow("5 Wochen") << 5 << 3;
    QTest::newRow("7 Wochen") << 7 << 4;
    QTest::newRow("2 Wochen") << 2 << 1;
}

void TestDruckausgabe::kalenderSeiten()
{
    QFETCH(int, wochen);
    QFETCH(int, seiten);
    TestFenster fenster(wochen);
    TAusdruckForm form(&fenster);
    // Set to portrait in the printer setup: the calendar still comes landscape.
    DruckerAuf(Pfad(QStringLiteral("kalender.pdf")), QPageLayout::Portrait);
    ModalHelfer keineBox(500);
    keineBox.Taste(Qt::Key_Escape);
    form.Button3->click();
    QCOMPARE(keineBox.Beantwortet(), 0);

    QStringList erwartet;
    if (seiten == 1)
        erwartet << QStringLiteral("kalender.pdf");
    else
        for (int s = 1; s <= seiten; ++s)
            erwartet << QStringLiteral("kalender-%1.pdf").arg(s);
    erwartet.sort();
    QCOMPARE(PdfDateien(m_ordner->path()), erwartet);
    for (const QString& datei : erwartet) {
        const PdfInfo info = PdfLesen(Pfad(datei));
        QCOMPARE(info.seiten, 1);
        QVERIFY2(info.groesse.width() > info.groesse.height(), qPrintable(datei)); // landscape
        QCOMPARE(qRound(info.groesse.width()), 842);                               // A4
    }
    // Nothing half-written is left behind.
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden).size(), erwartet.size());
}

void TestDruckausgabe::kalenderTinte()
{
    TestFenster fenster(5); // from Monday 2 March 2026
    fenster.tage[2].TerminHinzufuegen(7, 17, {QStringLiteral("Kartons zählen")},
                                      QStringLiteral("Umziehen"), 3);
    fenster.tage[2].TermineOrdnen();
    fenster.tage[10].Feiertag = true; // the second Thursday
    TAusdruckForm form(&fenster);
    DruckerAuf(Pfad(QStringLiteral("k.pdf")));
    form.Button4Click();

    constexpr int dpi = 100;
    const auto mass = Kalenderdruck::Mass(Aufloesung, Druckflaeche(QPageLayout::Landscape));
    const auto& farben = Zellenzeichnung::Ausdruck();
    QImage seite1 = PdfBild(Pfad(QStringLiteral("k-1.pdf")), dpi);
    QImage seite3 = PdfBild(Pfad(QStringLiteral("k-3.pdf")), dpi);
    QVERIFY(!seite1.isNull() && !seite3.isNull());
    QVERIFY(seite1.width() > seite1.height());

    auto pixel = [&](const QImage& bild, QPoint druckpunkt) {
        return bild.pixel(Bildpunkt(druckpunkt, dpi));
    };
    auto kopfpunkt = [&](int r, int c) {
        const QRect z = mass.Zelle(r, c);
        return QPoint(z.left() + z.width() / 10, z.top() + 15);
    };
    auto koerperpunkt = [&](int r, int c) {
        const QRect z = mass.Zelle(r, c);
        return QPoint(z.left() + z.width() / 2, z.bottom() - 20);
    };
    // Monday: a working day's header; Sunday: the free day's; the holiday Thursday too.
    QVERIFY(FarbeNah(pixel(seite1, kopfpunkt(0, 0)), farben.kopf));
    QVERIFY(FarbeNah(pixel(seite1, kopfpunkt(0, 6)), farben.kopfFrei));
    QVERIFY(FarbeNah(pixel(seite1, kopfpunkt(1, 3)), farben.kopfFrei));
    QVERIFY(FarbeNah(pixel(seite1, kopfpunkt(1, 2)), farben.kopf));
    QVERIFY(FarbeNah(pixel(seite1, koerperpunkt(0, 0)), farben.koerperA));
    QVERIFY(FarbeNah(pixel(seite1, koerperpunkt(0, 1)), farben.koerperB));
    // The band of task 7 on Wednesday: grey behind dark blue bold text.
    const QRect mittwoch = mass.Zelle(0, 2);
    const double s = mittwoch.height() / 164.0;
    const auto& band = fenster.tage[2].Termine.front().Bereich;
    const int bandOben = mittwoch.top() + qRound(band.top * s);
    QVERIFY(FarbeNah(pixel(seite1, QPoint(mittwoch.right() - 10, bandOben + 10)), farben.band));
    bool tinte = false;
    for (int x = mittwoch.left() + 20; x < mittwoch.left() + 200 && !tinte; x += 2)
        for (int y = bandOben; y < bandOben + 50 && !tinte; y += 2)
            tinte = qBlue(pixel(seite1, QPoint(x, y))) < 150;
    QVERIFY2(tinte, "kein Text im Band der Aufgabe 7");
    // The margins are blank.
    QVERIFY(FarbeNah(pixel(seite1, QPoint(mass.rand / 2, mass.rand * 3)), Qt::white));
    QVERIFY(FarbeNah(pixel(seite1, QPoint(mass.rand * 3, mass.rand / 2)), Qt::white));
    // Page 3 holds week 5 above and nothing below.
    QVERIFY(FarbeNah(pixel(seite3, kopfpunkt(0, 0)), farben.kopf));
    QVERIFY(FarbeNah(pixel(seite3, kopfpunkt(1, 0)), Qt::white));
    QVERIFY(FarbeNah(pixel(seite3, koerperpunkt(1, 4)), Qt::white));
}

void TestDruckausgabe::kalenderOhnePlan()
{
    TestFenster fenster(0);
    TAusdruckForm form(&fenster);
    DruckerAuf(Pfad(QStringLiteral("leer.pdf")));
    ModalHelfer keineBox(500);
    keineBox.Taste(Qt::Key_Escape);
    form.Button4Click();
    QCOMPARE(keineBox.Beantwortet(), 0);
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestDruckausgabe::kalenderZweiteSeiteScheitert()
{
    // The second page's file cannot be replaced: a folder stands in its place.
    QVERIFY(QDir(m_ordner->path()).mkdir(QStringLiteral("k-2.pdf")));
    TestFenster fenster(6);
    TAusdruckForm form(&fenster);
    DruckerAuf(Pfad(QStringLiteral("k.pdf")));
    QString bericht;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("knopf_abbrechen"), WarnungPruefen())
        .Druecke(QStringLiteral("knopf_ok"), BerichtPruefen(&bericht));
    form.Button4Click();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(helfer.Beantwortet(), 2); // one warning, one report
    QVERIFY2(bericht.contains(QStringLiteral("k-2.pdf")), qPrintable(bericht));
    QVERIFY(QFileInfo(Pfad(QStringLiteral("k-2.pdf"))).isDir());
    // Page 1 was printed, page 3 never started, and nothing half-written stayed.
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("k-1.pdf")});
    QVERIFY(form.isHidden() || form.isVisible()); // the dialog itself is untouched
}

void TestDruckausgabe::aufgabenblatt()
{
    taufgabe a;
    a.Nummer = 12;
    a.Kurzbezeichnung = QStringLiteral("Umzugswagen mieten");
    a.Beschreibung = QStringList{QStringLiteral("Reservieren Sie den Wagen rechtzeitig,"),
                                 QStringLiteral("am Wochenende ist die Nachfrage groß.")};
    a.Start = 17;
    a.Dauer = 1;
    // Left on landscape in the printer setup: the sheet is portrait all the same.
    DruckerAuf(Pfad(QStringLiteral("blatt.pdf")), QPageLayout::Landscape);
    const QStringList notiz{QStringLiteral("Führerschein mitnehmen"),
                            QStringLiteral("Kaution 300 €"), QString()};
    QVERIFY(AufgabeDrucken(nullptr, a, notiz, Tageszahl::ausDatum(QDate(2001, 5, 7))));

    const PdfInfo info = PdfLesen(Pfad(QStringLiteral("blatt.pdf")));
    QCOMPARE(info.seiten, 1);
    QVERIFY(info.groesse.height() > info.groesse.width());

    // Every line where the sheet's geometry puts it, read back from the PDF.
    // The printer's font heights, as the sheet measures them.
    const QRect druckbar = AktuellerDrucker().pageLayout().paintRectPixels(Aufloesung);
    QImage geraet(10, 10, QImage::Format_RGB32);
    geraet.setDotsPerMeterX(qRound(Aufloesung / 0.0254));
    geraet.setDotsPerMeterY(qRound(Aufloesung / 0.0254));
    const int l1 = QFontMetrics(ArialPunkt(10, true), &geraet).height();
    const int l2 = QFontMetrics(ArialPunkt(10), &geraet).height();
    const auto zeilen = Aufgabenblatt::Zeilen(
        a, notiz.mid(0, 2), Tageszahl::ausDatum(QDate(2001, 5, 7)), Aufloesung, l1, l2);
    QCOMPARE(zeilen.size(), size_t(8));
    const auto woerter = PdfWoerter(Pfad(QStringLiteral("blatt.pdf")));
    for (const auto& z : zeilen) {
        const QString erstes = z.text.section(QLatin1Char(' '), 0, 0);
        const auto wort = std::find_if(woerter.begin(), woerter.end(),
                                       [&](const Wort& w) { return w.text == erstes; });
        QVERIFY2(wort != woerter.end(), qPrintable(erstes));
        const QPointF soll((druckbar.left() + z.lage.x()) * 72.0 / Aufloesung,
                           (druckbar.top() + z.lage.y()) * 72.0 / Aufloesung);
        QVERIFY2(qAbs(wort->kasten.left() - soll.x()) < 1.5 &&
                     qAbs(wort->kasten.top() - soll.y()) < 1.5,
                 qPrintable(QStringLiteral("%1 bei %2,%3 statt %4,%5")
                                .arg(erstes)
                                .arg(wort->kasten.left())
                                .arg(wort->kasten.top())
                                .arg(soll.x())
                                .arg(soll.y())));
    }
    QString alles;
    for (const auto& w : woerter)
        alles += w.text + QLatin1Char(' ');
    QVERIFY2(alles.contains(QStringLiteral("Datum: Montag, Mai 7, 2001 Beginn:08:00 Dauer: 01h00")),
             qPrintable(alles));

    // Ink where the title begins: a dark pixel in its first line at 150 dpi.
    const QImage bild = PdfBild(Pfad(QStringLiteral("blatt.pdf")), 150);
    const QPoint titel = Bildpunkt(zeilen.front().lage, 150);
    bool tinte = false;
    for (int x = titel.x(); x < titel.x() + 60 && !tinte; ++x)
        for (int y = titel.y(); y < titel.y() + 40 && !tinte; ++y)
            tinte = qGray(bild.pixel(x, y)) < 80;
    QVERIFY(tinte);
    QVERIFY(FarbeNah(bild.pixel(titel.x() - 20, titel.y() - 20), Qt::white));
}

void TestDruckausgabe::aufgabenblattScheitert()
{
    // A folder that cannot exist: its parent is a regular file.
    QFile datei(Pfad(QStringLiteral("datei")));
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.close();
    const QString ziel = Pfad(QStringLiteral("datei/blatt.pdf"));
    DruckerAuf(ziel);
    taufgabe a;
    a.Kurzbezeichnung = QStringLiteral("Packen");
    QString bericht;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("Abbrechen"), WarnungPruefen())
        .Druecke(QStringLiteral("OK"), BerichtPruefen(&bericht));
    QVERIFY(!AufgabeDrucken(nullptr, a, {}, Tageszahl::ausDatum(QDate(2026, 3, 2))));
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY2(bericht.contains(ziel), qPrintable(bericht));
    QVERIFY(!QFile::exists(ziel));
}

void TestDruckausgabe::keinDrucker()
{
    // As on a machine without any printer queue: PDF output, but no file chosen.
    QPrinter& d = AktuellerDrucker();
    d.setOutputFileName(QString());
    d.setOutputFormat(QPrinter::PdfFormat);
    QCOMPARE(d.outputFileName(), QString());
    QString bericht;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("Abbrechen"), WarnungPruefen())
        .Druecke(QStringLiteral("OK"), BerichtPruefen(&bericht));
    QVERIFY(!AufgabeDrucken(nullptr, taufgabe{}, {}, 0));
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(bericht, QStringLiteral("Es ist kein Drucker eingerichtet."));
}

void TestDruckausgabe::zeichenfehlerVerwirftAuftrag()
{
    // A file of that name from before stays as it was.
    QFile alt(Pfad(QStringLiteral("z.pdf")));
    QVERIFY(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    DruckerAuf(alt.fileName());
    Auftrag auftrag;
    auftrag.name = QStringLiteral("Probe");
    bool sanduhr = false;
    QString fehler;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("Abbrechen"), WarnungPruefen());
    const bool gedruckt = Druckauftrag(
        nullptr, auftrag,
        [&](QPainter& p, const Druckseite&) {
            sanduhr = QApplication::overrideCursor() &&
                      QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            p.drawLine(0, 0, 100, 100);
            throw Druckfehler(QStringLiteral("Zeichenfehler"));
        },
        &fehler);
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY(!gedruckt);
    QCOMPARE(fehler, QStringLiteral("Zeichenfehler"));
    QVERIFY(sanduhr);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("z.pdf")});
    QVERIFY(alt.open(QIODevice::ReadOnly));
    QCOMPARE(alt.readAll(), QByteArray("alt"));
}

void TestDruckausgabe::vorlagendialog()
{
    TDruckvorlagenForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Durckvorlagen"));
    QCOMPARE(form.size(), QSize(632, 453));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
             QStringLiteral("Vorlagen zum Ausdrucken"));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("StaticText1"))->text(),
             QStringLiteral("Mitteilungspostkarten, Musterprotokolle"));
    QStringList eintraege;
    for (auto* knopf : form.RadioGroup1->findChildren<QRadioButton*>())
        eintraege << knopf->text();
    QCOMPARE(eintraege, (QStringList{QStringLiteral("Postkarte \"Häuser\""),
                                     QStringLiteral("Postkarte \"Neue Anschrift\""),
                                     QStringLiteral("Postkarte \"Solitude\""),
                                     QStringLiteral("Postkarte \"Wir sind umgezogen\""),
                                     QStringLiteral("Protokoll: Wohnungsübernahme"),
                                     QStringLiteral("Protokoll: Wohnungsübergabe")}));
    QStringList exemplare;
    for (int i = 0; i < form.Exemplarauswahl->count(); ++i)
        exemplare << form.Exemplarauswahl->itemText(i);
    QCOMPARE(exemplare, (QStringList{"1", "2", "3", "4", "5", "10"}));
    // The buttons in a column at the right edge, top to bottom.
    QCOMPARE(form.AbbrechenButton->geometry().right(), 631);
    QCOMPARE(form.AbbrechenButton->size(), QSize(120, 24));
    QVERIFY(form.AbbrechenButton->y() < form.QvImageButton1->y());
    QVERIFY(form.QvImageButton1->y() < form.QvImageButton2->y());
    // The previews are pictures of the fronts.
    for (QLabel* vorschau : form.Vorschau) {
        QCOMPARE(vorschau->size(), QSize(64, 90));
        QVERIFY(!vorschau->pixmap().isNull());
    }
    QCOMPARE(form.Vorlage(), 0);
}

void TestDruckausgabe::vorlagenZustand()
{
    TDruckvorlagenForm form;
    form.show();
    QCOMPARE(form.Exemplarauswahl->currentText(), QStringLiteral("1"));
    auto sichtbar = [&] {
        QList<bool> s;
        for (QLabel* v : form.Vorschau)
            s << !v->isHidden();
        return s;
    };
    QCOMPARE(sichtbar(), (QList<bool>{true, false, false, false}));
    form.RadioGroup1->findChild<QRadioButton*>(QStringLiteral("Vorlage2"))->click();
    QCOMPARE(sichtbar(), (QList<bool>{false, false, true, false}));
    // A model form has no preview.
    form.RadioGroup1->findChild<QRadioButton*>(QStringLiteral("Vorlage5"))->click();
    QCOMPARE(sichtbar(), (QList<bool>{false, false, false, false}));
    form.RadioGroup1->findChild<QRadioButton*>(QStringLiteral("Vorlage3"))->click();
    form.Exemplarauswahl->setCurrentIndex(5);

    // "Fertig" closes; the next opening keeps the template and starts again at one copy.
    QTest::mouseClick(form.AbbrechenButton, Qt::LeftButton);
    QVERIFY(!form.isVisible());
    form.show();
    QCOMPARE(form.Vorlage(), 3);
    QCOMPARE(sichtbar(), (QList<bool>{false, false, false, true}));
    QCOMPARE(form.Exemplarauswahl->currentText(), QStringLiteral("1"));
    form.close();
}

void TestDruckausgabe::postkarteMittig()
{
    TDruckvorlagenForm form;
    form.setVorlage(1);
    DruckerAuf(Pfad(QStringLiteral("karte.pdf")), QPageLayout::Portrait);
    form.Button4Click();
    const PdfInfo info = PdfLesen(Pfad(QStringLiteral("karte.pdf")));
    QCOMPARE(info.seiten, 1);
    QVERIFY(info.groesse.width() > info.groesse.height());

    const QImage vorlage =
        Vorlagendruck::Vorlagenbild(Vorlagendruck::Vorlagen().at(1), Programmordner());
    QCOMPARE(vorlage.size(), QSize(1398, 976));
    // At 150 dpi one picture pixel is one rendered pixel.
    const QImage seite = PdfBild(Pfad(QStringLiteral("karte.pdf")), 150);
    const QRect ziel =
        Vorlagendruck::Rechteck(vorlage.size(), Aufloesung, Druckflaeche(QPageLayout::Landscape));
    const QPoint ecke = Bildpunkt(ziel.topLeft(), 150);
    QCOMPARE(ziel.size(), QSize(2796, 1952));

    // Compare where the picture is flat, so that edges and compression do not count.
    int verglichen = 0;
    for (int y = 20; y < vorlage.height() - 20; y += 37)
        for (int x = 20; x < vorlage.width() - 20; x += 41) {
            const QRgb mitte = vorlage.pixel(x, y);
            bool flach = true;
            for (int dy = -4; dy <= 4 && flach; ++dy)
                for (int dx = -4; dx <= 4 && flach; ++dx)
                    flach = vorlage.pixel(x + dx, y + dy) == mitte;
            if (!flach)
                continue;
            ++verglichen;
            const QRgb ist = seite.pixel(ecke + QPoint(x, y));
            QVERIFY2(FarbeNah(ist, QColor(mitte), 40),
                     qPrintable(QStringLiteral("Bildpunkt %1,%2: %3 statt %4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(QColor(ist).name(), QColor(mitte).name())));
        }
    QVERIFY2(verglichen > 100, qPrintable(QString::number(verglichen)));
    // No ink outside the picture.
    const QRect bildflaeche(ecke, vorlage.size());
    for (int y = 0; y < seite.height(); y += 3)
        for (int x = 0; x < seite.width(); x += 3)
            if (!bildflaeche.adjusted(-2, -2, 2, 2).contains(x, y))
                QVERIFY2(FarbeNah(seite.pixel(x, y), Qt::white, 4),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

void TestDruckausgabe::vorlagenLage_data()
{
    QTest::addColumn<int>("vorlage");
    QTest::addColumn<int>("einstellung"); // orientation left in the printer setup
    QTest::addColumn<bool>("quer");
    QTest::newRow("Postkarte, Einstellung hoch") << 0 << int(QPageLayout::Portrait) << true;
    QTest::newRow("Postkarte umgezogen") << 3 << int(QPageLayout::Landscape) << true;
    QTest::newRow("Übernahme, Einstellung quer") << 4 << int(QPageLayout::Landscape) << false;
    QTest::newRow("Übergabe") << 5 << int(QPageLayout::Portrait) << false;
}

void TestDruckausgabe::vorlagenLage()
{
    QFETCH(int, vorlage);
    QFETCH(int, einstellung);
    QFETCH(bool, quer);
    TDruckvorlagenForm form;
    form.setVorlage(vorlage);
    DruckerAuf(Pfad(QStringLiteral("v.pdf")), QPageLayout::Orientation(einstellung));
    form.Button4Click();
    const PdfInfo info = PdfLesen(Pfad(QStringLiteral("v.pdf")));
    QCOMPARE(info.seiten, 1);
    QCOMPARE(info.groesse.width() > info.groesse.height(), quer);
}

void TestDruckausgabe::zehnExemplare()
{
    TDruckvorlagenForm form;
    form.setVorlage(4);
    form.show();
    form.Exemplarauswahl->setCurrentText(QStringLiteral("10"));
    DruckerAuf(Pfad(QStringLiteral("protokoll.pdf")));
    QTest::mouseClick(form.QvImageButton1, Qt::LeftButton);
    QStringList erwartet;
    for (int i = 1; i <= 10; ++i)
        erwartet << QStringLiteral("protokoll-%1.pdf").arg(i);
    erwartet.sort();
    QCOMPARE(PdfDateien(m_ordner->path()), erwartet);
    for (const QString& datei : erwartet)
        QCOMPARE(PdfLesen(Pfad(datei)).seiten, 1);
    QVERIFY(form.isVisible()); // the dialog stays open after printing
    form.close();
}

void TestDruckausgabe::vorlagenbildFehlt()
{
    // A folder without the postcard back.
    QTemporaryDir bilder;
    for (const auto& v : Vorlagendruck::Vorlagen()) {
        for (const QString& name : {v.bild, v.vorderseite})
            if (!name.isEmpty() && name != QLatin1String("rueckseite.gif"))
                QFile::copy(QDir(Programmordner()).filePath(name), bilder.filePath(name));
    }
    TDruckvorlagenForm form;
    form.vorlagenOrdner = bilder.path();
    form.setVorlage(2);
    DruckerAuf(Pfad(QStringLiteral("karte.pdf")));
    QString bericht;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("OK"), BerichtPruefen(&bericht)); // no printing warning first
    form.Button4Click();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(bericht,
             QStringLiteral("Die Datei „%1“ wurde nicht gefunden.")
                 .arg(QDir::toNativeSeparators(bilder.filePath(QStringLiteral("rueckseite.gif")))));
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(form.Vorlage(), 2);

    // The model forms still print.
    form.setVorlage(5);
    form.Button4Click();
    QCOMPARE(PdfLesen(Pfad(QStringLiteral("karte.pdf"))).seiten, 1);
}

void TestDruckausgabe::vorlagenbildKaputt()
{
    QTemporaryDir bilder;
    QFile kaputt(bilder.filePath(QStringLiteral("Uebergabe.gif")));
    QVERIFY(kaputt.open(QIODevice::WriteOnly));
    kaputt.write("GIF89a kaputt");
    kaputt.close();
    TDruckvorlagenForm form;
    form.vorlagenOrdner = bilder.path();
    form.setVorlage(5);
    DruckerAuf(Pfad(QStringLiteral("p.pdf")));
    QString bericht;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("OK"), BerichtPruefen(&bericht));
    form.Button4Click();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QVERIFY2(bericht.startsWith(QStringLiteral("Die Datei „%1“ lässt sich nicht lesen")
                                    .arg(QDir::toNativeSeparators(kaputt.fileName()))),
             qPrintable(bericht));
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestDruckausgabe::druckeinstellung()
{
    TestFenster fenster(5);
    TAusdruckForm form(&fenster);
    QString titel;
    ModalHelfer helfer(20000);
    helfer.Taste(
        Qt::Key_Escape, [&](QWidget* w) { titel = w->windowTitle(); },
        QStringLiteral("QPrintDialog"));
    form.Button2->click();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(titel, QStringLiteral("Druckeinstellung"));

    TDruckvorlagenForm vorlagen;
    ModalHelfer zweiter(20000);
    zweiter.Taste(Qt::Key_Escape, {}, QStringLiteral("QPrintDialog"));
    vorlagen.Button5Click();
    QVERIFY2(zweiter.Erledigt(), qPrintable(zweiter.Fehler()));
}

QTEST_MAIN(TestDruckausgabe)
#include "tst_druckausgabe.moc"
