#include "print/drucker.h"

#include "widgets/meldung.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

const QString DruckfehlerText =
    QStringLiteral("Beim Drucken ist ein Fehler aufgetreten.\nDer Duckvorgang wird abgebrochen.");

Druckfehler::Druckfehler(const QString& text) : std::runtime_error(text.toStdString()), m_text(text)
{
}

namespace {

std::unique_ptr<QPrinter>& druckerSpeicher()
{
    static std::unique_ptr<QPrinter> drucker;
    return drucker;
}

// Qt hands the CUPS options of its print dialog to the engine under this key.
constexpr auto CupsOptionen = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// One job: the page goes into a private PDF file, which at the end is handed to the CUPS queue
// or moved over the chosen output file. Until then nothing has left the program, so a job
// given up half-way is simply dropped.
class Druckjob final
{
public:
    Druckjob(QPrinter& drucker, const Auftrag& auftrag) : m_drucker(drucker), m_auftrag(auftrag)
    {
        drucker.setPageOrientation(auftrag.lage);
        if (drucker.outputFormat() == QPrinter::NativeFormat) {
            m_warteschlange = drucker.printerName();
            if (m_warteschlange.isEmpty())
                throw Druckfehler(QStringLiteral("Es ist kein Drucker eingerichtet."));
            if (QPrinterInfo::printerInfo(m_warteschlange).isNull())
                throw Druckfehler(
                    QStringLiteral("Der Drucker „%1“ ist nicht vorhanden.").arg(m_warteschlange));
            m_datei = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                       QStringLiteral("/kistenlotse-XXXXXX.pdf"));
            if (!m_datei->open())
                throw Druckfehler(QStringLiteral("Die Druckdatei lässt sich nicht anlegen: %1")
                                      .arg(m_datei->errorString()));
        } else {
            if (drucker.outputFileName().isEmpty())
                throw Druckfehler(QStringLiteral("Es ist kein Drucker eingerichtet."));
            m_ziel = AusgabeDatei(drucker.outputFileName(), auftrag.nummer, auftrag.anzahl);
            const QFileInfo ziel(m_ziel);
            // Beside the target, so that the finished file can replace it in one step.
            m_datei = std::make_unique<QTemporaryFile>(ziel.absolutePath() + QStringLiteral("/.") +
                                                       ziel.fileName() + QStringLiteral(".XXXXXX"));
            if (!m_datei->open())
                throw Druckfehler(QStringLiteral("Die Datei „%1“ lässt sich nicht anlegen: %2")
                                      .arg(m_ziel, m_datei->errorString()));
        }

        m_seite = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_seite->setOutputFormat(QPrinter::PdfFormat);
        m_seite->setOutputFileName(m_datei->fileName());
        m_seite->setResolution(drucker.resolution());
        m_seite->setFullPage(drucker.fullPage());
        m_seite->setColorMode(drucker.colorMode());
        m_seite->setPageLayout(drucker.pageLayout());
        m_seite->setDocName(auftrag.name);
        m_seite->setCreator(QStringLiteral("Kistenlotse"));
        if (!m_painter.begin(m_seite.get()))
            throw Druckfehler(QStringLiteral("Der Druckauftrag „%1“ lässt sich nicht beginnen.")
                                  .arg(auftrag.name));
    }

    ~Druckjob()
    {
        if (m_painter.isActive())
            m_painter.end(); // into the private file, which goes with m_datei
    }

    Druckjob(const Druckjob&) = delete;
    Druckjob& operator=(const Druckjob&) = delete;

    QPainter& painter() { return m_painter; }
    Druckseite seite() const
    {
        return {m_seite->logicalDpiY(), QSize(m_seite->width(), m_seite->height())};
    }

    void Abschliessen()
    {
        if (!m_painter.end() || m_seite->printerState() == QPrinter::Error || !Vollstaendig())
            throw Druckfehler(QStringLiteral("Der Druckauftrag „%1“ ließ sich nicht abschließen.")
                                  .arg(m_auftrag.name));
        if (m_warteschlange.isEmpty())
            DateiErsetzen();
        else
            Einreihen();
    }

private:
    // Qt's PDF writer does not report failed writes (a full disk): a complete file ends with
    // its end-of-file mark.
    bool Vollstaendig() const
    {
        QFile pdf(m_datei->fileName());
        if (!pdf.open(QIODevice::ReadOnly) || pdf.size() < 16)
            return false;
        pdf.seek(pdf.size() - 16);
        return pdf.readAll().contains("%%EOF");
    }

