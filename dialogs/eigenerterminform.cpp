#include "dialogs/eigenerterminform.h"

#include "dialogs/terminregeln.h"
#include "model/plandatei.h"
#include "print/aufgabedrucken.h"
#include "widgets/artwork.h"
#include "widgets/datumsfeld.h"
#include "widgets/dialograhmen.h"
#include "widgets/farben.h"
#include "widgets/fenstermitte.h"
#include "widgets/meldung.h"
#include "widgets/planfenster.h"
#include "widgets/qvimage.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

using namespace Terminregeln;
using namespace Dialograhmen;

const QString TEigenerTerminForm::NamenVorgabe =
    QStringLiteral("Geben Sie eine Bezeichnung für die Aufgabe ein");
const QString TEigenerTerminForm::NotizVorgabeText =
    QStringLiteral("Weitere Notizen zur Aufgabe...");
const QString TEigenerTerminForm::LoeschenFrage = QStringLiteral("Die Aufgabe wird gelöscht");

namespace {

constexpr int NeuBeginnIndex = 17; // "08:30"
constexpr int NeuDauerIndex = 16;  // "08h30"

} // namespace

TEigenerTerminForm::TEigenerTerminForm(PlanFenster* kalender, QWidget* eltern)
    : TAufgabenDialog(kalender, eltern, QStringLiteral("EigenerTerminForm"))
{
    Ueberschrift = Beschriftung(this, "Label4", QStringLiteral("Neue Aufgabe"), QPoint(102, 65));
    Ueberschrift->setFont(ArialPunkt(24, true));
    Ueberschrift->setStyleSheet(Farben::Ueberschrift());
    Ueberschrift->adjustSize();
    Unterzeile = Beschriftung(this, "Label1", QStringLiteral("was sonst noch zu tun ist..."),
                              QPoint(288, 97));
    QFont unterzeile = Dialogschrift();
    unterzeile.setPointSize(11);
    Unterzeile->setFont(unterzeile);
    Unterzeile->adjustSize();

    QLabel* bezeichnung =
        Beschriftung(this, "Label10", QStringLiteral("Bezeichnung"), QPoint(104, 140));
    BezeichnungsFeld = new QLineEdit(this);
    BezeichnungsFeld->setObjectName(QStringLiteral("Edit1"));
    BezeichnungsFeld->setMaxLength(int(Plangrenzen::Titel));
    bezeichnung->setBuddy(BezeichnungsFeld);
    // Wide enough for the whole prompt, and a little off the label's text.
    BezeichnungsFeld->setGeometry(std::max(176, bezeichnung->geometry().right() + 6), 138, 276, 21);

    TerminfelderAnlegen({186, 211, 238}, 184, QColor(254, 207, 93));
    ErledigtfeldAnlegen(QPoint(300, 185));
    NotizfeldAnlegen(QStringLiteral("Beschreibung:"), QRect(104, 291, 340, 145));
    NotizFeld->installEventFilter(this);

    KnoepfeAnlegen(347, Artwork::EigenerTermin::Abbrechen, Artwork::EigenerTermin::Loeschen,
                   Artwork::EigenerTermin::Uebernehmen);
    DruckenButton = Bildknopf(this, "DruckenButton", Artwork::EigenerTermin::Drucken, 419);

    setTabOrder(BezeichnungsFeld, DatumFeld);
    setTabOrder(DatumFeld, BeginnBox);
    setTabOrder(BeginnBox, DauerBox);
    setTabOrder(DauerBox, ErledigtBox);
    setTabOrder(ErledigtBox, NotizFeld);

    connect(BezeichnungsFeld, &QLineEdit::textChanged, this,
            &TEigenerTerminForm::BezeichnungGeaendert);
    connect(DruckenButton, &TQvImageButton::OnClick, this, &TEigenerTerminForm::DruckenButtonClick);
}

TEigenerTerminForm::~TEigenerTerminForm() = default;

void TEigenerTerminForm::AufgabeAnzeigen(qint32 nummer, double tag)
{
    m_nummer = nummer;
    if (nummer == -1) {
        BezeichnungsFeld->setText(NamenVorgabe);
        setWindowTitle(NamenVorgabe);
        DatumFeld->setDate(std::floor(tag));
        BeginnBox->setCurrentIndex(NeuBeginnIndex);
        DauerBox->setCurrentIndex(NeuDauerIndex);
        NotizFeld->setPlainText(NotizVorgabeText);
        ErledigtBox->setChecked(false);
        m_notizVorgabe = true;
        LoeschenButton->setEnabled(false);
        Uebernehmen->setEnabled(true);
    } else {
        const taufgabe* gefunden = m_kalender->plan().Aufgabe(nummer);
        const taufgabe leer;
        const taufgabe& a = gefunden ? *gefunden : leer;
        BezeichnungsFeld->setText(a.Kurzbezeichnung);
        setWindowTitle(a.Kurzbezeichnung);
        TerminZeigen(a);
        m_notizVorgabe = false;
        LoeschenButton->setEnabled(gefunden != nullptr);
        Uebernehmen->setEnabled(false);
    }
    BearbeitungZuruecksetzen();
    BezeichnungsFeld->setCursorPosition(0);
    // Set now as well, so showing the dialog never hands the focus to the notes first.
    BezeichnungsFeld->setFocus(Qt::OtherFocusReason);
}

