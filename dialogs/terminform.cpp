#include "dialogs/terminform.h"

#include "dialogs/terminregeln.h"
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

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>

using namespace Terminregeln;
using namespace Dialograhmen;

const QString TTerminForm::VerwerfenFrage = QStringLiteral("Die Änderungen werden verworfen");
const QString TTerminForm::LoeschenFrage = QStringLiteral("Die Aufgabe wird gelöscht");
const QString TTerminForm::AbhaengigeFrage =
    QStringLiteral("Folgende Aufgaben bezeihen sich hierauf und werden\nebenfalls gelöscht:\n");

namespace {

constexpr int BeratungOben = 102;

// A borderless light-yellow scroll box whose content widget carries its labels.
QScrollArea* GelbeBox(QWidget* eltern, const char* name, QRect lage)
{
    auto* box = new QScrollArea(eltern);
    box->setObjectName(QString::fromLatin1(name));
    box->setFrameShape(QFrame::NoFrame);
    box->setGeometry(lage);
    box->setWidgetResizable(false);
    Hellgelb(box->viewport());
    auto* inhalt = new QWidget;
    inhalt->setObjectName(QString::fromLatin1(name) + QStringLiteral("Inhalt"));
    box->setWidget(inhalt); // the box owns it
    return box;
}

} // namespace

TTerminForm::TTerminForm(PlanFenster* kalender, QWidget* eltern)
    : TAufgabenDialog(kalender, eltern, QStringLiteral("TerminForm"))
{
    Bezeichnungslabel = new QLabel(this);
    Bezeichnungslabel->setObjectName(QStringLiteral("Bezeichnungslabel"));
    Bezeichnungslabel->setTextFormat(Qt::PlainText);
    Bezeichnungslabel->setStyleSheet(Farben::Ueberschrift());
    Bezeichnungslabel->move(UeberschriftLinks, 65);

    ScrollBox2 = GelbeBox(this, "ScrollBox2", QRect(104, BeratungOben, 340, 80));
    Label4 = new QLabel(ScrollBox2->widget());
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setTextFormat(Qt::PlainText);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LinkLabel = new QLabel(ScrollBox2->widget());
    LinkLabel->setObjectName(QStringLiteral("LinkLabel"));
    LinkLabel->setTextFormat(Qt::PlainText);
    LinkLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont unterstrichen = Label4->font();
    unterstrichen.setUnderline(true);
    LinkLabel->setFont(unterstrichen);
    // Opaque on the box's colour, so the advice text's own characters below do not show
    // around the link's.
    Hellgelb(LinkLabel);
    QPalette linkFarbe = LinkLabel->palette();
    linkFarbe.setColor(QPalette::WindowText, QColor(0, 0, 128));
    LinkLabel->setPalette(linkFarbe);
    LinkLabel->installEventFilter(this);
    LinkLabel->hide();

    TerminfelderAnlegen({192, 216, 240}, 190, Farben::Orange);
    NotizfeldAnlegen(QStringLiteral("Eigene Notizen:"), QRect(104, 280, 340, 81));

    Beschriftung(this, "Label6", QStringLiteral("Vorher erledigen:"), QPoint(104, 369));
    ScrollBox1 = GelbeBox(this, "ScrollBox1", QRect(104, 383, 340, 53));
    Aufgabenliste = new QLabel(ScrollBox1->widget());
    Aufgabenliste->setObjectName(QStringLiteral("Aufgabenliste"));
    Aufgabenliste->setTextFormat(Qt::PlainText);
    Aufgabenliste->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Aufgabenliste->move(2, 0);

    KnoepfeAnlegen(323, Artwork::Termin::Abbrechen, Artwork::Termin::Loeschen,
                   Artwork::Termin::Uebernehmen);
    QvImageButton1 = Bildknopf(this, "QvImageButton1", Artwork::Termin::Drucken, 395);
    DruckvorlagenButton =
        Bildknopf(this, "DruckvorlagenButton", Artwork::Termin::Druckvorlagen, 419);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(1200);

    setTabOrder(DateEdit1, BeginnBox);
    setTabOrder(BeginnBox, DauerBox);
    setTabOrder(DauerBox, Memo1);
    setTabOrder(Memo1, ScrollBox1);
    setTabOrder(ScrollBox1, ScrollBox2);

    connect(&Timer1, &QTimer::timeout, this, &TTerminForm::Timer1Timer);
    connect(QvImageButton1, &TQvImageButton::OnClick, this, &TTerminForm::QvImageButton1Click);
    connect(DruckvorlagenButton, &TQvImageButton::OnClick, this,
            &TTerminForm::DruckvorlagenButtonClick);

    Uebernehmen->setEnabled(false);
    DruckvorlagenButton->hide();
}

