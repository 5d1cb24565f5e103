#include "print/drucker.h"

#include "model/dateizugriff.h"
#include "model/druckereinstellung.h"
#include "model/ordner.h"
#include "print/cupsbibliothek.h"
#include "widgets/dateidialog.h"
#include "widgets/meldung.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <algorithm>
#include <memory>

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

// The setting in force besides the QPrinter: the queue is kept here, since QPrinter gives up a
// queue it cannot reach (a stopped print service) and would print elsewhere.
struct Druckerwahl
{
    bool gesetzt = false;
    QString warteschlange;
    QString pdfOrdner;
    QString einstellungsPfad;
    Dateiwahl dateiwahl;
};

// The choice as stored, without asking the print service for its default (which loads its
// plugin and connects to it): the settings are read at start, before the splash shows.
Druckerwahl& gespeicherteWahl()
{
    static Druckerwahl w;
    return w;
}

Druckerwahl& wahl()
{
    Druckerwahl& w = gespeicherteWahl();
    if (!w.gesetzt) {
        w.gesetzt = true;
        w.warteschlange = QPrinterInfo::defaultPrinterName();
    }
    return w;
}

std::function<void(const QString&)>& druckmeldung()
{
    static std::function<void(const QString&)> melden;
    return melden;
}

void Melden(const QString& text)
{
    if (druckmeldung())
        druckmeldung()(text);
}

QString Seitenzahl(int seiten)
{
    return seiten == 1 ? QStringLiteral("1 Seite") : QStringLiteral("%1 Seiten").arg(seiten);
}

// The page as the printer setup chose it, turned the way the printout needs it.
QPageLayout Seitenlayout(const QPrinter& drucker, QPageLayout::Orientation lage)
{
    QPageLayout layout = drucker.pageLayout();
    layout.setOrientation(lage);
    return layout;
}

// A PDF document on `geraet`, with the painter begun on its first page.
class PdfDokument final
{
public:
    PdfDokument(QIODevice* geraet, const QPrinter& drucker, const QPageLayout& layout,
                const QString& titel)
        : m_pdf(geraet)
    {
        m_pdf.setResolution(drucker.resolution());
        m_pdf.setPageLayout(layout);
        m_pdf.setCreator(QStringLiteral("Kistenlotse"));
        m_pdf.setTitle(titel);
        if (!m_painter.begin(&m_pdf))
            throw Druckfehler(
                QStringLiteral("Der Druckauftrag „%1“ lässt sich nicht beginnen.").arg(titel));
    }
    ~PdfDokument()
    {
        if (m_painter.isActive())
            m_painter.end();
    }
    PdfDokument(const PdfDokument&) = delete;
    PdfDokument& operator=(const PdfDokument&) = delete;

    QPainter& painter() { return m_painter; }
    Druckseite seite() const { return {m_pdf.logicalDpiY(), QSize(m_pdf.width(), m_pdf.height())}; }
    void NeueSeite()
    {
        if (!m_pdf.newPage())
            throw Druckfehler(QStringLiteral("Die nächste Seite lässt sich nicht beginnen."));
    }
    bool Beenden() { return m_painter.end(); }

private:
    QPdfWriter m_pdf;
    QPainter m_painter; // ends before the writer goes
};

// Qt's PDF writer does not report every failed write: a complete file ends with its mark.
bool EndeVorhanden(QByteArrayView pdf)
{
    return pdf.size() >= 16 && pdf.last(16).contains(QByteArrayView("%%EOF"));
}

bool Vollstaendig(const QString& datei)
{
    QFile pdf(datei);
    if (!pdf.open(QIODevice::ReadOnly) || pdf.size() < 16)
        return false;
    pdf.seek(pdf.size() - 16);
    return EndeVorhanden(pdf.readAll());
}