QWidget* TEigenerTerminForm::ErstesFeld() const
{
    return BezeichnungsFeld;
}

void TEigenerTerminForm::FormShow()
{
    AufBildschirmMitte(this);
    // All selected, so typing replaces the prompt, and shown from its start.
    BezeichnungsFeld->setSelection(int(BezeichnungsFeld->text().size()),
                                   -int(BezeichnungsFeld->text().size()));
}

bool TEigenerTerminForm::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == NotizFeld && ereignis->type() == QEvent::FocusIn)
        NotizFeldBetreten();
    return QDialog::eventFilter(objekt, ereignis);
}

void TEigenerTerminForm::BezeichnungGeaendert()
{
    setWindowTitle(BezeichnungsFeld->text());
    AenderungMelden();
}

void TEigenerTerminForm::NotizFeldBetreten()
{
    if (!m_notizVorgabe)
        return;
    m_notizVorgabe = false;
    // Only the placeholder goes: the notes stay empty, which is no edit.
    const QSignalBlocker still(NotizFeld);
    NotizFeld->clear();
}

QStringList TEigenerTerminForm::Notizen() const
{
    QStringList zeilen = NotizZeilen(NotizFeld->toPlainText());
    if (zeilen == QStringList{NotizVorgabeText})
        zeilen.clear();
    return zeilen;
}

bool TEigenerTerminForm::TerminGeaendert() const
{
    const taufgabe* a = m_nummer == -1 ? nullptr : m_kalender->plan().Aufgabe(m_nummer);
    return !a || std::trunc(a->Tag) != DatumFeld->Date() ||
           a->Start != BeginnBox->currentIndex() + 1 || a->Dauer != DauerBox->currentIndex();
}

void TEigenerTerminForm::UebernehmenClick()
{
    if (!TerminPruefen())
        return;
    const QStringList notiz = Notizen(); // the placeholder is never stored
    if (notiz.isEmpty() && !NotizFeld->toPlainText().isEmpty())
        NotizFeld->clear();

    Plan& plan = m_kalender->plan();
    if (m_nummer != -1 && !plan.Aufgabe(m_nummer)) {
        reject(); // the task went away meanwhile; nothing to change
        return;
    }
    m_kalender->ZustandSichern();
    taufgabe* a = nullptr;
    if (m_nummer == -1) {
        taufgabe neu;
        neu.Nummer = plan.NeueAufgabenNummer();
        neu.Benutzeraufgabe = true;
        plan.Aufgaben.push_back(neu);
        a = &plan.Aufgaben.back();
    } else {
        a = plan.Aufgabe(m_nummer);
    }
    a->Kurzbezeichnung = BezeichnungsFeld->text();
    TerminSchreiben(a, notiz);
}

void TEigenerTerminForm::AbbrechenClick()
{
    Verwerfen();
}

void TEigenerTerminForm::LoeschenClick()
{
    // "Abbrechen" keeps the dialog open with whatever the user typed.
    if (Meldung(this, MeldungsArt::Bestaetigung, LoeschenFrage, OK | Abbrechen) != OK)
        return;
    Plan& plan = m_kalender->plan();
    const int i = plan.AufgabeSuchen(m_nummer);
    if (i >= 0) {
        m_kalender->ZustandSichern();
        plan.Aufgaben.erase(plan.Aufgaben.begin() + i);
    }
    accept();
}

void TEigenerTerminForm::DruckenButtonClick()
{
    // Unapplied changes print as they stand in the dialog, without touching the plan.
    const taufgabe* gespeichert = m_kalender->plan().Aufgabe(m_nummer);
    taufgabe entwurf;
    if (Uebernehmen->isEnabled() || !gespeichert) {
        entwurf.Nummer = -1;
        entwurf.Kurzbezeichnung = BezeichnungsFeld->text();
        entwurf.Tag = DatumFeld->Date();
        entwurf.Start = BeginnBox->currentIndex() + 1;
        entwurf.Dauer = DauerBox->currentIndex();
        entwurf.Notiz = Notizen();
        gespeichert = &entwurf;
    }
    const QStringList zeilen = Notizen().isEmpty() ? QStringList{} : Bildschirmzeilen(NotizFeld);
    AufgabeDrucken(this, *gespeichert, zeilen, DatumFeld->Date());
}
