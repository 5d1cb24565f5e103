// The printouts on paper, here PDF files: pages, orientation, where the ink lies, and the
// failure path with its warning and report.

#include "druckhilfe.h"
#include "model/druckereinstellung.h"
#include "model/ordner.h"
#include "print/aufgabedrucken.h"
#include "print/ausdruckform.h"
#include "print/druckeinstellung.h"
#include "print/drucker.h"
#include "print/druckvorlagenform.h"
#include "print/gifpruefung.h"
#include "print/kalenderdruck.h"
#include "support/dateigroessengrenze.h"
#include "support/modalhelfer.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"
#include "widgets/zellengeometrie.h"
#include "widgets/zellenzeichnung.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSet>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
    void kalenderKopfUndFuss();
    void kalenderWochenMitAufgaben();
    void kalenderOhnePlan();
    void kalenderZweiteSeiteScheitert();
    void vorhandeneDatei_data();
    void vorhandeneDatei();
    void dateirechte_data();
    void dateirechte();
    void vollePlatte_data();
    void vollePlatte();
    void sonderdatei_data();
    void sonderdatei();

    void aufgabenblatt();
    void aufgabenblattUeberlauf_data();
    void aufgabenblattUeberlauf();
    void aufgabenblattAbsatz();
    void aufgabenblattScheitert();
    void eigeneDateinamen();
    void einstellungBleibt();
    void druckdienstAus();

    void vorlagendialog();
    void vorlagenZustand();
    void postkarteMittig();
    void vorlagenLage_data();
    void vorlagenLage();
    void zehnExemplare();
    void vorlagenbildFehlt();
    void vorlagenbildKaputt_data();
    void vorlagenbildKaputt();
    void druckeinstellung();

private:
    QString Pfad(const QString& name) const { return m_ordner->filePath(name); }
    void DruckerAuf(const QString& datei, QPageLayout::Orientation lage = QPageLayout::Portrait);

    std::unique_ptr<QTemporaryDir> m_ordner;
    QString m_vorschlag;
};

void TestDruckausgabe::initTestCase()
{
    // No print service here: libcups asks a socket nobody listens on.
    qputenv("CUPS_SERVER",
            QFile::encodeName(QDir::temp().filePath(QStringLiteral("kistenlotse-kein-cupsd-%1.sock")
                                                        .arg(QCoreApplication::applicationPid()))));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(),
             "pdftoppm (poppler-utils) fehlt");
    // Every template picture is there and whole.
    for (const auto& v : Vorlagendruck::Vorlagen())
        for (const QString& name : {v.bild, v.vorderseite}) {
            if (name.isEmpty())
                continue;
            QFile bild(QDir(Programmordner()).filePath(name));
            QVERIFY2(bild.open(QIODevice::ReadOnly), qPrintable(name));
            QCOMPARE(GifPruefung::Maengel(bild.readAll()), QString());
        }
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
    WarteschlangeSetzen({});
    // The file the user names in the file dialog; what it proposed is kept.
    DateiwahlSetzen([this, datei](QWidget*, const QString& vorschlag) {
        m_vorschlag = vorschlag;
        return datei;
    });
}

void TestDruckausgabe::kalenderdialog()
{
    TestFenster fenster(5);
    TAusdruckForm form(&fenster);
    QCOMPARE(form.windowTitle(), QStringLiteral("Umzugskalender drucken"));
    QCOMPARE(form.size(), QSize(364, 185));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label4"))->text(),
             QStringLiteral("Ausdruck Ihres Umzugskalenders"));
    // Plain push buttons, left to right in tab order.
    QCOMPARE(form.DruckenKnopf->text(), QStringLiteral("Drucken"));
    QCOMPARE(form.DruckeinstellungKnopf->text(), QStringLiteral("Druckeinstellung"));
    QCOMPARE(form.AbbrechenKnopf->text(), QStringLiteral("Abbrechen"));
    QVERIFY(form.DruckenKnopf->x() < form.DruckeinstellungKnopf->x() &&
            form.DruckeinstellungKnopf->x() < form.AbbrechenKnopf->x());
    QCOMPARE(form.DruckenKnopf->size(), QSize(100, 25));
    QCOMPARE(form.DruckenKnopf->nextInFocusChain(), form.DruckeinstellungKnopf);
    QCOMPARE(form.DruckeinstellungKnopf->nextInFocusChain(), form.AbbrechenKnopf);

    form.show();
    form.AbbrechenKnopf->click();
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
    QString status;
    DruckmeldungSetzen([&](const QString& text) { status = text; });
    ModalHelfer keineBox(500);
    keineBox.Taste(Qt::Key_Escape);
    form.DruckenKnopf->click();
    DruckmeldungSetzen({});
    QCOMPARE(keineBox.Beantwortet(), 0);

    // Printed to a file, the whole printout is the one file the user named.
    QCOMPARE(PdfDateien(m_ordner->path()), QStringList{QStringLiteral("kalender.pdf")});
    const QList<QSizeF> groessen = PdfSeitengroessen(Pfad(QStringLiteral("kalender.pdf")));
    QCOMPARE(groessen.size(), seiten);
    for (const QSizeF& g : groessen) {
        QVERIFY(g.width() > g.height());  // landscape
        QCOMPARE(qRound(g.width()), 842); // A4
    }
    // Nothing half-written is left behind, and the status line says where it went.
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    QVERIFY2(status.contains(QStringLiteral("„%1“").arg(Pfad(QStringLiteral("kalender.pdf")))),
             qPrintable(status));
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
    form.KalenderDrucken();

    constexpr int dpi = 100;
    const auto mass = Kalenderdruck::Mass(Aufloesung, Druckflaeche(QPageLayout::Landscape));
    const auto& farben = Zellenzeichnung::Ausdruck();
    // Only the week with the task is printed, with the week after it.
    QCOMPARE(PdfLesen(Pfad(QStringLiteral("k.pdf"))).seiten, 1);
    QImage seite1 = PdfBild(Pfad(QStringLiteral("k.pdf")), dpi, 1);
    QVERIFY(!seite1.isNull());
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
    const Bandbereich band = Zellengeometrie::Band(fenster.tage[2], 0, 100);
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
}

