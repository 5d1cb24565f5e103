#include "print/druckvorlagenform.h"

#include "model/ordner.h"
#include "print/druckeinstellung.h"
#include "print/drucker.h"
#include "print/gifpruefung.h"
#include "widgets/artwork.h"
#include "widgets/dialograhmen.h"
#include "widgets/farben.h"
#include "widgets/meldung.h"
#include "widgets/qvimage.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"
#include "widgets/zellenzeichnung.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>

// The previews live in a resource of this static library; it must be registered by hand.
static void VorschauenEinbinden()
{
    Q_INIT_RESOURCE(templates);
}

namespace Vorlagendruck {

const std::array<Druckvorlage, 6>& Vorlagen()
{
    static const std::array<Druckvorlage, 6> vorlagen{{
        {QStringLiteral("Postkarte \"Häuser\""), QStringLiteral("rueckseite.gif"),
         QStringLiteral("Haeuser_front.gif"), QPageLayout::Landscape,
         QStringLiteral(":/vorlagen/Haeuser.png")},
        {QStringLiteral("Postkarte \"Neue Anschrift\""), QStringLiteral("rueckseite.gif"),
         QStringLiteral("Neue_Anschrift_front.gif"), QPageLayout::Landscape,
         QStringLiteral(":/vorlagen/Neue_Anschrift.png")},
        {QStringLiteral("Postkarte \"Solitude\""), QStringLiteral("rueckseite.gif"),
         QStringLiteral("Solitude_front.gif"), QPageLayout::Landscape,
         QStringLiteral(":/vorlagen/Solitude.png")},
        {QStringLiteral("Postkarte \"Wir sind umgezogen\""), QStringLiteral("rueckseite.gif"),
         QStringLiteral("umgezogen_front.gif"), QPageLayout::Landscape,
         QStringLiteral(":/vorlagen/umgezogen.png")},
        {QStringLiteral("Protokoll: Wohnungsübernahme"),
         QStringLiteral("Uebernahme.gif"),
         {},
         QPageLayout::Portrait,
         {}},
        {QStringLiteral("Protokoll: Wohnungsübergabe"),
         QStringLiteral("Uebergabe.gif"),
         {},
         QPageLayout::Portrait,
         {}},
    }};
    return vorlagen;
}

QRect Rechteck(QSize bild, int dpi, QSize seite)
{
    const double s = static_cast<double>(dpi) / Vorlagenmass::Punktdichte;
    const int w = Zellenzeichnung::RundenGerade(bild.width() * s);
    const int h = Zellenzeichnung::RundenGerade(bild.height() * s);
    return QRect((seite.width() - w) / 2, (seite.height() - h) / 2, w, h);
}

QImage BildLesen(const QString& pfad)
{
    if (!QFileInfo(pfad).isFile())
        throw Druckfehler(QStringLiteral("Die Datei „%1“ wurde nicht gefunden.")
                              .arg(QDir::toNativeSeparators(pfad)));
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        throw Druckfehler(QStringLiteral("Die Datei „%1“ lässt sich nicht lesen: %2")
                              .arg(QDir::toNativeSeparators(pfad), datei.errorString()));
    const QByteArray daten = datei.readAll();
    // Qt decodes a cut-off GIF without complaint, the missing part black.
    if (daten.startsWith("GIF")) {
        const QString maengel = GifPruefung::Maengel(daten);
        if (!maengel.isEmpty())
            throw Druckfehler(QStringLiteral("Die Datei „%1“ lässt sich nicht lesen: %2")
                                  .arg(QDir::toNativeSeparators(pfad), maengel));
    }
    QBuffer puffer;
    puffer.setData(daten);
    QImageReader leser(&puffer);
    QImage bild = leser.read();
    if (bild.isNull())
        throw Druckfehler(QStringLiteral("Die Datei „%1“ lässt sich nicht lesen: %2")
                              .arg(QDir::toNativeSeparators(pfad), leser.errorString()));
    return bild;
}

QImage Vorlagenbild(const Druckvorlage& vorlage, const QString& ordner)
{
    const QDir dir(ordner);
    // Both files are read before anything is composed: a missing front stops the print too.
    const QImage hinten = BildLesen(dir.filePath(vorlage.bild));
    QImage vorne;
    if (!vorlage.vorderseite.isEmpty())
        vorne = BildLesen(dir.filePath(vorlage.vorderseite));

    QImage bild(hinten.size(), QImage::Format_RGB888);
    if (bild.isNull())
        throw Druckfehler(
            QStringLiteral("Für das Bild „%1“ ist nicht genug Speicher frei.").arg(vorlage.bild));
    bild.fill(Qt::white); // shows only where the pictures are transparent
    QPainter p(&bild);
    p.drawImage(QPoint(0, 0), hinten);
    if (!vorne.isNull())
        p.drawImage(Vorlagenmass::VorderseitePosition, vorne);
    p.end();
    return bild;
}

} // namespace Vorlagendruck