TTerminForm::~TTerminForm() = default;

taufgabe* TTerminForm::aktuelleAufgabe() const
{
    return m_kalender->plan().Aufgabe(m_nummer);
}

QString TTerminForm::AufgabenNamen(const QList<qint32>& nummern) const
{
    return Terminregeln::AufgabenNamen(m_kalender->plan().Aufgaben, nummern);
}

void TTerminForm::AufgabeAnzeigen(qint32 nummer)
{
    m_nummer = nummer;
    const taufgabe* gefunden = aktuelleAufgabe();
    const taufgabe leer;
    const taufgabe& a = gefunden ? *gefunden : leer;

    UeberschriftSetzen(a.Kurzbezeichnung);
    TerminZeigen(a);

    Aufgabenliste->setText(AufgabenNamen(a.vorher));
    Aufgabenliste->adjustSize();
    ScrollBox1->widget()->resize(Aufgabenliste->x() + Aufgabenliste->width(),
                                 Aufgabenliste->height());
    ScrollBox1->verticalScrollBar()->setValue(0);

    BeratungSetzen(a.Beschreibung);
    DruckvorlagenButton->setVisible(DruckvorlagenErwaehnt(a.Beschreibung));

    // Filling fires the fields' change events; none of that is the user's change.
    Uebernehmen->setEnabled(false);
    m_terminGeaendert = false;
    LoeschenButton->setEnabled(gefunden != nullptr);
    QvImageButton1->setEnabled(gefunden != nullptr);
}

void TTerminForm::UeberschriftSetzen(const QString& text)
{
    Bezeichnungslabel->setText(text);
    setWindowTitle(text);
    Bezeichnungslabel->setWordWrap(false);
    const int punkt = UeberschriftPunkte(UeberschriftRaum, [this](int p) {
        Bezeichnungslabel->setFont(ArialPunkt(p, true));
        Bezeichnungslabel->adjustSize();
        return Bezeichnungslabel->width();
    });
    Bezeichnungslabel->setFont(ArialPunkt(punkt, true));
    Bezeichnungslabel->adjustSize();
    if (Bezeichnungslabel->width() >= UeberschriftRaum) {
        // Too wide even at the smallest size: the heading goes on in a second line.
        Bezeichnungslabel->setWordWrap(true);
        const int breite = UeberschriftRaum - 1;
        Bezeichnungslabel->resize(breite, Bezeichnungslabel->heightForWidth(breite));
    }
    // The lower edge rests on the advice box.
    Bezeichnungslabel->move(UeberschriftLinks, BeratungOben - Bezeichnungslabel->height());
}

void TTerminForm::BeratungSetzen(const QStringList& zeilen)
{
    LinkLabel->clear();
    LinkLabel->move(0, 0);
    LinkLabel->hide();
    Label4->clear();
    ScrollBox2->verticalScrollBar()->setValue(0);
    ScrollBox2->horizontalScrollBar()->setValue(0);

    Label4->setText(zeilen.join(QLatin1Char('\n')));
    Label4->adjustSize();
    ScrollBox2->widget()->resize(Label4->size());

    const Link link = LinkSuchen(zeilen);
    m_linkAdresse = link.adresse;
    if (link.vorhanden()) {
        LinkLabel->setText(link.text);
        LinkLabel->setGeometry(LinkLage(zeilen, link, QFontMetrics(Label4->font())));
        LinkLabel->show();
    }
}

