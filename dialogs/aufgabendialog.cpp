#include "dialogs/aufgabendialog.h"

#include "dialogs/terminregeln.h"
#include "model/zeiten.h"
#include "widgets/datumsfeld.h"
#include "widgets/dialograhmen.h"
#include "widgets/meldung.h"
#include "widgets/planfenster.h"
#include "widgets/qvimagebutton.h"
#include "widgets/schrift.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QShowEvent>

using namespace Terminregeln;
using namespace Dialograhmen;

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
    Beschriftung(this, "Label7", QStringLiteral("Datum"), QPoint(104, beschriftungOben[0]));
    Beschriftung(this, "Label8", QStringLiteral("Beginn"), QPoint(104, beschriftungOben[1]));
    Beschriftung(this, "Label9", QStringLiteral("Dauer"), QPoint(104, beschriftungOben[2]));
    // Wider than 80 pixels, so the whole "dd.mm.yyyy" shows beside the calendar button.
    DateEdit1 = Datumsfeld(this, "DateEdit1", QRect(168, feldOben, 96, 21), datumFarbe);
    BeginnBox =
        Auswahl(this, "BeginnBox", Zeiten::BeginnTexte(), QRect(168, feldOben + 24, 80, 21));
    DauerBox = Auswahl(this, "DauerBox", Zeiten::DauerTexte(), QRect(168, feldOben + 48, 80, 21));

    connect(DateEdit1, &TDateEdit::Change, this, &TAufgabenDialog::TerminBearbeitet);
    // Only the user's choice is a change; the dialog's own selections are not.
    connect(BeginnBox, &QComboBox::activated, this, &TAufgabenDialog::BeginnBoxChange);
    connect(DauerBox, &QComboBox::activated, this, &TAufgabenDialog::DauerBoxChange);
}

void TAufgabenDialog::NotizfeldAnlegen(const QString& beschriftung, QRect lage)
{
    Beschriftung(this, "Label5", beschriftung, lage.topLeft() - QPoint(0, 14));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setGeometry(lage);
    Hellgelb(Memo1);
    Hellgelb(Memo1->viewport());
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TAufgabenDialog::AenderungMelden);
}

void TAufgabenDialog::KnoepfeAnlegen(int oben, QLatin1String abbrechen, QLatin1String loeschen,
                                     QLatin1String uebernehmen)
{
    QvImageButton3 = Bildknopf(this, "QvImageButton3", abbrechen, oben);
    LoeschenButton = Bildknopf(this, "LoeschenButton", loeschen, oben + 24);
    Uebernehmen = Bildknopf(this, "Uebernehmen", uebernehmen, oben + 48);
    connect(QvImageButton3, &TQvImageButton::OnClick, this, &TAufgabenDialog::Button1Click);
    connect(LoeschenButton, &TQvImageButton::OnClick, this, &TAufgabenDialog::Button2Click);
    connect(Uebernehmen, &TQvImageButton::OnClick, this, &TAufgabenDialog::UebernehmenClick);
}

void TAufgabenDialog::AenderungMelden()
{
    Uebernehmen->setEnabled(true);
}

void TAufgabenDialog::TerminBearbeitet()
{
    AenderungMelden();
}

void TAufgabenDialog::TerminZeigen(const taufgabe& a)
{
    DateEdit1->setDate(a.Tag);
    const int b = BeginnIndex(a.Start);
    BeginnBox->setCurrentIndex(b);
    DauerBox->setCurrentIndex(DauerIndex(b, a.Dauer));
    Memo1->setPlainText(NotizText(a.Notiz));
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
    if (!ereignis->spontaneous())
        FormShow();
}

bool TAufgabenDialog::TerminPruefen()
{
    const double tag = DateEdit1->Date();
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
    const double tag = DateEdit1->Date();
    a->Tag = tag;
    a->Start = BeginnBox->currentIndex() + 1;
    a->Dauer = DauerBox->currentIndex();
    a->Notiz = notiz;
    if (tag < m_kalender->ErsterTag() || tag > m_kalender->LetzterTag())
        m_kalender->KalenderNeuAufbauen();
    m_kalender->KalenderAktualisieren();
    accept();
}