namespace {
using Dialograhmen::Hoehe;
using Dialograhmen::Spalte;
} // namespace

TDruckvorlagenForm::TDruckvorlagenForm(QWidget* eltern) : QDialog(eltern)
{
    VorschauenEinbinden();
    setObjectName(QStringLiteral("DruckvorlagenForm"));
    setWindowTitle(QStringLiteral("Durckvorlagen"));
    Dialograhmen::Einrichten(this);

    auto* titel = new QLabel(QStringLiteral("Vorlagen zum Ausdrucken"), this);
    titel->setObjectName(QStringLiteral("Label4"));
    titel->setFont(ArialPixel(32, true));
    titel->setStyleSheet(Farben::Ueberschrift());
    titel->setGeometry(94, 34, 410, 40); // below the logo band
    auto* untertitel = new QLabel(QStringLiteral("Mitteilungspostkarten, Musterprotokolle"), this);
    untertitel->setObjectName(QStringLiteral("StaticText1"));
    untertitel->setGeometry(96, 76, 360, 20);

    m_vorlagenwahl = new QGroupBox(this);
    m_vorlagenwahl->setObjectName(QStringLiteral("RadioGroup1"));
    m_vorlagenwahl->setGeometry(94, 106, 250, 180);
    m_gruppe = new QButtonGroup(this);
    const auto& vorlagen = Vorlagendruck::Vorlagen();
    for (int i = 0; i < static_cast<int>(vorlagen.size()); ++i) {
        auto* knopf = new QRadioButton(vorlagen.at(static_cast<size_t>(i)).eintrag, m_vorlagenwahl);
        knopf->setObjectName(QStringLiteral("Vorlage%1").arg(i));
        knopf->setGeometry(12, 12 + i * 26, 230, 22);
        m_gruppe->addButton(knopf, i);
    }
    m_gruppe->button(0)->setChecked(true);

    for (int i = 0; i < 4; ++i) {
        auto* vorschau = new QLabel(this);
        vorschau->setObjectName(QStringLiteral("Image%1").arg(i + 4));
        vorschau->setGeometry(380, 120, 64, 90);
        vorschau->setPixmap(
            QIcon(vorlagen.at(static_cast<size_t>(i)).vorschau).pixmap(QSize(64, 90)));
        m_vorschau.at(static_cast<size_t>(i)) = vorschau;
    }

    auto* exemplare = new QLabel(QStringLiteral("Exemplare"), this);
    exemplare->setObjectName(QStringLiteral("Label1"));
    exemplare->setGeometry(96, 304, 70, 22);
    m_exemplarauswahl = new QComboBox(this);
    m_exemplarauswahl->setObjectName(QStringLiteral("Exemplarauswahl"));
    m_exemplarauswahl->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                 QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("10")});
    m_exemplarauswahl->setGeometry(174, 304, 60, 22);
    exemplare->setBuddy(m_exemplarauswahl);

    auto knopf = [this](const char* name, QLatin1String streifen, int zeile) {
        auto* b = new TQvImageButton(QString(streifen), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(Spalte, Hoehe - 10 - (3 - zeile) * 24, 120, 24);
        return b;
    };
    m_fertigKnopf = knopf("AbbrechenButton", Artwork::Druckvorlagen::Fertig, 0);
    m_druckenKnopf = knopf("QvImageButton1", Artwork::Druckvorlagen::DruckStarten, 1);
    m_druckeinstellungKnopf = knopf("QvImageButton2", Artwork::Druckvorlagen::Druckeinstellung, 2);

    connect(m_gruppe, &QButtonGroup::idClicked, this, &TDruckvorlagenForm::VorlageGewaehlt);
    connect(m_fertigKnopf, &TQvImageButton::OnClick, this, &TDruckvorlagenForm::FertigClick);
    connect(m_druckenKnopf, &TQvImageButton::OnClick, this, &TDruckvorlagenForm::VorlageDrucken);
    connect(m_druckeinstellungKnopf, &TQvImageButton::OnClick, this,
            &TDruckvorlagenForm::DruckeinstellungOeffnen);

    VorlageGewaehlt();
}