void TestDruckausgabe::kalenderKopfUndFuss()
{
    // Nine weeks from Monday 14 December 2026, over the turn of a year with 53 weeks.
    TestFenster fenster(9, QDate(2026, 12, 14));
    TAusdruckForm form(&fenster);
    DruckerAuf(Pfad(QStringLiteral("k.pdf")));
    form.KalenderDrucken();

    bool ok = false;
    const QString text = Ausfuehren(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-layout"), Pfad(QStringLiteral("k.pdf")), QStringLiteral("-")}, &ok);
    QVERIFY(ok);
    QStringList seiten = text.split(QLatin1Char('\f'));
    if (!seiten.isEmpty() && seiten.back().trimmed().isEmpty())
        seiten.removeLast();
    const QStringList koepfe{QStringLiteral("KW 51 – 52, Dezember 2026"),
                             QStringLiteral("KW 53 – 1, Dezember 2026 – Januar 2027"),
                             QStringLiteral("KW 2 – 3, Januar 2027"),
                             QStringLiteral("KW 4 – 5, Januar – Februar 2027"),
                             QStringLiteral("KW 6, Februar 2027")};
    QCOMPARE(seiten.size(), koepfe.size());
    for (qsizetype i = 0; i < seiten.size(); ++i) {
        QStringList zeilen;
        for (const QString& z : seiten[i].split(QLatin1Char('\n')))
            if (!z.trimmed().isEmpty())
                zeilen << z.simplified();
        QVERIFY(zeilen.size() > 2);
        // The head line stands alone above the cells, the foot line alone below them.
        QCOMPARE(zeilen.front(), koepfe[i]);
        QCOMPARE(zeilen.back(), QStringLiteral("Seite %1 von 5").arg(i + 1));
    }
}

// A far-away task and a crowded day: the weeks with tasks are printed, a crowded cell ends with
// "+N weitere", and the last page lists every task that is on no page, each task in the file
// once (no clipped text hidden in it).
void TestDruckausgabe::kalenderWochenMitAufgaben()
{
    TestFenster fenster(10); // from Monday 2 March 2026
    fenster.tage[2].TerminHinzufuegen(7, 17, {}, QStringLiteral("Umziehen"), 3);
    for (int k = 1; k <= 30; ++k)
        fenster.tage[3].TerminAnhaengen(100 + k, 17, {}, QStringLiteral("Kiste %1").arg(k), 0);
    fenster.tage[3].TermineOrdnen();
    fenster.tage[60].TerminHinzufuegen(9, 20, {}, QStringLiteral("Schlüssel abgeben"), 1);
    taufgabe fern;
    fern.Nummer = 10001;
    fern.Kurzbezeichnung = QStringLiteral("Zählerstand melden");
    fern.Tag = Tageszahl::ausDatum(QDate(2027, 6, 2));
    fern.Start = 19;
    fenster.plan().Aufgaben.push_back(fern);
    TAusdruckForm form(&fenster);
    DruckerAuf(Pfad(QStringLiteral("k.pdf")));
    form.KalenderDrucken();

    bool ok = false;
    const QString text = Ausfuehren(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-layout"), Pfad(QStringLiteral("k.pdf")), QStringLiteral("-")}, &ok);
    QVERIFY(ok);
    QStringList seiten = text.split(QLatin1Char('\f'));
    if (!seiten.isEmpty() && seiten.back().trimmed().isEmpty())
        seiten.removeLast();
    // Weeks 1 and 2, weeks 9 and 10, the list.
    QCOMPARE(seiten.size(), 3);
    QVERIFY2(seiten[0].contains(QStringLiteral("KW 10 – 11")), qPrintable(seiten[0]));
    QVERIFY2(seiten[1].contains(QStringLiteral("KW 18 – 19")), qPrintable(seiten[1]));
    QVERIFY2(seiten[1].contains(QStringLiteral("Schlüssel")), qPrintable(seiten[1]));
    for (const QString& tag :
         {QStringLiteral("Montag"), QStringLiteral("Mittwoch"), QStringLiteral("Sonntag")})
        QVERIFY2(seiten[0].contains(tag), qPrintable(tag));
    const auto weitere = QRegularExpression(QStringLiteral("\\+(\\d+) weitere")).match(seiten[0]);
    QVERIFY2(weitere.hasMatch(), qPrintable(seiten[0]));
    const int ohnePlatz = weitere.captured(1).toInt();
    QVERIFY(ohnePlatz > 0 && ohnePlatz < 30);
    QVERIFY(seiten[2].contains(QStringLiteral("Aufgaben außerhalb der Kalenderseiten")));
    QVERIFY(seiten[2].contains(QStringLiteral("Mittwoch, 2. Juni 2027")));
    QVERIFY(seiten[2].contains(QStringLiteral("Zählerstand melden")));
    QVERIFY(seiten[2].contains(QStringLiteral("Seite 3 von 3")));
    // Each box once in the whole file: in its cell, or in the list when the cell had no room.
    for (int k = 1; k <= 30; ++k) {
        const QRegularExpression kiste(QStringLiteral("Kiste %1\\b").arg(k));
        QCOMPARE(text.count(kiste), 1);
        QCOMPARE(seiten[2].count(kiste), k > 30 - ohnePlatz ? 1 : 0);
    }
}

void TestDruckausgabe::kalenderOhnePlan()
{
    TestFenster fenster(0);
    TAusdruckForm form(&fenster);
    DruckerAuf(Pfad(QStringLiteral("leer.pdf")));
    ModalHelfer keineBox(500);
    keineBox.Taste(Qt::Key_Escape);
    form.KalenderDrucken();
    QCOMPARE(keineBox.Beantwortet(), 0);
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestDruckausgabe::kalenderZweiteSeiteScheitert()
{
    // A file of that name from before stays as it was when the printout fails half-way.
    QFile alt(Pfad(QStringLiteral("k.pdf")));
    QVERIFY(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    DruckerAuf(alt.fileName());
    Ausdruck ausdruck;
    ausdruck.name = QStringLiteral("Probe");
    ausdruck.seiten = 3;
    QList<int> gezeichnet;
    bool sanduhr = false;
    QString bericht;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("knopf_ja"))
        .Druecke(QStringLiteral("knopf_abbrechen"), WarnungPruefen())
        .Druecke(QStringLiteral("knopf_ok"), BerichtPruefen(&bericht));
    const Druckergebnis ergebnis =
        Drucken(nullptr, ausdruck, [&](QPainter& p, const Druckseite&, int seite) {
            gezeichnet << seite;
            sanduhr = QApplication::overrideCursor() &&
                      QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            p.drawLine(0, 0, 100, 100);
            if (seite == 1)
                throw Druckfehler(QStringLiteral("Zeichenfehler"));
        });
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(helfer.Beantwortet(), 3); // the question, one warning, one report
    QVERIFY(ergebnis == Druckergebnis::Gescheitert);
    QCOMPARE(bericht, QStringLiteral("Zeichenfehler"));
    QCOMPARE(gezeichnet, (QList<int>{0, 1})); // the third page is never started
    QVERIFY(sanduhr);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("k.pdf")});
    QVERIFY(alt.open(QIODevice::ReadOnly));
    QCOMPARE(alt.readAll(), QByteArray("alt"));
}

void TestDruckausgabe::vorhandeneDatei_data()
{
    QTest::addColumn<QString>("antwort");
    QTest::addColumn<bool>("ersetzt");
    QTest::newRow("Ja") << QStringLiteral("knopf_ja") << true;
    QTest::newRow("Nein") << QStringLiteral("knopf_nein") << false;
}

void TestDruckausgabe::vorhandeneDatei()
{
    QFETCH(QString, antwort);
    QFETCH(bool, ersetzt);
    QFile alt(Pfad(QStringLiteral("k.pdf")));
    QVERIFY(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
    alt.close();
    TestFenster fenster(2);
    TAusdruckForm form(&fenster);
    DruckerAuf(alt.fileName());
    QString frage;
    ModalHelfer helfer;
    helfer.Druecke(antwort, [&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Bestätigung"));
        frage = box->text();
    });
    form.KalenderDrucken();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(helfer.Beantwortet(), 1);
    QCOMPARE(frage,
             QStringLiteral("Die Datei „%1“ ist bereits vorhanden.\nMöchten Sie sie ersetzen?")
                 .arg(alt.fileName()));
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("k.pdf")});
    QCOMPARE(PdfLesen(alt.fileName()).seiten, ersetzt ? 1 : -1);
}

