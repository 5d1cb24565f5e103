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

#include <QCheckBox>
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

    BeratungsBox = GelbeBox(this, "ScrollBox2", QRect(104, BeratungOben, 340, 80));
    BeratungsBox->setAccessibleName(QStringLiteral("Hinweise zur Aufgabe"));
    BeratungsText = new QLabel(BeratungsBox->widget());
    BeratungsText->setObjectName(QStringLiteral("Label4"));
    BeratungsText->setTextFormat(Qt::PlainText);
    BeratungsText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LinkLabel = new QLabel(BeratungsBox->widget());
    LinkLabel->setObjectName(QStringLiteral("LinkLabel"));
    LinkLabel->setTextFormat(Qt::PlainText);
    LinkLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont unterstrichen = BeratungsText->font();
    unterstrichen.setUnderline(true);
    LinkLabel->setFont(unterstrichen);
    // Opaque on the box's colour, so the advice text's own characters below do not show
    // around the link's.
    Hellgelb(LinkLabel);
    QPalette linkFarbe = LinkLabel->palette();
    linkFarbe.setColor(QPalette::WindowText, QColor(0, 0, 128));
    LinkLabel->setPalette(linkFarbe);
    LinkLabel->installEventFilter(this);
    // Reached with Tab like a browser's link, opened with Enter or Space.
    LinkLabel->setFocusPolicy(Qt::TabFocus);
    LinkLabel->hide();

    TerminfelderAnlegen({192, 216, 240}, 190, Farben::Orange);
    ErledigtfeldAnlegen(QPoint(300, 191));
    NotizfeldAnlegen(QStringLiteral("Eigene Notizen:"), QRect(104, 280, 340, 81));

    QLabel* vorher =
        Beschriftung(this, "Label6", QStringLiteral("Vorher erledigen:"), QPoint(104, 369));
    VorherBox = GelbeBox(this, "ScrollBox1", QRect(104, 383, 340, 53));
    vorher->setBuddy(VorherBox);
    VorherBox->setAccessibleName(QStringLiteral("Vorher erledigen"));
    Aufgabenliste = new QLabel(VorherBox->widget());
    Aufgabenliste->setObjectName(QStringLiteral("Aufgabenliste"));
    Aufgabenliste->setTextFormat(Qt::PlainText);
    Aufgabenliste->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Aufgabenliste->move(2, 0);

    KnoepfeAnlegen(323, Artwork::Termin::Abbrechen, Artwork::Termin::Loeschen,
                   Artwork::Termin::Uebernehmen);
    DruckenButton = Bildknopf(this, "QvImageButton1", Artwork::Termin::Drucken, 395);
    DruckvorlagenButton =
        Bildknopf(this, "DruckvorlagenButton", Artwork::Termin::Druckvorlagen, 419);

    LinkTimer.setObjectName(QStringLiteral("Timer1"));
    LinkTimer.setInterval(1200);

    setTabOrder(DatumFeld, BeginnBox);
    setTabOrder(BeginnBox, DauerBox);
    setTabOrder(DauerBox, ErledigtBox);
    setTabOrder(ErledigtBox, NotizFeld);
    setTabOrder(NotizFeld, VorherBox);
    setTabOrder(VorherBox, BeratungsBox);

    connect(&LinkTimer, &QTimer::timeout, this, &TTerminForm::LinkFreigeben);
    connect(DruckenButton, &TQvImageButton::OnClick, this, &TTerminForm::DruckenButtonClick);
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
    // What the boxes hold, for the screen reader that stops on them.
    VorherBox->setAccessibleDescription(Aufgabenliste->text().trimmed());
    Aufgabenliste->adjustSize();
    VorherBox->widget()->resize(Aufgabenliste->x() + Aufgabenliste->width(),
                                Aufgabenliste->height());
    VorherBox->verticalScrollBar()->setValue(0);

    BeratungSetzen(a.Beschreibung);
    DruckvorlagenButton->setVisible(DruckvorlagenErwaehnt(a.Beschreibung));

    // Filling fires the fields' change events; none of that is the user's change.
    Uebernehmen->setEnabled(false);
    BearbeitungZuruecksetzen();
    m_terminGeaendert = false;
    LoeschenButton->setEnabled(gefunden != nullptr);
    DruckenButton->setEnabled(gefunden != nullptr);
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
    BeratungsText->clear();
    BeratungsBox->verticalScrollBar()->setValue(0);
    BeratungsBox->horizontalScrollBar()->setValue(0);

    BeratungsText->setText(zeilen.join(QLatin1Char('\n')));
    BeratungsBox->setAccessibleDescription(BeratungsText->text());
    BeratungsText->adjustSize();
    BeratungsBox->widget()->resize(BeratungsText->size());

    const Link link = LinkSuchen(zeilen);
    m_linkAdresse = link.adresse;
    if (link.vorhanden()) {
        LinkLabel->setText(link.text);
        LinkLabel->setAccessibleName(QStringLiteral("Verweis: ") + link.text);
        LinkLabel->setGeometry(LinkLage(zeilen, link, QFontMetrics(BeratungsText->font())));
        LinkLabel->show();
    }
}

void TTerminForm::hideEvent(QHideEvent* ereignis)
{
    if (!ereignis->spontaneous())
        LinkTimer.stop();
    QDialog::hideEvent(ereignis);
}

void TTerminForm::FormShow()
{
    AufBildschirmMitte(this);
    // The link waits, so the click that opened the dialog cannot follow it by accident.
    LinkTimer.stop();
    LinkTimer.start();
    LinkLabel->setCursor(Qt::ArrowCursor);
    m_linkBereit = false;
}

QWidget* TTerminForm::ErstesFeld() const
{
    return DatumFeld;
}

void TTerminForm::LinkFreigeben()
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
    if (objekt == LinkLabel && ereignis->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(ereignis)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter || taste == Qt::Key_Space) {
            // A key press is never left over from opening the dialog: no wait.
            if (m_linkAdresse.isValid())
                QDesktopServices::openUrl(m_linkAdresse);
            return true;
        }
    }
    if (objekt == LinkLabel &&
        (ereignis->type() == QEvent::FocusIn || ereignis->type() == QEvent::FocusOut)) {
        // The focused link shows inverted, so the keyboard's place can be seen.
        QPalette farben = LinkLabel->palette();
        const bool fokus = ereignis->type() == QEvent::FocusIn;
        if (fokus)
            m_linkHintergrund = farben.color(QPalette::Window);
        farben.setColor(QPalette::Window, fokus ? QColor(0, 0, 128) : m_linkHintergrund);
        farben.setColor(QPalette::WindowText, fokus ? QColor(Qt::white) : QColor(0, 0, 128));
        LinkLabel->setPalette(farben);
    }
    return QDialog::eventFilter(objekt, ereignis);
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
        !m_kalender->AufgabeVerschieben(m_nummer, BeginnBox->currentIndex() + 1, DatumFeld->Date()))
        return;

    m_kalender->ZustandSichern();
    // The undo copy leaves the list as it is.
    TerminSchreiben(aktuelleAufgabe(), NotizZeilen(NotizFeld->toPlainText()));
}

void TTerminForm::AbbrechenClick()
{
    Verwerfen();
}

void TTerminForm::LoeschenClick()
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

void TTerminForm::DruckenButtonClick()
{
    if (const taufgabe* a = aktuelleAufgabe())
        AufgabeDrucken(this, *a, Bildschirmzeilen(NotizFeld), DatumFeld->Date());
}

void TTerminForm::DruckvorlagenButtonClick()
{
    if (DruckvorlagenZeigen)
        DruckvorlagenZeigen();
}
