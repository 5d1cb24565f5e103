#include "dialogs/aufgabendialog.h"

#include "dialogs/terminregeln.h"
#include "model/zeiten.h"
#include "widgets/datumsfeld.h"
#include "widgets/dialograhmen.h"
#include "widgets/meldung.h"
#include "widgets/planfenster.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShowEvent>

using namespace Terminregeln;
using namespace Dialograhmen;

const QString TAufgabenDialog::VerwerfenFrage = QStringLiteral("Die Änderungen werden verworfen");

TAufgabenDialog::TAufgabenDialog(PlanFenster* kalender, QWidget* eltern, const QString& name)
    : QDialog(eltern), m_kalender(kalender)
{
    setObjectName(name);
    Dialograhmen::Einrichten(this, 262);
    setFont(Dialogschrift());
}

TAufgabenDialog::~TAufgabenDialog() = default;

void TAufgabenDialog::TerminfelderAnlegen(const std::array<int, 3>& beschriftungOben, int feldOben,
                                          const QColor& datumFarbe)
{
    QLabel* datum =
        Beschriftung(this, "Label7", QStringLiteral("Datum"), QPoint(104, beschriftungOben[0]));
    QLabel* beginn =
        Beschriftung(this, "Label8", QStringLiteral("Beginn"), QPoint(104, beschriftungOben[1]));
    QLabel* dauer =
        Beschriftung(this, "Label9", QStringLiteral("Dauer"), QPoint(104, beschriftungOben[2]));
    // Wider than 80 pixels, so the whole "dd.mm.yyyy" shows beside the calendar button.
    m_datumFeld = Datumsfeld(this, "DateEdit1", QRect(168, feldOben, 96, 21), datumFarbe);
    m_beginnBox =
        Auswahl(this, "BeginnBox", Zeiten::BeginnTexte(), QRect(168, feldOben + 24, 80, 21));
    m_dauerBox = Auswahl(this, "DauerBox", Zeiten::DauerTexte(), QRect(168, feldOben + 48, 80, 21));
    // Each field is named by its label, for the screen reader as for the eye.
    datum->setBuddy(m_datumFeld);
    m_datumFeld->Zeile()->setAccessibleName(datum->text());
    beginn->setBuddy(m_beginnBox);
    dauer->setBuddy(m_dauerBox);

    connect(m_datumFeld, &TDateEdit::Change, this, &TAufgabenDialog::TerminBearbeitet);
    // Only the user's choice is a change; the dialog's own selections are not.
    connect(m_beginnBox, &QComboBox::activated, this, &TAufgabenDialog::BeginnBoxChange);
    connect(m_dauerBox, &QComboBox::activated, this, &TAufgabenDialog::DauerBoxChange);
}

void TAufgabenDialog::ErledigtfeldAnlegen(QPoint ort)
{
    m_erledigtBox = new QCheckBox(QStringLiteral("&Erledigt"), this);
    m_erledigtBox->setObjectName(QStringLiteral("ErledigtBox"));
    m_erledigtBox->move(ort);
    m_erledigtBox->adjustSize();
    connect(m_erledigtBox, &QCheckBox::toggled, this, &TAufgabenDialog::AenderungMelden);
}

void TAufgabenDialog::NotizfeldAnlegen(const QString& beschriftung, QRect lage)
{
    QLabel* name = Beschriftung(this, "Label5", beschriftung, lage.topLeft() - QPoint(0, 14));
    m_notizFeld = new QPlainTextEdit(this);
    m_notizFeld->setObjectName(QStringLiteral("Memo1"));
    name->setBuddy(m_notizFeld);
    m_notizFeld->setAccessibleName(QString(beschriftung).remove(QLatin1Char(':')));
    // Tab moves on, as in every form; the notes need no tab characters.
    m_notizFeld->setTabChangesFocus(true);
    m_notizFeld->setFrameShape(QFrame::NoFrame);
    m_notizFeld->setGeometry(lage);
    Hellgelb(m_notizFeld);
    Hellgelb(m_notizFeld->viewport());
    connect(m_notizFeld, &QPlainTextEdit::textChanged, this, &TAufgabenDialog::AenderungMelden);
}