// A file name from a printout's name: without the characters file names cannot hold.
QString Dateiname(const Ausdruck& ausdruck)
{
    QString name =
        ausdruck.dateiname.isEmpty() ? ausdruck.name + QStringLiteral(".pdf") : ausdruck.dateiname;
    static const QRegularExpression verboten(QStringLiteral("[/\\\\\\x00-\\x1f\\x7f]"));
    name.replace(verboten, QStringLiteral("-"));
    if (name.size() > 120)
        name = name.left(116) + QStringLiteral(".pdf");
    return name.startsWith(QLatin1Char('.')) ? QLatin1Char('_') + name : name;
}

QString DateiImDialog(QWidget* eltern, const QString& vorschlag)
{
    TDateiDialog dialog(eltern);
    dialog.setObjectName(QStringLiteral("PdfDateiDialog"));
    dialog.setWindowTitle(QStringLiteral("In PDF-Datei drucken"));
    dialog.setNameFilters(
        {QStringLiteral("PDF-Dateien (*.pdf)"), QStringLiteral("Alle Dateien (*)")});
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // Whether to replace an existing file is asked when the printout is made.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(QFileInfo(vorschlag).absolutePath());
    dialog.selectFile(QFileInfo(vorschlag).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// As a plan that cannot be saved is reported.
QString DateiFehler(const QString& datei, const QString& grund)
{
    return QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2")
        .arg(QDir::toNativeSeparators(datei), grund);
}

// The whole printout as one PDF file, replacing the target the way plans are saved
// (Dateizugriff::Ersetzen): it is made in memory first, because Qt's PDF writer does not
// report every failed write (a full disk), and reaches the disk only when complete. A
// failure leaves an old file as it was; a new file gets the umask's mode, a replaced one
// keeps its mode.
void InDateiDrucken(const QPrinter& drucker, const QString& ziel, const Ausdruck& ausdruck,
                    const std::function<void(QPainter&, const Druckseite&, int)>& zeichnen)
{
    QByteArray inhalt;
    QBuffer puffer(&inhalt);
    puffer.open(QIODevice::WriteOnly);
    {
        PdfDokument pdf(&puffer, drucker, Seitenlayout(drucker, ausdruck.lage), ausdruck.name);
        for (int seite = 0; seite < ausdruck.seiten; ++seite) {
            if (seite > 0)
                pdf.NeueSeite();
            zeichnen(pdf.painter(), pdf.seite(), seite);
        }
        if (!pdf.Beenden() || !EndeVorhanden(inhalt))
            throw Druckfehler(QStringLiteral("Der Druckauftrag „%1“ ließ sich nicht abschließen.")
                                  .arg(ausdruck.name));
    }
    QString grund;
    if (!Dateizugriff::Ersetzen(ziel, inhalt, &grund))
        throw Druckfehler(DateiFehler(ziel, grund));
}

std::vector<std::pair<QByteArray, QByteArray>> GespeicherteOptionen(const cups_dest_t& ziel)
{
    std::vector<std::pair<QByteArray, QByteArray>> optionen;
    optionen.reserve(std::max(ziel.num_options, 0));
    for (int i = 0; i < ziel.num_options; ++i)
        optionen.emplace_back(ziel.options[i].name, ziel.options[i].value);
    return optionen;
}

// One page as a job of its own in the CUPS queue `warteschlange` ("drucker" or
// "drucker/instanz"). The page goes into a private PDF file first, which reaches the queue
// only when it is complete.
void SeiteEinreihen(const QPrinter& drucker, const QString& warteschlange, const Ausdruck& ausdruck,
                    int seite,
                    const std::function<void(QPainter&, const Druckseite&, int)>& zeichnen)
{
    const QString auftrag =
        ausdruck.auftragsname ? ausdruck.auftragsname(seite + 1) : ausdruck.name;
    const QByteArray name = warteschlange.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray instanz = warteschlange.section(QLatin1Char('/'), 1).toUtf8();
    QString ladefehler;
    const CupsBibliothek* cups = CupsLaden(&ladefehler);
    if (!cups)
        throw Druckfehler(ladefehler);
    cups_dest_t* ziel = cups->GetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                           instanz.isEmpty() ? nullptr : instanz.constData());
    if (!ziel) {
        // A queue is "not found" also when the print service is down: asking for the list of
        // all queues tells the two apart.
        cups_dest_t* alle = nullptr;
        const int anzahl = cups->GetDests2(CUPS_HTTP_DEFAULT, &alle);
        const bool dienstAus =
            anzahl == 0 && cups->LastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
        cups->FreeDests(anzahl, alle);
        if (dienstAus)
            throw Druckfehler(
                QStringLiteral("Der Druckdienst (CUPS) ist nicht erreichbar, der Drucker „%1“ "
                               "kann nicht drucken.")
                    .arg(warteschlange));
        throw Druckfehler(
            QStringLiteral("Der Drucker „%1“ ist nicht vorhanden.").arg(warteschlange));
    }
    auto freigeben = qScopeGuard([cups, ziel] { cups->FreeDests(1, ziel); });

    QTemporaryFile datei(QDir::tempPath() + QStringLiteral("/kistenlotse-XXXXXX.pdf"));
    if (!datei.open())
        throw Druckfehler(
            QStringLiteral("Die Druckdatei lässt sich nicht anlegen: %1").arg(datei.errorString()));
    const QPageLayout layout = Seitenlayout(drucker, ausdruck.lage);
    {
        PdfDokument pdf(&datei, drucker, layout, auftrag);
        zeichnen(pdf.painter(), pdf.seite(), seite);
        if (!pdf.Beenden() || !datei.flush() || !Vollstaendig(datei.fileName()))
            throw Druckfehler(
                QStringLiteral("Der Druckauftrag „%1“ ließ sich nicht abschließen.").arg(auftrag));
    }

    const auto optionen = Druckoptionen(GespeicherteOptionen(*ziel), layout);
    cups_option_t* liste = nullptr;
    int anzahl = 0;
    for (const auto& [option, wert] : optionen)
        anzahl = cups->AddOption(option.constData(), wert.constData(), anzahl, &liste);
    const int job = cups->PrintFile2(CUPS_HTTP_DEFAULT, ziel->name,
                                     QFile::encodeName(datei.fileName()).constData(),
                                     auftrag.toUtf8().constData(), anzahl, liste);
    cups->FreeOptions(anzahl, liste);
    if (job == 0)
        throw Druckfehler(QStringLiteral("Der Drucker „%1“ hat den Druckauftrag abgelehnt: %2")
                              .arg(warteschlange, QString::fromUtf8(cups->LastErrorString())));
}

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

QString DruckerWarteschlange()
{
    return wahl().warteschlange;
}

void WarteschlangeSetzen(const QString& name)
{
    wahl().warteschlange = name;
}

QString PdfOrdner()
{
    const QString& ordner = wahl().pdfOrdner;
    return !ordner.isEmpty() && QFileInfo(ordner).isDir() ? ordner : PlanOrdner();
}

void PdfOrdnerSetzen(const QString& ordner)
{
    wahl().pdfOrdner = ordner;
}

void DruckereinstellungenLaden(const QString& pfad)
{
    Druckerwahl& w = gespeicherteWahl();
    w.einstellungsPfad = pfad;
    if (pfad.isEmpty())
        return;
    const Druckereinstellung e = DruckereinstellungLesen(pfad);
    if (!e.pdfOrdner.isEmpty())
        w.pdfOrdner = e.pdfOrdner;
    if (!e.bestaetigt)
        return;
    w.gesetzt = true;
    w.warteschlange = e.drucker;
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto groesse = static_cast<QPageSize::PageSizeId>(id);
        if (QPageSize::key(groesse) == e.papier) {
            AktuellerDrucker().setPageSize(QPageSize(groesse));
            break;
        }
    }
}

