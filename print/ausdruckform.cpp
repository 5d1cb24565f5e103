#include "print/ausdruckform.h"

#include "print/druckeinstellung.h"
#include "print/drucker.h"
#include "print/kalenderdruck.h"
#include "widgets/meldung.h"
#include "widgets/planfenster.h"
#include "widgets/schrift.h"

#include <QLabel>
#include <QPushButton>

TAusdruckForm::TAusdruckForm(PlanFenster* fenster, QWidget* eltern)
    : QDialog(eltern ? eltern : (fenster ? fenster->Fenster() : nullptr)), m_fenster(fenster)
{
    setObjectName(QStringLiteral("AusdruckForm"));
    setWindowTitle(QStringLiteral("Umzugskalender drucken"));
    setFixedSize(364, 155);

    auto* titel = new QLabel(QStringLiteral("Ausdruck Ihres Umzugskalenders"), this);
    titel->setObjectName(QStringLiteral("Label4"));
    titel->setFont(ArialPixel(16));
    titel->setGeometry(24, 32, 316, 24);

    auto knopf = [this](const char* name, const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setGeometry(x, 155 - 25 - 24, 100, 25);
        return b;
    };
    Button3 = knopf("Button3", QStringLiteral("Drucken"), 20);
    Button2 = knopf("Button2", QStringLiteral("Druckeinstellung"), 132);
    Button1 = knopf("Button1", QStringLiteral("Abbrechen"), 244);
    Button3->setDefault(true);
    setTabOrder(Button3, Button2);
    setTabOrder(Button2, Button1);

    connect(Button3, &QPushButton::clicked, this, &TAusdruckForm::Button4Click);
    connect(Button2, &QPushButton::clicked, this, &TAusdruckForm::Button5Click);
    connect(Button1, &QPushButton::clicked, this, &TAusdruckForm::Button3Click);
}

void TAusdruckForm::Button4Click()
{
    if (!m_fenster)
        return;
    const int seiten = Kalenderdruck::Seiten(static_cast<int>(m_fenster->TagDatenListe().size()));
    Ausdruck ausdruck;
    ausdruck.lage = QPageLayout::Landscape;
    ausdruck.name = QStringLiteral("Umzugskalender");
    ausdruck.seiten = seiten;
    ausdruck.auftragsname = [seiten](int seite) {
        return QStringLiteral("Umzugskalender, Seite %1 von %2").arg(seite).arg(seiten);
    };
    Drucken(this, ausdruck, [this](QPainter& p, const Druckseite& seite, int nummer) {
        // Read again for every page: the cells are the main window's, not copies.
        Kalenderdruck::SeiteZeichnen(p, Kalenderdruck::Mass(seite.dpi, seite.groesse),
                                     m_fenster->TagDatenListe(),
                                     nummer * Kalenderdruck::TageProSeite);
    });
}

void TAusdruckForm::Button5Click()
{
    DruckerEinrichten(this);
}

void TAusdruckForm::Button3Click()
{
    reject();
}