void TestDruckausgabe::dateirechte_data()
{
    QTest::addColumn<int>("umask");
    QTest::addColumn<int>("vorher"); // mode of the file replaced, -1: none
    QTest::addColumn<int>("nachher");
    QTest::newRow("new file, umask 077") << 0077 << -1 << 0600;
    QTest::newRow("new file, umask 027") << 0027 << -1 << 0640;
    QTest::newRow("replaced file keeps its mode") << 0022 << 0600 << 0600;
}

void TestDruckausgabe::dateirechte()
{
    QFETCH(int, umask);
    QFETCH(int, vorher);
    QFETCH(int, nachher);
    const QString ziel = Pfad(QStringLiteral("protokoll.pdf"));
    if (vorher >= 0) {
        QFile alt(ziel);
        QVERIFY(alt.open(QIODevice::WriteOnly));
        alt.close();
        QCOMPARE(::chmod(QFile::encodeName(ziel).constData(), mode_t(vorher)), 0);
    }
    const mode_t frueher = ::umask(mode_t(umask));
    auto zurueck = qScopeGuard([frueher] { ::umask(frueher); });
    TDruckvorlagenForm form;
    form.setVorlage(5);
    DruckerAuf(ziel);
    ModalHelfer helfer;
    if (vorher >= 0)
        helfer.Druecke(QStringLiteral("knopf_ja"));
    form.VorlageDrucken();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    struct stat info
    {
    };
    QCOMPARE(::stat(QFile::encodeName(ziel).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 07777), nachher);
    QCOMPARE(PdfLesen(ziel).seiten, 1);
}

