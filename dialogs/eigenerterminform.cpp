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

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

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

constexpr int NeuBeginn = 17; // "08:30"
constexpr int NeuDauer = 16;  // "08h30"

} // namespace

TEigenerTerminForm::TEigenerTerminForm(PlanFenster* kalender, QWidget* eltern)
    : TAufgabenDialog(kalender, eltern, QStringLiteral("EigenerTerminForm"))
{
    Label4 = Beschriftung(this, "Label4", QStringLiteral("Neue Aufgabe"), QPoint(102, 65));
    Label4->setFont(ArialPunkt(24, true));
    Label4->setStyleSheet(Farben::Ueberschrift());
    Label4->adjustSize();
    Label1 = Beschriftung(this, "Label1", QStringLiteral("was sonst noch zu tun ist..."),
                          QPoint(288, 97));
    QFont unterzeile = Dialogschrift();
    unterzeile.setPointSize(11);
    Label1->setFont(unterzeile);
    Label1->adjustSize();

    const QLabel* bezeichnung =
        Beschriftung(this, "Label10", QStringLiteral("Bezeichnung"), QPoint(104, 140));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(int(Plangrenzen::Titel));
    // Wide enough for the whole prompt, and a little off the label's text.
    Edit1->setGeometry(std::max(176, bezeichnung->geometry().right() + 6), 138, 276, 21);

    TerminfelderAnlegen({186, 211, 238}, 184, QColor(254, 207, 93));
    NotizfeldAnlegen(QStringLiteral("Beschreibung:"), QRect(104, 291, 340, 145));
    Memo1->installEventFilter(this);

    KnoepfeAnlegen(347, Artwork::EigenerTermin::Abbrechen, Artwork::EigenerTermin::Loeschen,
                   Artwork::EigenerTermin::Uebernehmen);
    DruckenButton = Bildknopf(this, "DruckenButton", Artwork::EigenerTermin::Drucken, 419);

    setTabOrder(Edit1, DateEdit1);
    setTabOrder(DateEdit1, BeginnBox);
    setTabOrder(BeginnBox, DauerBox);
    setTabOrder(DauerBox, Memo1);

    connect(Edit1, &QLineEdit::textChanged, this, &TEigenerTerminForm::Edit1Change);
    connect(DruckenButton, &TQvImageButton::OnClick, this, &TEigenerTerminForm::DruckenButtonClick);
}

TEigenerTerminForm::~TEigenerTerminForm() = default;

void TEigenerTerminForm::AufgabeAnzeigen(qint32 nummer, double tag)
{
    m_nummer = nummer;
    if (nummer == -1) {
        Edit1->setText(NamenVorgabe);
        setWindowTitle(NamenVorgabe);
        DateEdit1->setDate(std::floor(tag));
        BeginnBox->setCurrentIndex(NeuBeginn);
        DauerBox->setCurrentIndex(NeuDauer);
        Memo1->setPlainText(NotizVorgabeText);
        m_notizVorgabe = true;
        LoeschenButton->setEnabled(false);
        Uebernehmen->setEnabled(true);
    } else {
        const taufgabe* gefunden = m_kalender->plan().Aufgabe(nummer);
        const taufgabe leer;
        const taufgabe& a = gefunden ? *gefunden : leer;
        Edit1->setText(a.Kurzbezeichnung);
        setWindowTitle(a.Kurzbezeichnung);
        TerminZeigen(a);
        m_notizVorgabe = false;
        LoeschenButton->setEnabled(gefunden != nullptr);
        Uebernehmen->setEnabled(false);
    }
    Edit1->setCursorPosition(0);
    // Set now as well, so showing the dialog never hands the focus to the notes first.
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TEigenerTerminForm::FormShow()
{
    AufBildschirmMitte(this);
    Edit1->setFocus(Qt::OtherFocusReason);
    // All selected, so typing replaces the prompt, and shown from its start.
    Edit1->setSelection(int(Edit1->text().size()), -int(Edit1->text().size()));
}

bool TEigenerTerminForm::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == Memo1 && ereignis->type() == QEvent::FocusIn)
        Memo1Enter();
    return QDialog::eventFilter(objekt, ereignis);
}

void TEigenerTerminForm::Edit1Change()
{
    setWindowTitle(Edit1->text());
    AenderungMelden();
}

void TEigenerTerminForm::Memo1Enter()
{
    if (!m_notizVorgabe)
        return;
    m_notizVorgabe = false;
    Memo1->clear();
}

QStringList TEigenerTerminForm::Notizen() const
{
    QStringList zeilen = NotizZeilen(Memo1->toPlainText());
    if (zeilen == QStringList{NotizVorgabeText})
        zeilen.clear();
    return zeilen;
}

bool TEigenerTerminForm::TerminGeaendert() const
{
    const taufgabe* a = m_nummer == -1 ? nullptr : m_kalender->plan().Aufgabe(m_nummer);
    return !a || std::trunc(a->Tag) != DateEdit1->Date() ||
           a->Start != BeginnBox->currentIndex() + 1 || a->Dauer != DauerBox->currentIndex();
}

void TEigenerTerminForm::UebernehmenClick()
{
    if (!TerminPruefen())
        return;
    const QStringList notiz = Notizen(); // the placeholder is never stored
    if (notiz.isEmpty() && !Memo1->toPlainText().isEmpty())
        Memo1->clear();

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
    a->Kurzbezeichnung = Edit1->text();
    TerminSchreiben(a, notiz);
}

void TEigenerTerminForm::Button1Click()
{
    reject();
}

void TEigenerTerminForm::Button2Click()
{
    if (Meldung(this, MeldungsArt::Bestaetigung, LoeschenFrage, OK | Abbrechen) == OK) {
        Plan& plan = m_kalender->plan();
        const int i = plan.AufgabeSuchen(m_nummer);
        if (i >= 0) {
            m_kalender->ZustandSichern();
            plan.Aufgaben.erase(plan.Aufgaben.begin() + i);
        }
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
        entwurf.Kurzbezeichnung = Edit1->text();
        entwurf.Tag = DateEdit1->Date();
        entwurf.Start = BeginnBox->currentIndex() + 1;
        entwurf.Dauer = DauerBox->currentIndex();
        entwurf.Notiz = Notizen();
        gespeichert = &entwurf;
    }
    const QStringList zeilen = Notizen().isEmpty() ? QStringList{} : Bildschirmzeilen(Memo1);
    AufgabeDrucken(this, *gespeichert, zeilen, DateEdit1->Date());
}
