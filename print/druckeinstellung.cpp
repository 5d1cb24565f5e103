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

    Druckerauswahl = new QComboBox(this);
    Druckerauswahl->setObjectName(QStringLiteral("Druckerauswahl"));
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        Druckerauswahl->addItem(name, name);
    Druckerauswahl->addItem(PdfEintrag(), QString());

    Dateiname = new QLineEdit(this);
    Dateiname->setObjectName(QStringLiteral("Dateiname"));
    Dateiname->setMinimumWidth(280);
    Durchsuchen = new QPushButton(QStringLiteral("Durchsuchen …"), this);
    Durchsuchen->setObjectName(QStringLiteral("Durchsuchen"));
    Durchsuchen->setAutoDefault(false);
    auto* dateiZeile = new QHBoxLayout;
    dateiZeile->addWidget(Dateiname, 1);
    dateiZeile->addWidget(Durchsuchen);

    Papierauswahl = new QComboBox(this);
    Papierauswahl->setObjectName(QStringLiteral("Papierauswahl"));

    auto* formular = new QFormLayout;
    formular->addRow(QStringLiteral("&Drucker:"), Druckerauswahl);
    m_dateiLabel = new QLabel(QStringLiteral("Da&tei:"), this);
    m_dateiLabel->setBuddy(Dateiname);
    formular->addRow(m_dateiLabel, dateiZeile);
    formular->addRow(QStringLiteral("&Papier:"), Papierauswahl);

    auto* hinweis = new QLabel(
        QStringLiteral(
            "Hoch- oder Querformat, Seiten und Exemplare bestimmt jeder Ausdruck selbst."),
        this);
    hinweis->setObjectName(QStringLiteral("Hinweis"));
    hinweis->setWordWrap(true);

    auto* knoepfe = new QDialogButtonBox(this);
    Uebernehmen = knoepfe->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::AcceptRole);
    Uebernehmen->setObjectName(QStringLiteral("knopf_uebernehmen"));
    Uebernehmen->setDefault(true);
    Abbrechen = knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    Abbrechen->setObjectName(QStringLiteral("knopf_abbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TDruckeinstellung::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &TDruckeinstellung::reject);

    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(formular);
    spalte->addWidget(hinweis);
    spalte->addStretch(1);
    spalte->addWidget(knoepfe);

    // The setting in force.
    const QPrinter& drucker = AktuellerDrucker();
    int eintrag = Druckerauswahl->count() - 1;
    if (drucker.outputFormat() == QPrinter::NativeFormat) {
        const int queue = Druckerauswahl->findData(drucker.printerName());
        if (queue >= 0)
            eintrag = queue;
    }
    QString datei = drucker.outputFileName();
    if (datei.isEmpty())
        datei = QDir(PlanOrdner()).filePath(QStringLiteral("Kistenlotse.pdf"));
    Dateiname->setText(QDir::toNativeSeparators(datei));
    Druckerauswahl->setCurrentIndex(eintrag);
    DruckerGewaehlt();

    connect(Druckerauswahl, &QComboBox::currentIndexChanged, this,
            &TDruckeinstellung::DruckerGewaehlt);
    connect(Durchsuchen, &QPushButton::clicked, this, &TDruckeinstellung::DateiWaehlen);
}

QString TDruckeinstellung::PdfEintrag()
{
    return QStringLiteral("In PDF-Datei drucken");
}

bool TDruckeinstellung::PdfGewaehlt() const
{
    return Druckerauswahl->currentIndex() == Druckerauswahl->count() - 1;
}

void TDruckeinstellung::DruckerGewaehlt()
{
    const bool pdf = PdfGewaehlt();
    m_dateiLabel->setEnabled(pdf);
    Dateiname->setEnabled(pdf);
    Durchsuchen->setEnabled(pdf);

    // The paper list of the chosen printer, keeping the paper chosen before where it can.
    const QPageSize vorher = Papierauswahl->count() > 0
                                 ? Papierauswahl->currentData().value<QPageSize>()
                                 : AktuellerDrucker().pageLayout().pageSize();
    QList<QPageSize> papier = PdfPapier();
    QPageSize vorgabe(QPageSize::A4);
    if (!pdf) {
        const QPrinterInfo info =
            QPrinterInfo::printerInfo(Druckerauswahl->currentData().toString());
        if (!info.supportedPageSizes().isEmpty())
            papier = info.supportedPageSizes();
        if (info.defaultPageSize().isValid())
            vorgabe = info.defaultPageSize();
    }
    Papierauswahl->clear();
    int gewaehlt = -1;
    for (const QPageSize& p : papier) {
        Papierauswahl->addItem(p.name(), QVariant::fromValue(p));
        if (gewaehlt < 0 && p.isEquivalentTo(vorher))
            gewaehlt = Papierauswahl->count() - 1;
    }
    if (gewaehlt < 0)
        for (int i = 0; i < Papierauswahl->count() && gewaehlt < 0; ++i)
            if (Papierauswahl->itemData(i).value<QPageSize>().isEquivalentTo(vorgabe))
                gewaehlt = i;
    Papierauswahl->setCurrentIndex(std::max(gewaehlt, 0));
}

void TDruckeinstellung::DateiWaehlen()
{
    const QString datei = QFileDialog::getSaveFileName(
        this, QStringLiteral("PDF-Datei wählen"), Dateiname->text(),
        QStringLiteral("PDF-Dateien (*.pdf)"), nullptr,
        // Whether to replace an existing file is asked when a printout is made.
        QFileDialog::DontConfirmOverwrite);
    if (!datei.isEmpty())
        Dateiname->setText(QDir::toNativeSeparators(datei));
}

void TDruckeinstellung::accept()
{
    QString datei;
    if (PdfGewaehlt()) {
        datei = QDir::fromNativeSeparators(Dateiname->text().trimmed());
        if (datei.isEmpty()) {
            Meldung(this, MeldungsArt::Warnung,
                    QStringLiteral("Bitte geben Sie den Namen der PDF-Datei an."), OK);
            return;
        }
        // A bare name lies in the documents folder, not where the program was started.
        datei = QDir(PlanOrdner()).filePath(datei);
        QFileInfo info(datei);
        if (info.suffix().isEmpty())
            info.setFile(datei + QStringLiteral(".pdf"));
        if (!info.absoluteDir().exists()) {
            Meldung(this, MeldungsArt::Warnung,
                    QStringLiteral("Den Ordner „%1“ gibt es nicht.")
                        .arg(QDir::toNativeSeparators(info.absolutePath())),
                    OK);
            return;
        }
        datei = info.absoluteFilePath();
    }

    QPrinter& drucker = AktuellerDrucker();
    if (PdfGewaehlt()) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(datei);
    } else {
        drucker.setOutputFileName(QString());
        drucker.setOutputFormat(QPrinter::NativeFormat);
        drucker.setPrinterName(Druckerauswahl->currentData().toString());
    }
    drucker.setPageSize(Papierauswahl->currentData().value<QPageSize>());
    QDialog::accept();
}

bool DruckerEinrichten(QWidget* eltern)
{
    TDruckeinstellung dialog(eltern);
    return dialog.exec() == QDialog::Accepted;
}