void TestDruckausgabe::vollePlatte_data()
{
    QTest::addColumn<bool>("vorhanden"); // a file of that name from before, replaced after "Ja"
    QTest::newRow("new file") << false;
    QTest::newRow("replacing a file") << true;
}

void TestDruckausgabe::vollePlatte()
{
    QFETCH(bool, vorhanden);
    const QString ziel = Pfad(QStringLiteral("k.pdf"));
    if (vorhanden) {
        QFile alt(ziel);
        QVERIFY(alt.open(QIODevice::WriteOnly));
        alt.write("alt");
    }
    TestFenster fenster(5);
    fenster.tage[2].TerminHinzufuegen(7, 17, {}, QStringLiteral("Umziehen"), 3);
    TAusdruckForm form(&fenster);
    DruckerAuf(ziel);
    QString status;
    DruckmeldungSetzen([&](const QString& text) { status = text; });
    auto stumm = qScopeGuard([] { DruckmeldungSetzen({}); });
    QString bericht;
    ModalHelfer helfer;
    if (vorhanden)
        helfer.Druecke(QStringLiteral("knopf_ja"));
    helfer.Druecke(QStringLiteral("knopf_abbrechen"), WarnungPruefen())
        .Druecke(QStringLiteral("knopf_ok"), BerichtPruefen(&bericht));
    {
        // The disk fills up after 8 KiB: far less than the calendar's fonts take.
        const Dateigroessengrenze platte(8192);
        form.KalenderDrucken();
    }
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(bericht, QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: Die Datei "
                                     "würde zu groß.")
                          .arg(ziel));
    QCOMPARE(status, QString());
    // The old file as it was, nothing half-written beside it.
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden),
             vorhanden ? QStringList{QStringLiteral("k.pdf")} : QStringList());
    if (vorhanden) {
        QFile alt(ziel);
        QVERIFY(alt.open(QIODevice::ReadOnly));
        QCOMPARE(alt.readAll(), QByteArray("alt"));
    }
}

void TestDruckausgabe::sonderdatei_data()
{
    QTest::addColumn<bool>("verknuepfung"); // named through a symbolic link
    QTest::newRow("FIFO") << false;
    QTest::newRow("link to a FIFO") << true;
}