void TAufgabenDialog::KnoepfeAnlegen(int oben, QLatin1String abbrechen, QLatin1String loeschen,
                                     QLatin1String uebernehmen)
{
    m_abbrechenButton = Bildknopf(this, "QvImageButton3", abbrechen, oben);
    m_loeschenButton = Bildknopf(this, "LoeschenButton", loeschen, oben + 24);
    m_uebernehmen = Bildknopf(this, "Uebernehmen", uebernehmen, oben + 48);
    connect(m_abbrechenButton, &TQvImageButton::OnClick, this, &TAufgabenDialog::AbbrechenClick);
    connect(m_loeschenButton, &TQvImageButton::OnClick, this, &TAufgabenDialog::LoeschenClick);
    connect(m_uebernehmen, &TQvImageButton::OnClick, this, &TAufgabenDialog::UebernehmenClick);
}

void TAufgabenDialog::AenderungMelden()
{
    m_bearbeitet = true;
    m_uebernehmen->setEnabled(true);
}

void TAufgabenDialog::Verwerfen()
{
    if (m_bearbeitet &&
        Meldung(this, MeldungsArt::Bestaetigung, VerwerfenFrage, OK | Abbrechen) != OK)
        return;
    reject();
}

void TAufgabenDialog::closeEvent(QCloseEvent* ereignis)
{
    // The window's close button is "Abbrechen", question included.
    if (isVisible())
        AbbrechenClick();
    ereignis->setAccepted(!isVisible());
}

void TAufgabenDialog::keyPressEvent(QKeyEvent* ereignis)
{
    // Escape is "Abbrechen", question included, not a silent close.
    if (ereignis->key() == Qt::Key_Escape && ereignis->modifiers() == Qt::NoModifier) {
        AbbrechenClick();
        return;
    }
    QDialog::keyPressEvent(ereignis);
}

void TAufgabenDialog::TerminBearbeitet()
{
    AenderungMelden();
}

void TAufgabenDialog::TerminZeigen(const taufgabe& a)
{
    m_datumFeld->setDate(a.Tag);
    const int b = BeginnIndex(a.Start);
    m_beginnBox->setCurrentIndex(b);
    m_dauerBox->setCurrentIndex(DauerIndex(b, a.Dauer));
    m_erledigtBox->setChecked(a.Erledigt);
    m_notizFeld->setPlainText(NotizText(a.Notiz));
}

void TAufgabenDialog::BeginnBoxChange()
{
    m_dauerBox->setCurrentIndex(
        DauerNachBeginn(m_beginnBox->currentIndex(), m_dauerBox->currentIndex()));
    TerminBearbeitet();
}

void TAufgabenDialog::DauerBoxChange()
{
    m_beginnBox->setCurrentIndex(
        BeginnNachDauer(m_beginnBox->currentIndex(), m_dauerBox->currentIndex()));
    TerminBearbeitet();
}

void TAufgabenDialog::showEvent(QShowEvent* ereignis)
{
    QDialog::showEvent(ereignis);
    if (!ereignis->spontaneous()) {
        ErstesFeld()->setFocus(Qt::OtherFocusReason);
        FormShow();
    }
}

bool TAufgabenDialog::TerminPruefen()
{
    const double tag = m_datumFeld->Date();
    if (!InnerhalbEinesJahres(m_kalender->ErsterTag(), m_kalender->LetzterTag(), tag)) {
        Meldung(this, MeldungsArt::Bestaetigung, EinJahrText, OK);
        return false;
    }
    const int beginn = m_beginnBox->currentIndex();
    return !(
        TerminGeaendert() && AusserhalbDerKalenderjahre(tag, beginn, m_dauerBox->currentIndex()) &&
        Meldung(this, MeldungsArt::Warnung, KalenderjahrFrage(tag, beginn), OK | Abbrechen) != OK);
}

void TAufgabenDialog::TerminSchreiben(taufgabe* a, const QStringList& notiz)
{
    const double tag = m_datumFeld->Date();
    a->Tag = tag;
    a->Start = m_beginnBox->currentIndex() + 1;
    a->Dauer = m_dauerBox->currentIndex();
    a->Erledigt = m_erledigtBox->isChecked();
    a->Notiz = notiz;
    if (tag < m_kalender->ErsterTag() || tag > m_kalender->LetzterTag())
        m_kalender->KalenderNeuAufbauen();
    m_kalender->KalenderAktualisieren();
    accept();
}
