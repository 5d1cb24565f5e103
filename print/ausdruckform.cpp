#include "print/ausdruckform.h"

#include "model/kalendertexte.h"
#include "print/checkliste.h"
#include "print/druckeinstellung.h"
#include "print/drucker.h"
#include "print/kalenderdruck.h"
#include "widgets/meldung.h"
#include "widgets/planfenster.h"
#include "widgets/schrift.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

TAusdruckForm::TAusdruckForm(PlanFenster* fenster, QWidget* eltern)
    : QDialog(eltern ? eltern : (fenster ? fenster->Fenster() : nullptr)), m_fenster(fenster)
{
    setObjectName(QStringLiteral("AusdruckForm"));
    setWindowTitle(QStringLiteral("Umzugskalender drucken"));
    constexpr int hoehe = 185;
    setFixedSize(364, hoehe);

    auto* titel = new QLabel(QStringLiteral("Ausdruck Ihres Umzugskalenders"), this);
    titel->setObjectName(QStringLiteral("Label4"));
    titel->setFont(ArialPixel(16));
    titel->setGeometry(24, 32, 316, 24);

    KalenderWahl = new QRadioButton(QStringLiteral("Umzugs&kalender, zwei Wochen je Seite"), this);
    KalenderWahl->setObjectName(QStringLiteral("KalenderWahl"));
    KalenderWahl->setGeometry(24, 68, 316, 22);
    KalenderWahl->setChecked(true);
    ChecklisteWahl =
        new QRadioButton(QStringLiteral("&Checkliste aller Aufgaben zum Abhaken"), this);
    ChecklisteWahl->setObjectName(QStringLiteral("ChecklisteWahl"));
    ChecklisteWahl->setGeometry(24, 92, 316, 22);

    auto knopf = [this](const char* name, const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setGeometry(x, hoehe - 25 - 24, 100, 25);
        return b;
    };
    DruckenKnopf = knopf("Button3", QStringLiteral("Drucken"), 20);
    DruckeinstellungKnopf = knopf("Button2", QStringLiteral("Druckeinstellung"), 132);
    AbbrechenKnopf = knopf("Button1", QStringLiteral("Abbrechen"), 244);
    DruckenKnopf->setDefault(true);
    setTabOrder(KalenderWahl, ChecklisteWahl);
    setTabOrder(ChecklisteWahl, DruckenKnopf);
    setTabOrder(DruckenKnopf, DruckeinstellungKnopf);
    setTabOrder(DruckeinstellungKnopf, AbbrechenKnopf);

    connect(DruckenKnopf, &QPushButton::clicked, this, &TAusdruckForm::Drucken);
    connect(DruckeinstellungKnopf, &QPushButton::clicked, this,
            &TAusdruckForm::DruckeinstellungOeffnen);
    connect(AbbrechenKnopf, &QPushButton::clicked, this, &TAusdruckForm::reject);
}

void TAusdruckForm::KalenderDrucken()
{
    if (!m_fenster)
        return;
    const std::vector<const TagDaten*> tage = m_fenster->TagDatenListe();
    const std::vector<int> anfaenge = Kalenderdruck::Seitenanfaenge(tage);

    // Which tasks find no room is measured before printing, as on the printer's surface.
    const QPrinter& drucker = AktuellerDrucker();
    const int dpi = drucker.resolution();
    QImage geraet(1, 1, QImage::Format_RGB32);
    geraet.setDotsPerMeterX(qRound(dpi / 0.0254));
    geraet.setDotsPerMeterY(qRound(dpi / 0.0254));
    QPageLayout layout = drucker.pageLayout();
    layout.setOrientation(QPageLayout::Landscape);
    const auto mass = Kalenderdruck::Mass(dpi, layout.paintRectPixels(dpi).size());
    const std::vector<Kalenderdruck::Eintrag> liste =
        Kalenderdruck::OhneSeite(tage, anfaenge, m_fenster->plan().Aufgaben, mass, &geraet);
    const int proSeite =
        Kalenderdruck::ListenzeilenProSeite(mass, QFontMetrics(ArialPunkt(10), &geraet).height());
    const int kalenderseiten = static_cast<int>(anfaenge.size());
    const int seiten = kalenderseiten + static_cast<int>((liste.size() + proSeite - 1) / proSeite);

    Ausdruck ausdruck;
    ausdruck.lage = QPageLayout::Landscape;
    ausdruck.name = QStringLiteral("Umzugskalender");
    ausdruck.dateiname = QStringLiteral("Umzugskalender.pdf");
    ausdruck.seiten = seiten;
    ausdruck.auftragsname = [seiten](int seite) {
        return QStringLiteral("Umzugskalender, Seite %1 von %2").arg(seite).arg(seiten);
    };
    ::Drucken(this, ausdruck, [&](QPainter& p, const Druckseite& seite, int nummer) {
        const auto m = Kalenderdruck::Mass(seite.dpi, seite.groesse);
        const QString fuss = Kalendertexte::Seitenfuss(nummer + 1, seiten);
        if (nummer < kalenderseiten) {
            const int erster = anfaenge[static_cast<size_t>(nummer)];
            Kalenderdruck::Seitentexte texte = Kalenderdruck::Texte(tage, erster);
            texte.fuss = fuss;
            Kalenderdruck::SeiteZeichnen(p, m, tage, erster, texte);
        } else {
            const qsizetype von = static_cast<qsizetype>(nummer - kalenderseiten) * proSeite;
            Kalenderdruck::ListeZeichnen(p, m, liste, von, von + proSeite, fuss);
        }
    });
}

void TAusdruckForm::ChecklisteDrucken()
{
    if (m_fenster)
        ::ChecklisteDrucken(this, m_fenster->plan().Aufgaben, m_fenster->plan().situation);
}

void TAusdruckForm::Drucken()
{
    if (ChecklisteWahl->isChecked())
        ChecklisteDrucken();
    else
        KalenderDrucken();
}

void TAusdruckForm::DruckeinstellungOeffnen()
{
    DruckerEinrichten(this);
}