void TestDruckausgabe::sonderdatei()
{
    QFETCH(bool, verknuepfung);
    const QString fifo = Pfad(QStringLiteral("rohr.pdf"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString ziel = fifo;
    if (verknuepfung) {
        ziel = Pfad(QStringLiteral("link.pdf"));
        QVERIFY(QFile::link(fifo, ziel));
    }
    const QString grund =
        QStringLiteral("Das ist keine gewöhnliche Datei, sondern eine Pipe (FIFO).");

    // Refused as a plan is refused, without the question whether to replace it.
    TestFenster fenster(2);
    TAusdruckForm form(&fenster);
    DruckerAuf(ziel);
    QString bericht;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("knopf_abbrechen"), WarnungPruefen())
        .Druecke(QStringLiteral("knopf_ok"), BerichtPruefen(&bericht));
    form.KalenderDrucken();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(bericht,
             QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2").arg(ziel, grund));
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    QCOMPARE(QFileInfo(ziel).isSymLink(), verknuepfung);
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

void TestDruckausgabe::aufgabenblattUeberlauf_data()
{
    QTest::addColumn<int>("titelWoerter");
    QTest::addColumn<int>("notizen");
    QTest::addColumn<int>("blaetter");
    QTest::newRow("long title") << 24 << 2 << 1;
    QTest::newRow("many notes") << 2 << 80 << 2;
    QTest::newRow("both") << 30 << 200 << 5;
}

void TestDruckausgabe::aufgabenblattUeberlauf()
{
    QFETCH(int, titelWoerter);
    QFETCH(int, notizen);
    QFETCH(int, blaetter);
    taufgabe a;
    QStringList titel;
    for (int i = 0; i < titelWoerter; ++i)
        titel << QStringLiteral("Titelwort%1").arg(i);
    a.Kurzbezeichnung = titel.join(QLatin1Char(' '));
    a.Beschreibung =
        QStringList{QStringLiteral("Ratschlag eins"), QStringLiteral("Ratschlag zwei")};
    a.Start = 17;
    a.Dauer = 1;
    QStringList notiz;
    for (int j = 0; j < notizen; ++j)
        notiz << QStringLiteral("Notiz%1").arg(j);
    const QString datei = Pfad(QStringLiteral("blatt.pdf"));
    DruckerAuf(datei);
    QVERIFY(AufgabeDrucken(nullptr, a, notiz, Tageszahl::ausDatum(QDate(2001, 5, 7))));
    const PdfInfo info = PdfLesen(datei);
    QCOMPARE(info.seiten, blaetter);

    // Every word lies on the paper, and nothing overlaps.
    const auto woerter = PdfWoerter(datei);
    const QRectF papier(QPointF(0, 0), info.groesse);
    for (const Wort& w : woerter) {
        QVERIFY2(papier.contains(w.kasten), qPrintable(w.text));
        for (const Wort& v : woerter)
            if (&v != &w && v.seite == w.seite)
                QVERIFY2(!v.kasten.adjusted(0.5, 0.5, -0.5, -0.5).intersects(w.kasten),
                         qPrintable(v.text + QStringLiteral(" / ") + w.text));
    }
    auto zaehlen = [&](const QString& text, int seite) {
        return std::count_if(woerter.begin(), woerter.end(), [&](const Wort& w) {
            return w.text == text && (seite == 0 || w.seite == seite);
        });
    };
    // The first sheet carries the date, begin and duration.
    QCOMPARE(zaehlen(QStringLiteral("Datum:"), 1), 1);
    QCOMPARE(zaehlen(QStringLiteral("Beginn:08:00"), 1), 1);
    QCOMPARE(zaehlen(QStringLiteral("01h00"), 1), 1);
    // Every note once, in order; the title on every sheet.
    int vorher = 0;
    for (int j = 0; j < notizen; ++j) {
        QCOMPARE(zaehlen(QStringLiteral("Notiz%1").arg(j), 0), 1);
        const auto w = std::find_if(woerter.begin(), woerter.end(), [&](const Wort& w) {
            return w.text == QStringLiteral("Notiz%1").arg(j);
        });
        QVERIFY(w->seite >= vorher);
        vorher = w->seite;
    }
    // The whole title on the first sheet; the others name it once, in one line, and all keep a
    // bottom margin of 1 cm below "Blatt n von m".
    for (const QString& wort : titel)
        QCOMPARE(zaehlen(wort, 1), 1);
    for (int blatt = 2; blatt <= blaetter; ++blatt) {
        QCOMPARE(zaehlen(titel.front(), blatt), 1);
        QString text;
        for (const Wort& w : woerter)
            if (w.seite == blatt)
                text += w.text + QLatin1Char(' ');
        QVERIFY2(text.contains(QStringLiteral("Blatt %1 von %2").arg(blatt).arg(blaetter)),
                 qPrintable(text));
    }
    const qreal rand = 72 / 2.54;
    for (const Wort& w : woerter)
        QVERIFY2(w.kasten.bottom() <= info.groesse.height() - rand + 1, qPrintable(w.text));
    if (blaetter > 1)
        QCOMPARE(zaehlen(QStringLiteral("Blatt"), 0), blaetter);
}

// A note's paragraph wrapped into several lines is not split between two sheets.
void TestDruckausgabe::aufgabenblattAbsatz()
{
    taufgabe a;
    a.Kurzbezeichnung = QStringLiteral("Packen");
    a.Start = 17;
    QStringList notiz;
    for (int absatz = 0; absatz < 30; ++absatz)
        for (int zeile = 0; zeile < 5; ++zeile)
            notiz << QStringLiteral("A%1Z%2%3")
                         .arg(absatz)
                         .arg(zeile)
                         .arg(zeile < 4 ? QStringLiteral(" ") : QString());
    const QString datei = Pfad(QStringLiteral("blatt.pdf"));
    DruckerAuf(datei);
    QVERIFY(AufgabeDrucken(nullptr, a, notiz, Tageszahl::ausDatum(QDate(2001, 5, 7))));
    QVERIFY(PdfLesen(datei).seiten > 1);
    const auto woerter = PdfWoerter(datei);
    for (int absatz = 0; absatz < 30; ++absatz) {
        QSet<int> seiten;
        for (const Wort& w : woerter)
            if (w.text.startsWith(QStringLiteral("A%1Z").arg(absatz)))
                seiten.insert(w.seite);
        QCOMPARE(seiten.size(), 1);
    }
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

// Into PDF files every printout proposes its own name, in the folder used last.
void TestDruckausgabe::eigeneDateinamen()
{
    const QString ordner = m_ordner->path();
    PdfOrdnerSetzen(ordner);
    TestFenster fenster(2);
    TAusdruckForm form(&fenster);
    DruckerAuf(Pfad(QStringLiteral("unter/k.pdf")));
    QVERIFY(QDir(ordner).mkdir(QStringLiteral("unter")));
    form.KalenderDrucken();
    QCOMPARE(m_vorschlag, ordner + QStringLiteral("/Umzugskalender.pdf"));
    QCOMPARE(PdfLesen(Pfad(QStringLiteral("unter/k.pdf"))).seiten, 1);

    // The task sheet after it: its own name, in the folder just used.
    taufgabe a;
    a.Kurzbezeichnung = QStringLiteral("Umzugswagen mieten");
    DruckerAuf(Pfad(QStringLiteral("blatt.pdf")));
    QVERIFY(AufgabeDrucken(nullptr, a, {}, Tageszahl::ausDatum(QDate(2026, 3, 2))));
    QCOMPARE(m_vorschlag, ordner + QStringLiteral("/unter/Aufgabe – Umzugswagen mieten.pdf"));
    TDruckvorlagenForm vorlagen;
    vorlagen.setVorlage(4);
    DruckerAuf(Pfad(QStringLiteral("v.pdf")));
    vorlagen.VorlageDrucken();
    QCOMPARE(m_vorschlag, ordner + QStringLiteral("/Protokoll Wohnungsübernahme.pdf"));

    // A folder that is gone: the documents folder, or home.
    PdfOrdnerSetzen(Pfad(QStringLiteral("weg")));
    QCOMPARE(PdfOrdner(), PlanOrdner());

    // The real file dialog: it proposes the name, and cancelling it prints nothing.
    PdfOrdnerSetzen(ordner);
    DateiwahlSetzen({});
    QString titel;
    QString vorschlag;
    ModalHelfer abbrechen;
    abbrechen.Taste(Qt::Key_Escape, [&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialog);
        titel = dialog->windowTitle();
        vorschlag = dialog->selectedFiles().value(0);
    });
    QVERIFY(!AufgabeDrucken(nullptr, a, {}, Tageszahl::ausDatum(QDate(2026, 3, 2))));
    QVERIFY2(abbrechen.Erledigt(), qPrintable(abbrechen.Fehler()));
    QCOMPARE(titel, QStringLiteral("In PDF-Datei drucken"));
    QCOMPARE(vorschlag, ordner + QStringLiteral("/Aufgabe – Umzugswagen mieten.pdf"));
    ModalHelfer annehmen;
    annehmen.Taste(Qt::Key_Return);
    QVERIFY(AufgabeDrucken(nullptr, a, {}, Tageszahl::ausDatum(QDate(2026, 3, 2))));
    QVERIFY2(annehmen.Erledigt(), qPrintable(annehmen.Fehler()));
    QCOMPARE(PdfLesen(vorschlag).seiten, 1);
}

// The confirmed printer setting holds after the next start; a settings file of someone who
// never confirmed one stays byte for byte.
void TestDruckausgabe::einstellungBleibt()
{
    const QString ini = Pfad(QStringLiteral("einstellungen/kistenlotse.ini"));
    QVERIFY(QDir(m_ordner->path()).mkdir(QStringLiteral("einstellungen")));
    const QByteArray vorher = "[allgemein]\r\nfensteroben=10\r\n\r\n";
    {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(vorher);
    }
    DruckereinstellungenLaden(ini);
    auto vergessen = qScopeGuard([] { DruckereinstellungenLaden({}); });
    DruckerAuf(Pfad(QStringLiteral("k.pdf")));
    TestFenster fenster(2);
    TAusdruckForm form(&fenster);
    ModalHelfer ansehen;
    ansehen.Druecke(QStringLiteral("knopf_abbrechen"));
    form.DruckeinstellungKnopf->click();
    QVERIFY2(ansehen.Erledigt(), qPrintable(ansehen.Fehler()));
    QFile f(ini);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), vorher);
    f.close();

    ModalHelfer bestaetigen;
    bestaetigen.Druecke(QStringLiteral("knopf_uebernehmen"), [&](QWidget* w) {
        auto* d = qobject_cast<TDruckeinstellung*>(w);
        QVERIFY(d);
        d->Ordnerfeld->setText(m_ordner->path());
        d->Papierauswahl->setCurrentIndex(d->Papierauswahl->findText(QStringLiteral("A5")));
    });
    form.DruckeinstellungKnopf->click();
    QVERIFY2(bestaetigen.Erledigt(), qPrintable(bestaetigen.Fehler()));
    const Druckereinstellung e = DruckereinstellungLesen(ini);
    QVERIFY(e.bestaetigt);
    QCOMPARE(e.drucker, QString());
    QCOMPARE(e.papier, QStringLiteral("A5"));
    QCOMPARE(e.pdfOrdner, m_ordner->path());

    // The next start: a queue and A4 until the settings are read.
    WarteschlangeSetzen(QStringLiteral("Anderswo"));
    PdfOrdnerSetzen({});
    AktuellerDrucker().setPageSize(QPageSize(QPageSize::A4));
    DruckereinstellungenLaden(ini);
    QCOMPARE(DruckerWarteschlange(), QString());
    QCOMPARE(PdfOrdner(), m_ordner->path());
    QVERIFY(AktuellerDrucker().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A5)));
}