void DruckereinstellungSichern()
{
    const Druckerwahl& w = wahl();
    if (w.einstellungsPfad.isEmpty())
        return;
    // Not kept, it holds for this session: nothing of the printout is lost.
    DruckerSchreiben(w.einstellungsPfad, w.warteschlange,
                     AktuellerDrucker().pageLayout().pageSize().key());
    if (w.warteschlange.isEmpty() && !w.pdfOrdner.isEmpty())
        PdfOrdnerSchreiben(w.einstellungsPfad, w.pdfOrdner);
}

void DateiwahlSetzen(Dateiwahl neu)
{
    wahl().dateiwahl = std::move(neu);
}

void DruckmeldungSetzen(std::function<void(const QString&)> melden)
{
    druckmeldung() = std::move(melden);
}

std::vector<std::pair<QByteArray, QByteArray>>
Druckoptionen(const std::vector<std::pair<QByteArray, QByteArray>>& gespeichert,
              const QPageLayout& seite)
{
    std::vector<std::pair<QByteArray, QByteArray>> optionen;
    for (const auto& option : gespeichert) {
        // Paper and orientation are the printout's; its pages and copies it counts itself.
        static const QByteArrayList eigene{
            "media", "PageSize", "landscape", "orientation-requested", "copies", "page-ranges"};
        if (!eigene.contains(option.first))
            optionen.push_back(option);
    }
    optionen.emplace_back("media", seite.pageSize().key().toUtf8());
    if (seite.orientation() == QPageLayout::Landscape)
        optionen.emplace_back("landscape", QByteArray());
    return optionen;
}

