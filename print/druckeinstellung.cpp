#include "print/druckeinstellung.h"

#include "model/ordner.h"
#include "print/drucker.h"
#include "widgets/meldung.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Paper offered for a PDF file; a queue offers what its printer knows.
QList<QPageSize> PdfPapier()
{
    return {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5), QPageSize(QPageSize::A3),
            QPageSize(QPageSize::Letter), QPageSize(QPageSize::Legal)};
}

} // namespace

TDruckeinstellung::TDruckeinstellung(QWidget* eltern) : QDialog(eltern)
{
    setObjectName(QStringLiteral("PrinterSetupDialog1"));
    setWindowTitle(QStringLiteral("Druckeinstellung"));

    m_druckerauswahl = new QComboBox(this);
    m_druckerauswahl->setObjectName(QStringLiteral("Druckerauswahl"));
    const QStringList warteschlangen = QPrinterInfo::availablePrinterNames();
    for (const QString& name : warteschlangen)
        m_druckerauswahl->addItem(name, name);
    // The queue in force also when the print service cannot be reached now.
    const QString inKraft = DruckerWarteschlange();
    if (!inKraft.isEmpty() && !warteschlangen.contains(inKraft))
        m_druckerauswahl->addItem(QStringLiteral("%1 (nicht erreichbar)").arg(inKraft), inKraft);
    m_druckerauswahl->addItem(PdfEintrag(), QString());

    m_ordnerfeld = new QLineEdit(this);
    m_ordnerfeld->setObjectName(QStringLiteral("Ordner"));
    m_ordnerfeld->setMinimumWidth(280);
    m_durchsuchen = new QPushButton(QStringLiteral("Durchsuchen …"), this);
    m_durchsuchen->setObjectName(QStringLiteral("Durchsuchen"));
    m_durchsuchen->setAutoDefault(false);
    auto* dateiZeile = new QHBoxLayout;
    dateiZeile->addWidget(m_ordnerfeld, 1);
    dateiZeile->addWidget(m_durchsuchen);

    m_papierauswahl = new QComboBox(this);
    m_papierauswahl->setObjectName(QStringLiteral("Papierauswahl"));

    auto* formular = new QFormLayout;
    formular->addRow(QStringLiteral("&Drucker:"), m_druckerauswahl);
    m_dateiLabel = new QLabel(QStringLiteral("&Ordner:"), this);
    m_dateiLabel->setBuddy(m_ordnerfeld);
    formular->addRow(m_dateiLabel, dateiZeile);
    formular->addRow(QStringLiteral("&Papier:"), m_papierauswahl);

    auto* hinweis = new QLabel(
        QStringLiteral(
            "Hoch- oder Querformat, Seiten und Exemplare bestimmt jeder Ausdruck selbst, "
            "ebenso den Namen seiner PDF-Datei."),
        this);
    hinweis->setObjectName(QStringLiteral("Hinweis"));
    hinweis->setWordWrap(true);

    auto* knoepfe = new QDialogButtonBox(this);
    QPushButton* uebernehmen =
        knoepfe->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::AcceptRole);
    uebernehmen->setObjectName(QStringLiteral("knopf_uebernehmen"));
    uebernehmen->setDefault(true);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("knopf_abbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TDruckeinstellung::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &TDruckeinstellung::reject);

    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(formular);
    spalte->addWidget(hinweis);
    spalte->addStretch(1);
    spalte->addWidget(knoepfe);

    // The setting in force.
    int eintrag = m_druckerauswahl->count() - 1;
    if (!inKraft.isEmpty())
        eintrag = std::max(m_druckerauswahl->findData(inKraft), 0);
    m_ordnerfeld->setText(QDir::toNativeSeparators(PdfOrdner()));
    m_druckerauswahl->setCurrentIndex(eintrag);
    DruckerGewaehlt();

    connect(m_druckerauswahl, &QComboBox::currentIndexChanged, this,
            &TDruckeinstellung::DruckerGewaehlt);
    connect(m_durchsuchen, &QPushButton::clicked, this, &TDruckeinstellung::OrdnerWaehlen);
}

QString TDruckeinstellung::PdfEintrag()
{
    return QStringLiteral("In PDF-Datei drucken");
}

bool TDruckeinstellung::PdfGewaehlt() const
{
    return m_druckerauswahl->currentIndex() == m_druckerauswahl->count() - 1;
}

void TDruckeinstellung::DruckerGewaehlt()
{
    const bool pdf = PdfGewaehlt();
    m_dateiLabel->setEnabled(pdf);
    m_ordnerfeld->setEnabled(pdf);
    m_durchsuchen->setEnabled(pdf);

    // The paper list of the chosen printer, keeping the paper chosen before where it can.
    const QPageSize vorher = m_papierauswahl->count() > 0
                                 ? m_papierauswahl->currentData().value<QPageSize>()
                                 : AktuellerDrucker().pageLayout().pageSize();
    QList<QPageSize> papier = PdfPapier();
    QPageSize vorgabe(QPageSize::A4);
    if (!pdf) {
        const QPrinterInfo info =
            QPrinterInfo::printerInfo(m_druckerauswahl->currentData().toString());
        if (!info.supportedPageSizes().isEmpty())
            papier = info.supportedPageSizes();
        if (info.defaultPageSize().isValid())
            vorgabe = info.defaultPageSize();
    }
    m_papierauswahl->clear();
    int gewaehlt = -1;
    for (const QPageSize& p : papier) {
        m_papierauswahl->addItem(p.name(), QVariant::fromValue(p));
        if (gewaehlt < 0 && p.isEquivalentTo(vorher))
            gewaehlt = m_papierauswahl->count() - 1;
    }
    if (gewaehlt < 0)
        for (int i = 0; i < m_papierauswahl->count() && gewaehlt < 0; ++i)
            if (m_papierauswahl->itemData(i).value<QPageSize>().isEquivalentTo(vorgabe))
                gewaehlt = i;
    m_papierauswahl->setCurrentIndex(std::max(gewaehlt, 0));
}

void TDruckeinstellung::OrdnerWaehlen()
{
    const QString ordner = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Ordner für PDF-Dateien wählen"), m_ordnerfeld->text());
    if (!ordner.isEmpty())
        m_ordnerfeld->setText(QDir::toNativeSeparators(ordner));
}

void TDruckeinstellung::accept()
{
    QString ordner;
    if (PdfGewaehlt()) {
        ordner = QDir::fromNativeSeparators(m_ordnerfeld->text().trimmed());
        if (ordner.isEmpty()) {
            Meldung(this, MeldungsArt::Warnung,
                    QStringLiteral("Bitte geben Sie den Ordner für die PDF-Dateien an."), OK);
            return;
        }
        // A relative folder lies in the documents folder, not where the program was started.
        ordner = QDir(PlanOrdner()).filePath(ordner);
        if (!QFileInfo(ordner).isDir()) {
            Meldung(this, MeldungsArt::Warnung,
                    QStringLiteral("Den Ordner „%1“ gibt es nicht.")
                        .arg(QDir::toNativeSeparators(QFileInfo(ordner).absoluteFilePath())),
                    OK);
            return;
        }
        PdfOrdnerSetzen(QFileInfo(ordner).absoluteFilePath());
    }
    WarteschlangeSetzen(m_druckerauswahl->currentData().toString());
    AktuellerDrucker().setPageSize(m_papierauswahl->currentData().value<QPageSize>());
    DruckereinstellungSichern();
    QDialog::accept();
}

bool DruckerEinrichten(QWidget* eltern)
{
    TDruckeinstellung dialog(eltern);
    return dialog.exec() == QDialog::Accepted;
}
