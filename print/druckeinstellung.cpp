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
    const QStringList warteschlangen = QPrinterInfo::availablePrinterNames();
    for (const QString& name : warteschlangen)
        Druckerauswahl->addItem(name, name);
    // The queue in force also when the print service cannot be reached now.
    const QString inKraft = DruckerWarteschlange();
    if (!inKraft.isEmpty() && !warteschlangen.contains(inKraft))
        Druckerauswahl->addItem(QStringLiteral("%1 (nicht erreichbar)").arg(inKraft), inKraft);
    Druckerauswahl->addItem(PdfEintrag(), QString());

    Ordnerfeld = new QLineEdit(this);
    Ordnerfeld->setObjectName(QStringLiteral("Ordner"));
    Ordnerfeld->setMinimumWidth(280);
    Durchsuchen = new QPushButton(QStringLiteral("Durchsuchen …"), this);
    Durchsuchen->setObjectName(QStringLiteral("Durchsuchen"));
    Durchsuchen->setAutoDefault(false);
    auto* dateiZeile = new QHBoxLayout;
    dateiZeile->addWidget(Ordnerfeld, 1);
    dateiZeile->addWidget(Durchsuchen);

    Papierauswahl = new QComboBox(this);
    Papierauswahl->setObjectName(QStringLiteral("Papierauswahl"));

    auto* formular = new QFormLayout;
    formular->addRow(QStringLiteral("&Drucker:"), Druckerauswahl);
    m_dateiLabel = new QLabel(QStringLiteral("&Ordner:"), this);
    m_dateiLabel->setBuddy(Ordnerfeld);
    formular->addRow(m_dateiLabel, dateiZeile);
    formular->addRow(QStringLiteral("&Papier:"), Papierauswahl);

    auto* hinweis = new QLabel(
        QStringLiteral(
            "Hoch- oder Querformat, Seiten und Exemplare bestimmt jeder Ausdruck selbst, "
            "ebenso den Namen seiner PDF-Datei."),
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
    int eintrag = Druckerauswahl->count() - 1;
    if (!inKraft.isEmpty())
        eintrag = std::max(Druckerauswahl->findData(inKraft), 0);
    Ordnerfeld->setText(QDir::toNativeSeparators(PdfOrdner()));
    Druckerauswahl->setCurrentIndex(eintrag);
    DruckerGewaehlt();

    connect(Druckerauswahl, &QComboBox::currentIndexChanged, this,
            &TDruckeinstellung::DruckerGewaehlt);
    connect(Durchsuchen, &QPushButton::clicked, this, &TDruckeinstellung::OrdnerWaehlen);
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
    Ordnerfeld->setEnabled(pdf);
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

void TDruckeinstellung::OrdnerWaehlen()
{
    const QString ordner = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Ordner für PDF-Dateien wählen"), Ordnerfeld->text());
    if (!ordner.isEmpty())
        Ordnerfeld->setText(QDir::toNativeSeparators(ordner));
}

void TDruckeinstellung::accept()
{
    QString ordner;
    if (PdfGewaehlt()) {
        ordner = QDir::fromNativeSeparators(Ordnerfeld->text().trimmed());
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
    WarteschlangeSetzen(Druckerauswahl->currentData().toString());
    AktuellerDrucker().setPageSize(Papierauswahl->currentData().value<QPageSize>());
    DruckereinstellungSichern();
    QDialog::accept();
}

bool DruckerEinrichten(QWidget* eltern)
{
    TDruckeinstellung dialog(eltern);
    return dialog.exec() == QDialog::Accepted;
}