// A stopped print service: the setup shows the queue in force, printing says what is wrong.
void TestDruckausgabe::druckdienstAus()
{
    DruckerAuf(Pfad(QStringLiteral("k.pdf")));
    WarteschlangeSetzen(QStringLiteral("Kistenlotse-Fern"));
    auto zurueck = qScopeGuard([] { WarteschlangeSetzen({}); });
    TestFenster fenster(2);
    TAusdruckForm form(&fenster);
    QString gewaehlt;
    ModalHelfer ansehen;
    ansehen.Druecke(QStringLiteral("knopf_abbrechen"), [&](QWidget* w) {
        gewaehlt = qobject_cast<TDruckeinstellung*>(w)->Druckerauswahl->currentText();
    });
    form.DruckeinstellungKnopf->click();
    QVERIFY2(ansehen.Erledigt(), qPrintable(ansehen.Fehler()));
    QCOMPARE(gewaehlt, QStringLiteral("Kistenlotse-Fern (nicht erreichbar)"));

    QString bericht;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("knopf_abbrechen"), WarnungPruefen())
        .Druecke(QStringLiteral("knopf_ok"), BerichtPruefen(&bericht));
    form.KalenderDrucken();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(bericht, QStringLiteral("Der Druckdienst (CUPS) ist nicht erreichbar, der Drucker "
                                     "„Kistenlotse-Fern“ kann nicht drucken."));
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
    for (auto* knopf : form.Vorlagenwahl->findChildren<QRadioButton*>())
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
    QCOMPARE(exemplare,
             (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                          QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("10")}));
    // The buttons in a column at the right edge, top to bottom.
    QCOMPARE(form.FertigKnopf->geometry().right(), 631);
    QCOMPARE(form.FertigKnopf->size(), QSize(120, 24));
    QVERIFY(form.FertigKnopf->y() < form.DruckenKnopf->y());
    QVERIFY(form.DruckenKnopf->y() < form.DruckeinstellungKnopf->y());
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
    form.Vorlagenwahl->findChild<QRadioButton*>(QStringLiteral("Vorlage2"))->click();
    QCOMPARE(sichtbar(), (QList<bool>{false, false, true, false}));
    // A model form has no preview.
    form.Vorlagenwahl->findChild<QRadioButton*>(QStringLiteral("Vorlage5"))->click();
    QCOMPARE(sichtbar(), (QList<bool>{false, false, false, false}));
    form.Vorlagenwahl->findChild<QRadioButton*>(QStringLiteral("Vorlage3"))->click();
    form.Exemplarauswahl->setCurrentIndex(5);

    // "Fertig" closes; the next opening keeps the template and starts again at one copy.
    QTest::mouseClick(form.FertigKnopf, Qt::LeftButton);
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
    form.VorlageDrucken();
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
    form.VorlageDrucken();
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
    QTest::mouseClick(form.DruckenKnopf, Qt::LeftButton);
    // Into a file: the ten copies are the ten pages of the one file named.
    QCOMPARE(PdfDateien(m_ordner->path()), QStringList{QStringLiteral("protokoll.pdf")});
    const QList<QSizeF> groessen = PdfSeitengroessen(Pfad(QStringLiteral("protokoll.pdf")));
    QCOMPARE(groessen.size(), 10);
    for (const QSizeF& g : groessen)
        QVERIFY(g.height() > g.width());
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
    form.VorlageDrucken();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(bericht,
             QStringLiteral("Die Datei „%1“ wurde nicht gefunden.")
                 .arg(QDir::toNativeSeparators(bilder.filePath(QStringLiteral("rueckseite.gif")))));
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(form.Vorlage(), 2);

    // The model forms still print.
    form.setVorlage(5);
    form.VorlageDrucken();
    QCOMPARE(PdfLesen(Pfad(QStringLiteral("karte.pdf"))).seiten, 1);
}

