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
    DatumFeld = Datumsfeld(this, "DateEdit1", QRect(168, feldOben, 96, 21), datumFarbe);
    BeginnBox =
        Auswahl(this, "BeginnBox", Zeiten::BeginnTexte(), QRect(168, feldOben + 24, 80, 21));
    DauerBox = Auswahl(this, "DauerBox", Zeiten::DauerTexte(), QRect(168, feldOben + 48, 80, 21));
    // Each field is named by its label, for the screen reader as for the eye.
    datum->setBuddy(DatumFeld);
    DatumFeld->Zeile()->setAccessibleName(datum->text());
    beginn->setBuddy(BeginnBox);
    dauer->setBuddy(DauerBox);

    connect(DatumFeld, &TDateEdit::Change, this, &TAufgabenDialog::TerminBearbeitet);
    // Only the user's choice is a change; the dialog's own selections are not.
    connect(BeginnBox, &QComboBox::activated, this, &TAufgabenDialog::BeginnBoxChange);
    connect(DauerBox, &QComboBox::activated, this, &TAufgabenDialog::DauerBoxChange);
}

void TAufgabenDialog::ErledigtfeldAnlegen(QPoint ort)
{
    ErledigtBox = new QCheckBox(QStringLiteral("&Erledigt"), this);
    ErledigtBox->setObjectName(QStringLiteral("ErledigtBox"));
    ErledigtBox->move(ort);
    ErledigtBox->adjustSize();
    connect(ErledigtBox, &QCheckBox::toggled, this, &TAufgabenDialog::AenderungMelden);
}

void TAufgabenDialog::NotizfeldAnlegen(const QString& beschriftung, QRect lage)
{
    QLabel* name = Beschriftung(this, "Label5", beschriftung, lage.topLeft() - QPoint(0, 14));
    NotizFeld = new QPlainTextEdit(this);
    NotizFeld->setObjectName(QStringLiteral("Memo1"));
    name->setBuddy(NotizFeld);
    NotizFeld->setAccessibleName(QString(beschriftung).remove(QLatin1Char(':')));
    // Tab moves on, as in every form; the notes need no tab characters.
    NotizFeld->setTabChangesFocus(true);
    NotizFeld->setFrameShape(QFrame::NoFrame);
    NotizFeld->setGeometry(lage);
    Hellgelb(NotizFeld);
    Hellgelb(NotizFeld->viewport());
    connect(NotizFeld, &QPlainTextEdit::textChanged, this, &TAufgabenDialog::AenderungMelden);
}

void TAufgabenDialog::KnoepfeAnlegen(int oben, QLatin1String abbrechen, QLatin1String loeschen,
                                     QLatin1String uebernehmen)
{
    AbbrechenButton = Bildknopf(this, "QvImageButton3", abbrechen, oben);
    LoeschenButton = Bildknopf(this, "LoeschenButton", loeschen, oben + 24);
    Uebernehmen = Bildknopf(this, "Uebernehmen", uebernehmen, oben + 48);
    connect(AbbrechenButton, &TQvImageButton::OnClick, this, &TAufgabenDialog::AbbrechenClick);
    connect(LoeschenButton, &TQvImageButton::OnClick, this, &TAufgabenDialog::LoeschenClick);
    connect(Uebernehmen, &TQvImageButton::OnClick, this, &TAufgabenDialog::UebernehmenClick);
}

void TAufgabenDialog::AenderungMelden()
{
    m_bearbeitet = true;
    Uebernehmen->setEnabled(true);
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
    DatumFeld->setDate(a.Tag);
    const int b = BeginnIndex(a.Start);
    BeginnBox->setCurrentIndex(b);
    DauerBox->setCurrentIndex(DauerIndex(b, a.Dauer));
    ErledigtBox->setChecked(a.Erledigt);
    NotizFeld->setPlainText(NotizText(a.Notiz));
}

void TAufgabenDialog::BeginnBoxChange()
{
    DauerBox->setCurrentIndex(DauerNachBeginn(BeginnBox->currentIndex(), DauerBox->currentIndex()));
    TerminBearbeitet();
}

void TAufgabenDialog::DauerBoxChange()
{
    BeginnBox->setCurrentIndex(
        BeginnNachDauer(BeginnBox->currentIndex(), DauerBox->currentIndex()));
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
    const double tag = DatumFeld->Date();
    if (!InnerhalbEinesJahres(m_kalender->ErsterTag(), m_kalender->LetzterTag(), tag)) {
        Meldung(this, MeldungsArt::Bestaetigung, EinJahrText, OK);
        return false;
    }
    const int beginn = BeginnBox->currentIndex();
    return !(
        TerminGeaendert() && AusserhalbDerKalenderjahre(tag, beginn, DauerBox->currentIndex()) &&
        Meldung(this, MeldungsArt::Warnung, KalenderjahrFrage(tag, beginn), OK | Abbrechen) != OK);
}

void TAufgabenDialog::TerminSchreiben(taufgabe* a, const QStringList& notiz)
{
    const double tag = DatumFeld->Date();
    a->Tag = tag;
    a->Start = BeginnBox->currentIndex() + 1;
    a->Dauer = DauerBox->currentIndex();
    a->Erledigt = ErledigtBox->isChecked();
    a->Notiz = notiz;
    if (tag < m_kalender->ErsterTag() || tag > m_kalender->LetzterTag())
        m_kalender->KalenderNeuAufbauen();
    m_kalender->KalenderAktualisieren();
    accept();
}
