#include "dialogs/eigenerterminform.h"

#include "dialogs/terminregeln.h"
#include "model/plandatei.h"
#include "model/zeiten.h"
#include "print/aufgabedrucken.h"
#include "widgets/artwork.h"
#include "widgets/datumsfeld.h"
#include "widgets/dialograhmen.h"
#include "widgets/farben.h"
#include "widgets/fenstermitte.h"
#include "widgets/meldung.h"
#include "model/planfenster.h"
#include "widgets/qvimage.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShowEvent>

#include <algorithm>
#include <cmath>

using namespace Terminregeln;
using namespace Dialograhmen;

const QString TEigenerTerminForm::NamenVorgabe =
    QStringLiteral("Geben Sie eine Bezeichnung für die Aufgabe ein");
const QString TEigenerTerminForm::NotizVorgabeText = QStringLiteral("Weitere Notizen zur Aufgabe...");
const QString TEigenerTerminForm::LoeschenFrage = QStringLiteral("Die Aufgabe wird gelöscht");

namespace {

constexpr int NeuBeginn = 17; // "08:30"
constexpr int NeuDauer = 16;  // "08h30"

} // namespace

TEigenerTerminForm::TEigenerTerminForm(PlanFenster* kalender, QWidget* eltern)
    : QDialog(eltern), m_kalender(kalender)
{
    setObjectName(QStringLiteral("EigenerTerminForm"));
    Dialograhmen::Einrichten(this, 262);
    setFont(Dialogschrift());

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

    Beschriftung(this, "Label7", QStringLiteral("Datum"), QPoint(104, 186));
    Beschriftung(this, "Label8", QStringLiteral("Beginn"), QPoint(104, 211));
    Beschriftung(this, "Label9", QStringLiteral("Dauer"), QPoint(104, 238));
    // Wider than 80 pixels, so the whole "dd.mm.yyyy" shows beside the calendar button.
    DateEdit1 = Datumsfeld(this, "DateEdit1", QRect(168, 184, 96, 21), QColor(254, 207, 93));
    BeginnBox = Auswahl(this, "BeginnBox", Zeiten::BeginnTexte(), QRect(168, 208, 80, 21));
    DauerBox = Auswahl(this, "DauerBox", Zeiten::DauerTexte(), QRect(168, 232, 80, 21));

    Beschriftung(this, "Label5", QStringLiteral("Beschreibung:"), QPoint(104, 277));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setGeometry(104, 291, 340, 145);
    QPalette gelb = Memo1->palette();
    gelb.setColor(QPalette::Base, Farben::Hellgelb);
    gelb.setColor(QPalette::Window, Farben::Hellgelb);
    Memo1->setPalette(gelb);
    Memo1->installEventFilter(this);

    QvImageButton3 = Bildknopf(this, "QvImageButton3", Artwork::EigenerTermin::Abbrechen, 347);
    LoeschenButton = Bildknopf(this, "LoeschenButton", Artwork::EigenerTermin::Loeschen, 371);
    Uebernehmen = Bildknopf(this, "Uebernehmen", Artwork::EigenerTermin::Uebernehmen, 395);
    DruckenButton = Bildknopf(this, "DruckenButton", Artwork::EigenerTermin::Drucken, 419);

    setTabOrder(Edit1, DateEdit1);
    setTabOrder(DateEdit1, BeginnBox);
    setTabOrder(BeginnBox, DauerBox);
    setTabOrder(DauerBox, Memo1);

    connect(Edit1, &QLineEdit::textChanged, this, &TEigenerTerminForm::Edit1Change);
    connect(DateEdit1, &TDateEdit::Change, this, &TEigenerTerminForm::AenderungMelden);
    // Only the user's choice is a change; the dialog's own selections are not.
    connect(BeginnBox, &QComboBox::activated, this, &TEigenerTerminForm::BeginnBoxChange);
    connect(DauerBox, &QComboBox::activated, this, &TEigenerTerminForm::DauerBoxChange);
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TEigenerTerminForm::AenderungMelden);
    connect(QvImageButton3, &TQvImageButton::OnClick, this, &TEigenerTerminForm::Button1Click);
    connect(LoeschenButton, &TQvImageButton::OnClick, this, &TEigenerTerminForm::Button2Click);
    connect(Uebernehmen, &TQvImageButton::OnClick, this, &TEigenerTerminForm::UebernehmenClick);
    connect(DruckenButton, &TQvImageButton::OnClick, this,
            &TEigenerTerminForm::DruckenButtonClick);
}

TEigenerTerminForm::~TEigenerTerminForm() = default;

void TEigenerTerminForm::AenderungMelden()
{
    Uebernehmen->setEnabled(true);
}

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
        DateEdit1->setDate(a.Tag);
        const int b = BeginnIndex(a.Start);
        BeginnBox->setCurrentIndex(b);
        DauerBox->setCurrentIndex(DauerIndex(b, a.Dauer));
        Memo1->setPlainText(NotizText(a.Notiz));
        m_notizVorgabe = false;
        LoeschenButton->setEnabled(gefunden != nullptr);
        Uebernehmen->setEnabled(false);
    }
    Edit1->setCursorPosition(0);
    // Set now as well, so showing the dialog never hands the focus to the notes first.
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TEigenerTerminForm::showEvent(QShowEvent* ereignis)
{
    QDialog::showEvent(ereignis);
    if (!ereignis->spontaneous())
        FormShow();
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

void TEigenerTerminForm::BeginnBoxChange()
{
    DauerBox->setCurrentIndex(DauerNachBeginn(BeginnBox->currentIndex(), DauerBox->currentIndex()));
    AenderungMelden();
}

void TEigenerTerminForm::DauerBoxChange()
{
    BeginnBox->setCurrentIndex(BeginnNachDauer(BeginnBox->currentIndex(), DauerBox->currentIndex()));
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

bool TEigenerTerminForm::TerminGeaendert(double tag, int beginn, int dauer) const
{
    const taufgabe* a = m_nummer == -1 ? nullptr : m_kalender->plan().Aufgabe(m_nummer);
    return !a || std::trunc(a->Tag) != tag || a->Start != beginn + 1 || a->Dauer != dauer;
}

void TEigenerTerminForm::UebernehmenClick()
{
    const double tag = DateEdit1->Date();
    const double erster = m_kalender->ErsterTag();
    const double letzter = m_kalender->LetzterTag();
    if (!InnerhalbEinesJahres(erster, letzter, tag)) {
        Meldung(this, MeldungsArt::Bestaetigung, EinJahrText, OK);
        return;
    }
    const int beginn = BeginnBox->currentIndex();
    const int dauer = DauerBox->currentIndex();
    if (TerminGeaendert(tag, beginn, dauer) && AusserhalbDerKalenderjahre(tag, beginn, dauer) &&
        Meldung(this, MeldungsArt::Warnung, KalenderjahrFrage(tag, beginn), OK | Abbrechen) != OK)
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
    a->Tag = tag;
    a->Start = beginn + 1;
    a->Dauer = dauer;
    a->Notiz = notiz;
    if (tag < erster || tag > letzter)
        m_kalender->KalenderNeuAufbauen();
    m_kalender->KalenderAktualisieren();
    accept();
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