void TTerminForm::hideEvent(QHideEvent* ereignis)
{
    if (!ereignis->spontaneous())
        Timer1.stop();
    QDialog::hideEvent(ereignis);
}

void TTerminForm::FormShow()
{
    AufBildschirmMitte(this);
    // The link waits, so the click that opened the dialog cannot follow it by accident.
    Timer1.stop();
    Timer1.start();
    LinkLabel->setCursor(Qt::ArrowCursor);
    m_linkBereit = false;
}

void TTerminForm::Timer1Timer()
{
    m_linkBereit = true;
    LinkLabel->setCursor(Qt::PointingHandCursor);
}

void TTerminForm::LinkLabelClick()
{
    if (!m_linkBereit || !m_linkAdresse.isValid())
        return;
    QDesktopServices::openUrl(m_linkAdresse); // a link that cannot be opened says nothing
}

bool TTerminForm::eventFilter(QObject* objekt, QEvent* ereignis)
{
    // A click opens the link; a double click, whose first click already did, opens it once.
    if (objekt == LinkLabel && ereignis->type() == QEvent::MouseButtonRelease) {
        const auto* maus = static_cast<QMouseEvent*>(ereignis);
        if (maus->button() == Qt::LeftButton &&
            LinkLabel->rect().contains(maus->position().toPoint()))
            LinkLabelClick();
        return true;
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TTerminForm::closeEvent(QCloseEvent* ereignis)
{
    // The window's close button is "Abbrechen", question included.
    if (isVisible())
        Button1Click();
    ereignis->setAccepted(!isVisible());
}

void TTerminForm::keyPressEvent(QKeyEvent* ereignis)
{
    // Escape is "Abbrechen", question included, not a silent close.
    if (ereignis->key() == Qt::Key_Escape && ereignis->modifiers() == Qt::NoModifier) {
        Button1Click();
        return;
    }
    QDialog::keyPressEvent(ereignis);
}

void TTerminForm::TerminBearbeitet()
{
    AenderungMelden();
    m_terminGeaendert = true;
}

void TTerminForm::UebernehmenClick()
{
    if (!aktuelleAufgabe() || !TerminPruefen())
        return;
    if (m_terminGeaendert &&
        !m_kalender->AufgabeVerschieben(m_nummer, BeginnBox->currentIndex() + 1, DateEdit1->Date()))
        return;

    m_kalender->ZustandSichern();
    // The undo copy leaves the list as it is.
    TerminSchreiben(aktuelleAufgabe(), NotizZeilen(Memo1->toPlainText()));
}

void TTerminForm::Button1Click()
{
    if (Uebernehmen->isEnabled() &&
        Meldung(this, MeldungsArt::Bestaetigung, VerwerfenFrage, OK | Abbrechen) != OK)
        return;
    reject();
}

void TTerminForm::Button2Click()
{
    if (!aktuelleAufgabe())
        return;
    const QList<qint32> abhaengige = Abhaengige(m_kalender->plan().Aufgaben, m_nummer);
    const QString namen = AufgabenNamen(abhaengige);
    const QString frage = namen.isEmpty() ? LoeschenFrage : AbhaengigeFrage + namen;
    if (Meldung(this, MeldungsArt::Bestaetigung, frage, OK | Abbrechen) != OK)
        return;

    m_kalender->ZustandSichern();
    Plan& plan = m_kalender->plan();
    auto entfernen = [&plan](qint32 nummer) {
        const int i = plan.AufgabeSuchen(nummer);
        if (i >= 0)
            plan.Aufgaben.erase(plan.Aufgaben.begin() + i);
    };
    entfernen(m_nummer);
    for (qint32 n : abhaengige)
        entfernen(n);
    accept();
}

void TTerminForm::QvImageButton1Click()
{
    if (const taufgabe* a = aktuelleAufgabe())
        AufgabeDrucken(this, *a, Bildschirmzeilen(Memo1), DateEdit1->Date());
}

void TTerminForm::DruckvorlagenButtonClick()
{
    if (DruckvorlagenZeigen)
        DruckvorlagenZeigen();
}