Druckergebnis Drucken(QWidget* eltern, const Ausdruck& ausdruck,
                      const std::function<void(QPainter&, const Druckseite&, int seite)>& zeichnen)
{
    if (ausdruck.seiten <= 0)
        return Druckergebnis::Gedruckt;
    const QPrinter& drucker = AktuellerDrucker();
    const QString warteschlange = DruckerWarteschlange();
    const bool inDatei = warteschlange.isEmpty();
    QString datei;
    if (inDatei) {
        const QString vorschlag = QDir(PdfOrdner()).filePath(Dateiname(ausdruck));
        datei = wahl().dateiwahl ? wahl().dateiwahl(eltern, vorschlag)
                                 : DateiImDialog(eltern, vorschlag);
        if (datei.isEmpty())
            return Druckergebnis::Abgebrochen;
        datei = QFileInfo(datei).absoluteFilePath();
        if (QFileInfo(datei).isFile() &&
            Meldung(
                eltern, MeldungsArt::Bestaetigung,
                QStringLiteral("Die Datei „%1“ ist bereits vorhanden.\nMöchten Sie sie ersetzen?")
                    .arg(QDir::toNativeSeparators(datei)),
                Ja | Nein) != Ja)
            return Druckergebnis::Abgebrochen;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto cursorZurueck = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    QString text;
    try {
        if (inDatei) {
            InDateiDrucken(drucker, datei, ausdruck, zeichnen);
            // The next printout proposes this folder, also after the next start.
            PdfOrdnerSetzen(QFileInfo(datei).absolutePath());
            if (!wahl().einstellungsPfad.isEmpty())
                PdfOrdnerSchreiben(wahl().einstellungsPfad, PdfOrdner());
            Melden(QStringLiteral("%1, %2, in die Datei „%3“ gedruckt.")
                       .arg(ausdruck.name, Seitenzahl(ausdruck.seiten),
                            QDir::toNativeSeparators(datei)));
        } else {
            for (int seite = 0; seite < ausdruck.seiten; ++seite)
                SeiteEinreihen(drucker, warteschlange, ausdruck, seite, zeichnen);
            Melden(QStringLiteral("%1, %2, an den Drucker „%3“ gesandt.")
                       .arg(ausdruck.name, Seitenzahl(ausdruck.seiten), warteschlange));
        }
        return Druckergebnis::Gedruckt;
    } catch (const Druckfehler& f) {
        text = f.text();
    } catch (const std::exception& f) {
        text = QString::fromLocal8Bit(f.what());
    }
    // The boxes get the normal cursor.
    cursorZurueck.dismiss();
    QApplication::restoreOverrideCursor();
    Meldung(eltern, MeldungsArt::Warnung, DruckfehlerText, Abbrechen);
    FehlerBericht(eltern, text);
    return Druckergebnis::Gescheitert;
}
