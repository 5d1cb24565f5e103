// Printing through CUPS to the PDF queue "Kistenlotse-PDF" (scripts/test.d/cups): every copy
// and every calendar page arrives as a job of its own; a queue that refuses jobs gives the
// printing warning. Skipped where the queue does not exist.

#include "druckdialoge.h"
#include "druckhilfe.h"
#include "print/ausdruckform.h"
#include "print/drucker.h"
#include "print/druckvorlagenform.h"
#include "support/modalhelfer.h"
#include "widgets/qvimagebutton.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QFile>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <cups/cups.h>

#include <algorithm>
#include <set>

namespace {

const QString Warteschlange = QStringLiteral("Kistenlotse-PDF");

struct Job
{
    int nummer = 0;
    QString titel;
    bool fertig = false;
};

// Every job the queue knows, finished or not, with its title (other programs may print to the
// same queue, so the tests look only at their own titles).
QList<Job> Auftraege()
{
    cups_job_t* jobs = nullptr;
    const int anzahl = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Warteschlange.toUtf8().constData(), 0,
                                    CUPS_WHICHJOBS_ALL);
    QList<Job> liste;
    for (int i = 0; i < anzahl; ++i)
        liste.push_back(
            {jobs[i].id, QString::fromUtf8(jobs[i].title), jobs[i].state >= IPP_JSTATE_CANCELED});
    cupsFreeJobs(anzahl, jobs);
    return liste;
}

int LetzterAuftrag()
{
    int letzter = 0;
    for (const Job& j : Auftraege())
        letzter = std::max(letzter, j.nummer);
    return letzter;
}

// The jobs after `seit` whose titles are `titel`, once all of them are finished; job numbers in
// the order of the titles, 0 for a title that never arrived.
QList<int> AuftraegeAbwarten(int seit, const QStringList& titel)
{
    QDeadlineTimer frist(120000);
    QList<int> nummern;
    while (true) {
        nummern.clear();
        bool alleFertig = true;
        const QList<Job> jobs = Auftraege();
        for (const QString& t : titel) {
            int gefunden = 0;
            for (const Job& j : jobs)
                if (j.nummer > seit && j.titel == t) {
                    gefunden = j.nummer;
                    alleFertig = alleFertig && j.fertig;
                }
            alleFertig = alleFertig && gefunden != 0;
            nummern << gefunden;
        }
        if (alleFertig || frist.hasExpired())
            return nummern;
        QTest::qWait(250);
    }
}

// The file cups-pdf wrote for a job ("<title>-job_<n>.pdf" in the user's PDF folder).
QString CupsPdfDatei(int auftrag)
{
    const QString endung = QStringLiteral("-job_%1.pdf").arg(auftrag);
    const QStringList ordnerliste{QDir::homePath() + QStringLiteral("/PDF"),
                                  QStringLiteral("/var/spool/cups-pdf")};
    for (const QString& ordner : ordnerliste) {
        QDirIterator it(ordner, {QStringLiteral("*.pdf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QString datei = it.next();
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
    void cleanup();
    void zehnExemplareZehnAuftraege();
    void kalenderFuenfWochenDreiAuftraege();
    void abgelehnterAuftrag();

private:
    // The files cups-pdf wrote for this test's jobs, removed after each test function.
    QStringList m_pdfDateien;
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
    WarteschlangeSetzen(Warteschlange);
    d.setPageSize(QPageSize(QPageSize::A4));
    d.setCopyCount(1);
    QCOMPARE(d.outputFormat(), QPrinter::NativeFormat);
    QCOMPARE(d.printerName(), Warteschlange);
}

void TestCupsdruck::cleanup()
{
    for (const QString& datei : std::as_const(m_pdfDateien))
        QFile::remove(datei);
    m_pdfDateien.clear();
}

void TestCupsdruck::zehnExemplareZehnAuftraege()
{
    const int seit = LetzterAuftrag();
    TDruckvorlagenForm form;
    form.setVorlage(0);
    form.show();
    Exemplarauswahl(form)->setCurrentText(QStringLiteral("10"));
    ModalHelfer keineBox(500);
    keineBox.Taste(Qt::Key_Escape);
    form.VorlageDrucken();
    QCOMPARE(keineBox.Beantwortet(), 0);
    form.close();

    QStringList titel;
    for (int i = 1; i <= 10; ++i)
        titel << QStringLiteral("Postkarte \"Häuser\", Exemplar %1 von 10").arg(i);
    const QList<int> neu = AuftraegeAbwarten(seit, titel);
    QVERIFY2(!neu.contains(0), "nicht alle Exemplare als eigene Aufträge angekommen");
    QCOMPARE(std::set<int>(neu.begin(), neu.end()).size(), size_t(10));
    for (int auftrag : neu) {
        const QString datei = CupsPdfDatei(auftrag);
        QVERIFY2(!datei.isEmpty(),
                 qPrintable(QStringLiteral("Auftrag %1 ohne Datei").arg(auftrag)));
        m_pdfDateien << datei;
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
    const int seit = LetzterAuftrag();
    TestFenster fenster(5);
    TAusdruckForm form(&fenster);
    DruckenKnopf(form)->click();
    const QList<int> neu =
        AuftraegeAbwarten(seit, {QStringLiteral("Umzugskalender, Seite 1 von 3"),
                                 QStringLiteral("Umzugskalender, Seite 2 von 3"),
                                 QStringLiteral("Umzugskalender, Seite 3 von 3")});
    QVERIFY2(!neu.contains(0), "nicht jede Seite als eigener Auftrag angekommen");
    QVERIFY(neu.at(0) < neu.at(1) && neu.at(1) < neu.at(2)); // in calendar order
    for (int auftrag : neu) {
        const QString datei = CupsPdfDatei(auftrag);
        QVERIFY(!datei.isEmpty());
        m_pdfDateien << datei;
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
    const int seit = LetzterAuftrag();

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
    form.KalenderDrucken();
    QVERIFY2(helfer.Erledigt(), qPrintable(helfer.Fehler()));
    QCOMPARE(helfer.Beantwortet(), 2); // the first page fails, the others are not tried
    QCOMPARE(warnung,
             QStringLiteral(
                 "Beim Drucken ist ein Fehler aufgetreten.\nDer Duckvorgang wird abgebrochen."));
    QVERIFY2(bericht.startsWith(
                 QStringLiteral("Der Drucker „Kistenlotse-PDF“ hat den Druckauftrag abgelehnt")),
             qPrintable(bericht));
    freigeben.dismiss();
    Ausfuehren(QStringLiteral("cupsaccept"), {Warteschlange});
    for (const Job& j : Auftraege())
        QVERIFY2(j.nummer <= seit || !j.titel.startsWith(QStringLiteral("Umzugskalender")),
                 qPrintable(j.titel));
}

QTEST_MAIN(TestCupsdruck)
#include "tst_cupsdruck.moc"