int TDruckvorlagenForm::Vorlage() const
{
    return std::max(m_gruppe->checkedId(), 0);
}

void TDruckvorlagenForm::setVorlage(int position)
{
    if (QAbstractButton* knopf = m_gruppe->button(position)) {
        knopf->setChecked(true);
        VorlageGewaehlt();
    }
}

int TDruckvorlagenForm::Exemplare() const
{
    return m_exemplarauswahl->currentText().toInt();
}

void TDruckvorlagenForm::showEvent(QShowEvent* ereignis)
{
    FormShow();
    QDialog::showEvent(ereignis);
}

void TDruckvorlagenForm::FormShow()
{
    m_exemplarauswahl->setCurrentIndex(0);
}

void TDruckvorlagenForm::VorlageGewaehlt()
{
    const int gewaehlt = Vorlage();
    for (int i = 0; i < static_cast<int>(m_vorschau.size()); ++i)
        m_vorschau.at(static_cast<size_t>(i))->setVisible(i == gewaehlt);
}

void TDruckvorlagenForm::FertigClick()
{
    accept();
}

void TDruckvorlagenForm::VorlageDrucken()
{
    const Druckvorlage& vorlage = Vorlagendruck::Vorlagen().at(static_cast<size_t>(Vorlage()));
    const QString ordner = m_vorlagenOrdner.isEmpty()
                               ? QFileInfo(Datendatei(vorlage.bild)).absolutePath()
                               : m_vorlagenOrdner;
    QImage bild;
    try {
        bild = Vorlagendruck::Vorlagenbild(vorlage, ordner);
    } catch (const Druckfehler& f) {
        FehlerBericht(this, f.text());
        return;
    }
    const int exemplare = Exemplare();
    Ausdruck ausdruck;
    ausdruck.lage = vorlage.lage;
    ausdruck.name = vorlage.eintrag;
    // 'Postkarte "Häuser"' as "Postkarte Häuser.pdf", "Protokoll: …" without the colon.
    ausdruck.dateiname =
        QString(vorlage.eintrag).remove(QLatin1Char('"')).remove(QLatin1Char(':')).simplified() +
        QStringLiteral(".pdf");
    ausdruck.seiten = exemplare;
    if (exemplare > 1)
        ausdruck.auftragsname = [&](int nummer) {
            return QStringLiteral("%1, Exemplar %2 von %3")
                .arg(vorlage.eintrag)
                .arg(nummer)
                .arg(exemplare);
        };
    // Each copy is the picture once, centred at 150 dots per inch.
    Drucken(this, ausdruck, [&](QPainter& p, const Druckseite& seite, int) {
        p.drawImage(Vorlagendruck::Rechteck(bild.size(), seite.dpi, seite.groesse), bild);
    });
}

void TDruckvorlagenForm::DruckeinstellungOeffnen()
{
    DruckerEinrichten(this);
}
