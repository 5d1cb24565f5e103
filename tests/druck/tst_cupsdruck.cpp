// Printing through CUPS to the PDF queue "Kistenlotse-PDF" (scripts/test.d/cups): every copy
// and every calendar page arrives as a job of its own; a queue that refuses jobs gives the
// printing warning. Skipped where the queue does not exist.

#include "druckhilfe.h"
#include "print/ausdruckform.h"
#include "print/drucker.h"
#include "print/druckvorlagenform.h"
#include "support/modalhelfer.h"
#include "widgets/qvimagebutton.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

namespace {

const QString Warteschlange = QStringLiteral("Kistenlotse-PDF");

// The finished jobs of the queue, by number.
QList<int> FertigeAuftraege()
{
    const QString text = Ausfuehren(QStringLiteral("lpstat"),
                                    {QStringLiteral("-W"), QStringLiteral("completed"),
                                     QStringLiteral("-o"), Warteschlange});
    QList<int> nummern;
    const QRegularExpression zeile(QStringLiteral("^%1-(\\d+)\\s").arg(Warteschlange),
                                   QRegularExpression::MultilineOption);
    for (auto it = zeile.globalMatch(text); it.hasNext();)
        nummern << it.next().captured(1).toInt();
    return nummern;
}

bool OffeneAuftraege()
{
    return !Ausfuehren(QStringLiteral("lpstat"), {QStringLiteral("-o"), Warteschlange})
                .trimmed()
                .isEmpty();
}

// Waits until `anzahl` jobs more than `vorher` are finished and none is waiting.
QList<int> NeueAuftraege(const QList<int>& vorher, int anzahl)
{
    QDeadlineTimer frist(120000);
    QList<int> neu;
    while (!frist.hasExpired()) {
        neu.clear();
        for (int n : FertigeAuftraege())
            if (!vorher.contains(n))
                neu << n;
        if (neu.size() >= anzahl && !OffeneAuftraege())
            break;
        QTest::qWait(250);
    }
    std::sort(neu.begin(), neu.end());
    return neu;
}

// The file cups-pdf wrote for a job ("<title>-job_<n>.pdf" in the user's PDF folder).
QString CupsPdfDatei(int auftrag)
{
    const QString endung = QStringLiteral("-job_%1.pdf").arg(auftrag);
    const QStringList ordnerliste{QDir::homePath() + QStringLiteral("/PDF"),
                                  QStringLiteral("/var/spool/cups-pdf")};
    for (const QString& ordner : ordnerliste) {
        QDirIterator it(ordner, {QStringLiteral("*.pdf")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString datei = it.next();
            if (datei.endsWith(endung))
                return datei;
        }
    }
    return {};
}

} // namespace

class TestCupsdruck final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void zehnExemplareZehnAuftraege();
    void kalenderFuenfWochenDreiAuftraege();
    void abgelehnterAuftrag();
};

void TestCupsdruck::initTestCase()
{
    if (QPrinterInfo::printerInfo(Warteschlange).isNull())
        QSKIP("Keine Druckerwarteschlange Kistenlotse-PDF (scripts/test.d/cups richtet sie ein)");
}

void TestCupsdruck::init()
{
    QPrinter& d = AktuellerDrucker();
    d.setOutputFileName(QString());
    d.setOutputFormat(QPrinter::NativeFormat);
    d.setPrinterName(Warteschlange);
    d.setPageSize(QPageSize(QPageSize::A4));
    d.setCopyCount(1);
    QCOMPARE(d.outputFormat(), QPrinter::NativeFormat);
    QCOMPARE(d.printerName(), Warteschlange);
}

void TestCupsdruck::zehnExemplareZehnAuftraege()
{
    const QList<int> vorher = FertigeAuftraege();
    TDruckvorlagenForm form;
    form.setVorlage(0);
    form.show();
    form.Exemplarauswahl->setCurrentText(QStringLiteral("10"));
    ModalHelfer keineBox(500);
    keineBox.Taste(Qt::Key_Escape);
    form.Button4Click();
    QCOMPARE(keineBox.Beantwortet(), 0);
    form.close();

    const QList<int> neu = NeueAuftraege(vorher, 10);
    QCOMPARE(neu.size(), 10);
    for (int auftrag : neu) {
        const QString datei = CupsPdfDatei(auftrag);
        QVERIFY2(!datei.isEmpty(), qPrintable(QStringLiteral("Auftrag %1 ohne Datei").arg(auftrag)));
        QCOMPARE(PdfLesen(datei).seiten, 1);
    }
    // Landscape: the card's long side runs along the paper's, however the queue turned it.
    const QString erste = CupsPdfDatei(neu.front());
    const PdfInfo info = PdfLesen(erste);
    const QImage seite = PdfBild(erste, 30);
    QRect tinte;
    for (int y = 0; y < seite.height(); ++y)
        for (int x = 0; x < seite.width(); ++x)
            if (!FarbeNah(seite.pixel(x, y), Qt::white, 8))
                tinte |= QRect(x, y, 1, 1);
    QVERIFY(!tinte.isEmpty());
    QCOMPARE(tinte.width() > tinte.height(), info.groesse.width() > info.groesse.height());
}

void TestCupsdruck::kalenderFuenfWochenDreiAuftraege()
{
    const QList<int> vorher = FertigeAuftraege();
    TestFenster fenster(5);
    TAusdruckForm form(&fenster);
    form.Button3->click();
    const QList<int> neu = NeueAuftraege(vorher, 3);
    QCOMPARE(neu.size(), 3);
    for (int auftrag : neu) {
        const QString datei = CupsPdfDatei(auftrag);
        QVERIFY(!datei.isEmpty());
        QCOMPARE(PdfLesen(datei).seiten, 1);
    }
}

void TestCupsdruck::abgelehnterAuftrag()
{
    bool ok = false;
    Ausfuehren(QStringLiteral("cupsreject"), {Warteschlange}, &ok);
    if (!ok)
        QSKIP("Die Warteschlange lässt sich nicht sperren (keine Verwaltungsrechte)");
    auto freigeben = qScopeGuard([] { Ausfuehren(QStringLiteral("cupsaccept"), {Warteschlange}); });
    const QList<int> vorher = FertigeAuftraege();

    TestFenster fenster(5);
    TAusdruckForm form(&fenster);
    QString warnung;
    QString bericht;
    ModalHelfer helfer;
    helfer
        .Druecke(QStringLiteral("Abbrechen"),
                 [&](QWidget* w) { warnung = qobject_cast<QMessageBox*>(w)->text(); })
        .Druecke(QStringLiteral("OK"),
                 [&](QWidget* w) { bericht = qobject_cast<QMessageBox*>(w)->text(); });
    form.Button4Click();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(helfer.Beantwortet(), 2); // the first page fails, the others are not tried
    QCOMPARE(warnung, QStringLiteral(
        "Beim Drucken ist ein Fehler aufgetreten.\nDer Duckvorgang wird abgebrochen."));
    QVERIFY2(bericht.startsWith(QStringLiteral("Der Drucker „Kistenlotse-PDF“ hat den Druckauftrag abgelehnt")),
             qPrintable(bericht));
    freigeben.dismiss();
    Ausfuehren(QStringLiteral("cupsaccept"), {Warteschlange});
    QTest::qWait(500);
    QCOMPARE(FertigeAuftraege(), vorher);
}

QTEST_MAIN(TestCupsdruck)
#include "tst_cupsdruck.moc"