void TestDruckausgabe::vorlagenbildKaputt_data()
{
    QTest::addColumn<int>("laenge"); // bytes of the real picture kept; 0: no GIF at all
    QTest::addColumn<QString>("grund");
    QTest::newRow("no picture") << 0 << QString();
    // Qt decodes these without complaint, the lost part black.
    QTest::newRow("cut in half") << 50 << QStringLiteral("Das Bild ist unvollständig.");
    QTest::newRow("last block cut") << 98 << QStringLiteral("Das Bild ist unvollständig.");
}

void TestDruckausgabe::vorlagenbildKaputt()
{
    QFETCH(int, laenge);
    QFETCH(QString, grund);
    QTemporaryDir bilder;
    QFile kaputt(bilder.filePath(QStringLiteral("Uebergabe.gif")));
    QVERIFY(kaputt.open(QIODevice::WriteOnly));
    if (laenge == 0) {
        kaputt.write("GIF89a kaputt");
    } else {
        QFile ganz(QDir(Programmordner()).filePath(QStringLiteral("Uebergabe.gif")));
        QVERIFY(ganz.open(QIODevice::ReadOnly));
        const QByteArray daten = ganz.readAll();
        kaputt.write(daten.left(daten.size() * laenge / 100));
    }
    kaputt.close();
    TDruckvorlagenForm form;
    form.vorlagenOrdner = bilder.path();
    form.setVorlage(5);
    DruckerAuf(Pfad(QStringLiteral("p.pdf")));
    QString bericht;
    ModalHelfer helfer;
    helfer.Druecke(QStringLiteral("OK"), BerichtPruefen(&bericht));
    form.VorlageDrucken();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    const QString anfang = QStringLiteral("Die Datei „%1“ lässt sich nicht lesen: ")
                               .arg(QDir::toNativeSeparators(kaputt.fileName()));
    QVERIFY2(bericht.startsWith(anfang + grund), qPrintable(bericht));
    QCOMPARE(QDir(m_ordner->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestDruckausgabe::druckeinstellung()
{
    DruckerAuf(Pfad(QStringLiteral("k.pdf")));
    PdfOrdnerSetzen(m_ordner->path());
    TestFenster fenster(5);
    TAusdruckForm form(&fenster);

    // The dialog shows the setting in force and offers only what the printouts honour.
    QString titel;
    QStringList knoepfe;
    bool sonstiges = false;
    ModalHelfer ansehen;
    ansehen.Druecke(QStringLiteral("knopf_abbrechen"), [&](QWidget* w) {
        auto* d = qobject_cast<TDruckeinstellung*>(w);
        QVERIFY(d);
        titel = d->windowTitle();
        for (const QAbstractButton* b : d->findChildren<QAbstractButton*>())
            knoepfe << b->text();
        sonstiges =
            !d->findChildren<QSpinBox*>().isEmpty() || !d->findChildren<QCheckBox*>().isEmpty();
        QCOMPARE(d->Druckerauswahl->currentText(), QStringLiteral("In PDF-Datei drucken"));
        QCOMPARE(d->Ordnerfeld->text(), m_ordner->path());
        // Changed, then cancelled.
        d->Ordnerfeld->setText(QDir::tempPath());
        d->Papierauswahl->setCurrentIndex(d->Papierauswahl->findText(QStringLiteral("A5")));
        if (d->Druckerauswahl->count() > 1)
            d->Druckerauswahl->setCurrentIndex(0); // a print queue
    });
    form.DruckeinstellungKnopf->click();
    QVERIFY2(ansehen.Erledigt(), qPrintable(ansehen.Fehler()));
    QCOMPARE(titel, QStringLiteral("Druckeinstellung"));
    knoepfe.sort();
    QCOMPARE(knoepfe, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("Durchsuchen …"),
                                   QStringLiteral("Übernehmen")}));
    QVERIFY(!sonstiges);
    // "Abbrechen" changed nothing.
    QCOMPARE(DruckerWarteschlange(), QString());
    QCOMPARE(PdfOrdner(), m_ordner->path());
    QVERIFY(AktuellerDrucker().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A4)));

    // A confirmed choice holds for every later printout.
    QVERIFY(QDir(m_ordner->path()).mkdir(QStringLiteral("neu")));
    TDruckvorlagenForm vorlagen;
    ModalHelfer aendern;
    aendern.Druecke(QStringLiteral("knopf_uebernehmen"), [&](QWidget* w) {
        auto* d = qobject_cast<TDruckeinstellung*>(w);
        QVERIFY(d);
        d->Ordnerfeld->setText(Pfad(QStringLiteral("neu")));
        d->Papierauswahl->setCurrentIndex(d->Papierauswahl->findText(QStringLiteral("A5")));
    });
    vorlagen.DruckeinstellungOeffnen();
    QVERIFY2(aendern.Erledigt(), qPrintable(aendern.Fehler()));
    QCOMPARE(PdfOrdner(), Pfad(QStringLiteral("neu")));
    QVERIFY(AktuellerDrucker().pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A5)));
    DruckerAuf(Pfad(QStringLiteral("neu/blatt.pdf")));
    AktuellerDrucker().setPageSize(QPageSize(QPageSize::A5));
    QVERIFY(AufgabeDrucken(nullptr, taufgabe{}, {}, Tageszahl::ausDatum(QDate(2026, 3, 2))));
    const PdfInfo info = PdfLesen(Pfad(QStringLiteral("neu/blatt.pdf")));
    QCOMPARE(info.seiten, 1);
    QCOMPARE(qRound(info.groesse.height()), 595); // A5 upright

    // A folder that does not exist is refused in the dialog.
    QString warnung;
    ModalHelfer falsch;
    falsch
        .Druecke(QStringLiteral("knopf_uebernehmen"),
                 [&](QWidget* w) {
                     qobject_cast<TDruckeinstellung*>(w)->Ordnerfeld->setText(
                         Pfad(QStringLiteral("fehlt")));
                 })
        .Druecke(QStringLiteral("knopf_ok"),
                 [&](QWidget* w) { warnung = qobject_cast<QMessageBox*>(w)->text(); })
        .Druecke(QStringLiteral("knopf_abbrechen"), {}, QStringLiteral("PrinterSetupDialog1"));
    form.DruckeinstellungKnopf->click();
    QVERIFY2(falsch.Erledigt(), qPrintable(falsch.Fehler()));
    QCOMPARE(warnung,
             QStringLiteral("Den Ordner „%1“ gibt es nicht.").arg(Pfad(QStringLiteral("fehlt"))));
    QCOMPARE(PdfOrdner(), Pfad(QStringLiteral("neu")));
    AktuellerDrucker().setPageSize(QPageSize(QPageSize::A4));
}

QTEST_MAIN(TestDruckausgabe)
#include "tst_druckausgabe.moc"