    void DateiErsetzen()
    {
        m_datei->setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                QFile::ReadOther);
        std::error_code fehler;
        std::filesystem::rename(QFile::encodeName(m_datei->fileName()).toStdString(),
                                QFile::encodeName(m_ziel).toStdString(), fehler);
        if (fehler)
            throw Druckfehler(QStringLiteral("Die Datei „%1“ lässt sich nicht schreiben: %2")
                                  .arg(m_ziel, QString::fromLocal8Bit(fehler.message())));
        m_datei->setAutoRemove(false); // it is the output file now
    }

    // The options Qt's own CUPS engine would send for this printer and page.
    void Einreihen()
    {
        std::vector<std::pair<QByteArray, QByteArray>> optionen;
        const QPageLayout layout = m_seite->pageLayout();
        optionen.emplace_back("media", layout.pageSize().key().toUtf8());
        const int kopien = m_auftrag.eineKopie ? 1 : m_drucker.copyCount();
        if (kopien > 1) {
            optionen.emplace_back("copies", QByteArray::number(kopien));
            if (m_drucker.collateCopies())
                optionen.emplace_back("Collate", "True");
        }
        switch (m_drucker.duplex()) {
        case QPrinter::DuplexNone:
            optionen.emplace_back("sides", "one-sided");
            break;
        case QPrinter::DuplexAuto:
            optionen.emplace_back("sides", layout.orientation() == QPageLayout::Portrait
                                               ? "two-sided-long-edge"
                                               : "two-sided-short-edge");
            break;
        case QPrinter::DuplexLongSide:
            optionen.emplace_back("sides", "two-sided-long-edge");
            break;
        case QPrinter::DuplexShortSide:
            optionen.emplace_back("sides", "two-sided-short-edge");
            break;
        }
        if (layout.orientation() == QPageLayout::Landscape)
            optionen.emplace_back("landscape", "");
        if (QPrintEngine* engine = m_drucker.printEngine()) {
            const QStringList dialog = engine->property(CupsOptionen).toStringList();
            for (qsizetype i = 0; i + 1 < dialog.size(); i += 2)
                optionen.emplace_back(dialog.at(i).toUtf8(), dialog.at(i + 1).toUtf8());
        }

        std::vector<cups_option_t> liste;
        liste.reserve(optionen.size());
        for (auto& [name, wert] : optionen)
            liste.push_back(cups_option_t{name.data(), wert.data()});

        // An instance "drucker/kopie" is configured under its full name but printed by the queue's.
        const QByteArray warteschlange = m_warteschlange.section(QLatin1Char('/'), 0, 0).toUtf8();
        const int job = cupsPrintFile(
            warteschlange.constData(), QFile::encodeName(m_datei->fileName()).constData(),
            m_auftrag.name.toUtf8().constData(), static_cast<int>(liste.size()), liste.data());
        if (job == 0)
            throw Druckfehler(QStringLiteral("Der Drucker „%1“ hat den Druckauftrag abgelehnt: %2")
                                  .arg(m_warteschlange, QString::fromUtf8(cupsLastErrorString())));
    }

    QPrinter& m_drucker;
    const Auftrag& m_auftrag;
    QString m_warteschlange; // empty when printing to a file
    QString m_ziel;          // the output file
    std::unique_ptr<QTemporaryFile> m_datei;
    std::unique_ptr<QPrinter> m_seite;
    QPainter m_painter; // ends before the printer and the file go
};

} // namespace

QPrinter& AktuellerDrucker()
{
    auto& drucker = druckerSpeicher();
    if (!drucker) {
        drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Gone with the application object, before the printing plugin is unloaded.
        qAddPostRoutine([] { druckerSpeicher().reset(); });
    }
    return *drucker;
}

bool DruckerEinrichten(QWidget* eltern)
{
    QPrintDialog dialog(&AktuellerDrucker(), eltern);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.setWindowTitle(QStringLiteral("Druckeinstellung"));
    // The printouts choose their pages and copies themselves.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

QString AusgabeDatei(const QString& datei, int nummer, int anzahl)
{
    if (anzahl <= 1)
        return datei;
    const QFileInfo info(datei);
    const QString endung = info.suffix();
    const QString stamm = endung.isEmpty() ? info.fileName() : info.completeBaseName();
    QString name = stamm + QLatin1Char('-') + QString::number(nummer);
    if (!endung.isEmpty())
        name += QLatin1Char('.') + endung;
    return info.dir().filePath(name);
}

bool Druckauftrag(QWidget* eltern, const Auftrag& auftrag,
                  const std::function<void(QPainter&, const Druckseite&)>& zeichnen,
                  QString* fehler)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto cursorZurueck = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    QString text;
    try {
        Druckjob job(AktuellerDrucker(), auftrag);
        zeichnen(job.painter(), job.seite());
        job.Abschliessen();
        return true;
    } catch (const Druckfehler& f) {
        text = f.text();
    } catch (const std::exception& f) {
        text = QString::fromLocal8Bit(f.what());
    }
    // The box gets the normal cursor.
    cursorZurueck.dismiss();
    QApplication::restoreOverrideCursor();
    Meldung(eltern, MeldungsArt::Warnung, DruckfehlerText, Abbrechen);
    if (fehler)
        *fehler = text;
    return false;
}
