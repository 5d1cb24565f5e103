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

#include <utility>

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
    m_bezeichnungslabel = new QLabel(this);
    m_bezeichnungslabel->setObjectName(QStringLiteral("Bezeichnungslabel"));
    m_bezeichnungslabel->setTextFormat(Qt::PlainText);
    m_bezeichnungslabel->setStyleSheet(Farben::Ueberschrift());
    m_bezeichnungslabel->move(UeberschriftLinks, 65);

    m_beratungsBox = GelbeBox(this, "ScrollBox2", QRect(104, BeratungOben, 340, 80));
    m_beratungsBox->setAccessibleName(QStringLiteral("Hinweise zur Aufgabe"));
    m_beratungsText = new QLabel(m_beratungsBox->widget());
    m_beratungsText->setObjectName(QStringLiteral("Label4"));
    m_beratungsText->setTextFormat(Qt::PlainText);
    m_beratungsText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_linkLabel = new QLabel(m_beratungsBox->widget());
    m_linkLabel->setObjectName(QStringLiteral("LinkLabel"));
    m_linkLabel->setTextFormat(Qt::PlainText);
    m_linkLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont unterstrichen = m_beratungsText->font();
    unterstrichen.setUnderline(true);
    m_linkLabel->setFont(unterstrichen);
    // Opaque on the box's colour, so the advice text's own characters below do not show
    // around the link's.
    Hellgelb(m_linkLabel);
    QPalette linkFarbe = m_linkLabel->palette();
    linkFarbe.setColor(QPalette::WindowText, QColor(0, 0, 128));
    m_linkLabel->setPalette(linkFarbe);
    m_linkLabel->installEventFilter(this);
    // Reached with Tab like a browser's link, opened with Enter or Space.
    m_linkLabel->setFocusPolicy(Qt::TabFocus);
    m_linkLabel->hide();

    TerminfelderAnlegen({192, 216, 240}, 190, Farben::Orange);
    ErledigtfeldAnlegen(QPoint(300, 191));
    NotizfeldAnlegen(QStringLiteral("Eigene Notizen:"), QRect(104, 280, 340, 81));

    QLabel* vorher =
        Beschriftung(this, "Label6", QStringLiteral("Vorher erledigen:"), QPoint(104, 369));
    m_vorherBox = GelbeBox(this, "ScrollBox1", QRect(104, 383, 340, 53));
    vorher->setBuddy(m_vorherBox);
    m_vorherBox->setAccessibleName(QStringLiteral("Vorher erledigen"));
    m_aufgabenliste = new QLabel(m_vorherBox->widget());
    m_aufgabenliste->setObjectName(QStringLiteral("Aufgabenliste"));
    m_aufgabenliste->setTextFormat(Qt::PlainText);
    m_aufgabenliste->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_aufgabenliste->move(2, 0);

    KnoepfeAnlegen(323, Artwork::Termin::Abbrechen, Artwork::Termin::Loeschen,
                   Artwork::Termin::Uebernehmen);
    m_druckenButton = Bildknopf(this, "QvImageButton1", Artwork::Termin::Drucken, 395);
    m_druckvorlagenButton =
        Bildknopf(this, "DruckvorlagenButton", Artwork::Termin::Druckvorlagen, 419);

    m_linkTimer.setObjectName(QStringLiteral("Timer1"));
    m_linkTimer.setInterval(1200);

    setTabOrder(DatumFeld(), BeginnBox());
    setTabOrder(BeginnBox(), DauerBox());
    setTabOrder(DauerBox(), ErledigtBox());
    setTabOrder(ErledigtBox(), NotizFeld());
    setTabOrder(NotizFeld(), m_vorherBox);
    setTabOrder(m_vorherBox, m_beratungsBox);

    connect(&m_linkTimer, &QTimer::timeout, this, &TTerminForm::LinkFreigeben);
    connect(m_druckenButton, &TQvImageButton::OnClick, this, &TTerminForm::DruckenButtonClick);
    connect(m_druckvorlagenButton, &TQvImageButton::OnClick, this,
            &TTerminForm::DruckvorlagenButtonClick);

    Uebernehmen()->setEnabled(false);
    m_druckvorlagenButton->hide();
}

TTerminForm::~TTerminForm() = default;

taufgabe* TTerminForm::aktuelleAufgabe() const
{
    return m_kalender->plan().Aufgabe(m_nummer);
}

QString TTerminForm::AufgabenNamen(const QList<qint32>& nummern) const
{
    return Terminregeln::AufgabenNamen(m_kalender->plan().Aufgaben(), nummern);
}

void TTerminForm::AufgabeAnzeigen(qint32 nummer)
{
    m_nummer = nummer;
    const taufgabe* gefunden = aktuelleAufgabe();
    const taufgabe leer;
    const taufgabe& a = gefunden ? *gefunden : leer;

    UeberschriftSetzen(a.Kurzbezeichnung);
    TerminZeigen(a);

    m_aufgabenliste->setText(AufgabenNamen(a.vorher));
    // What the boxes hold, for the screen reader that stops on them.
    m_vorherBox->setAccessibleDescription(m_aufgabenliste->text().trimmed());
    m_aufgabenliste->adjustSize();
    m_vorherBox->widget()->resize(m_aufgabenliste->x() + m_aufgabenliste->width(),
                                  m_aufgabenliste->height());
    m_vorherBox->verticalScrollBar()->setValue(0);

    BeratungSetzen(a.Beschreibung);
    m_druckvorlagenButton->setVisible(DruckvorlagenErwaehnt(a.Beschreibung));

    // Filling fires the fields' change events; none of that is the user's change.
    Uebernehmen()->setEnabled(false);
    BearbeitungZuruecksetzen();
    m_terminGeaendert = false;
    LoeschenButton()->setEnabled(gefunden != nullptr);
    m_druckenButton->setEnabled(gefunden != nullptr);
}

void TTerminForm::UeberschriftSetzen(const QString& text)
{
    m_bezeichnungslabel->setText(text);
    setWindowTitle(text);
    m_bezeichnungslabel->setWordWrap(false);
    const int punkt = UeberschriftPunkte(UeberschriftRaum, [this](int p) {
        m_bezeichnungslabel->setFont(ArialPunkt(p, true));
        m_bezeichnungslabel->adjustSize();
        return m_bezeichnungslabel->width();
    });
    m_bezeichnungslabel->setFont(ArialPunkt(punkt, true));
    m_bezeichnungslabel->adjustSize();
    if (m_bezeichnungslabel->width() >= UeberschriftRaum) {
        // Too wide even at the smallest size: the heading goes on in a second line.
        m_bezeichnungslabel->setWordWrap(true);
        const int breite = UeberschriftRaum - 1;
        m_bezeichnungslabel->resize(breite, m_bezeichnungslabel->heightForWidth(breite));
    }
    // The lower edge rests on the advice box.
    m_bezeichnungslabel->move(UeberschriftLinks, BeratungOben - m_bezeichnungslabel->height());
}

void TTerminForm::BeratungSetzen(const QStringList& zeilen)
{
    m_linkLabel->clear();
    m_linkLabel->move(0, 0);
    m_linkLabel->hide();
    m_beratungsText->clear();
    m_beratungsBox->verticalScrollBar()->setValue(0);
    m_beratungsBox->horizontalScrollBar()->setValue(0);

    m_beratungsText->setText(zeilen.join(QLatin1Char('\n')));
    m_beratungsBox->setAccessibleDescription(m_beratungsText->text());
    m_beratungsText->adjustSize();
    m_beratungsBox->widget()->resize(m_beratungsText->size());

    const Link link = LinkSuchen(zeilen);
    m_linkAdresse = link.adresse;
    if (link.vorhanden()) {
        m_linkLabel->setText(link.text);
        m_linkLabel->setAccessibleName(QStringLiteral("Verweis: ") + link.text);
        m_linkLabel->setGeometry(LinkLage(zeilen, link, QFontMetrics(m_beratungsText->font())));
        m_linkLabel->show();
    }
}

void TTerminForm::hideEvent(QHideEvent* ereignis)
{
    if (!ereignis->spontaneous())
        m_linkTimer.stop();
    QDialog::hideEvent(ereignis);
}

void TTerminForm::FormShow()
{
    AufBildschirmMitte(this);
    // The link waits, so the click that opened the dialog cannot follow it by accident.
    m_linkTimer.stop();
    m_linkTimer.start();
    m_linkLabel->setCursor(Qt::ArrowCursor);
    m_linkBereit = false;
}

QWidget* TTerminForm::ErstesFeld() const
{
    return DatumFeld();
}

void TTerminForm::LinkFreigeben()
{
    m_linkBereit = true;
    m_linkLabel->setCursor(Qt::PointingHandCursor);
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
    if (objekt == m_linkLabel && ereignis->type() == QEvent::MouseButtonRelease) {
        const auto* maus = static_cast<QMouseEvent*>(ereignis);
        if (maus->button() == Qt::LeftButton &&
            m_linkLabel->rect().contains(maus->position().toPoint()))
            LinkLabelClick();
        return true;
    }
    if (objekt == m_linkLabel && ereignis->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(ereignis)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter || taste == Qt::Key_Space) {
            // A key press is never left over from opening the dialog: no wait.
            if (m_linkAdresse.isValid())
                QDesktopServices::openUrl(m_linkAdresse);
            return true;
        }
    }
    if (objekt == m_linkLabel &&
        (ereignis->type() == QEvent::FocusIn || ereignis->type() == QEvent::FocusOut)) {
        // The focused link shows inverted, so the keyboard's place can be seen.
        QPalette farben = m_linkLabel->palette();
        const bool fokus = ereignis->type() == QEvent::FocusIn;
        if (fokus)
            m_linkHintergrund = farben.color(QPalette::Window);
        farben.setColor(QPalette::Window, fokus ? QColor(0, 0, 128) : m_linkHintergrund);
        farben.setColor(QPalette::WindowText, fokus ? QColor(Qt::white) : QColor(0, 0, 128));
        m_linkLabel->setPalette(farben);
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
    if (m_terminGeaendert && !m_kalender->AufgabeVerschieben(
                                 m_nummer, BeginnBox()->currentIndex() + 1, DatumFeld()->Date()))
        return;

    m_kalender->ZustandSichern();
    // The undo copy leaves the list as it is.
    TerminSchreiben(aktuelleAufgabe(), NotizZeilen(NotizFeld()->toPlainText()));
}

void TTerminForm::AbbrechenClick()
{
    Verwerfen();
}

void TTerminForm::LoeschenClick()
{
    if (!aktuelleAufgabe())
        return;
    const QList<qint32> abhaengige = Abhaengige(m_kalender->plan().Aufgaben(), m_nummer);
    const QString namen = AufgabenNamen(abhaengige);
    const QString frage = namen.isEmpty() ? LoeschenFrage : AbhaengigeFrage + namen;
    if (Meldung(this, MeldungsArt::Bestaetigung, frage, OK | Abbrechen) != OK)
        return;

    m_kalender->ZustandSichern();
    Plan& plan = m_kalender->plan();
    auto entfernen = [&plan](qint32 nummer) {
        const int i = plan.AufgabeSuchen(nummer);
        if (i >= 0)
            plan.Aufgaben().erase(plan.Aufgaben().begin() + i);
    };
    entfernen(m_nummer);
    for (qint32 n : abhaengige)
        entfernen(n);
    accept();
}

void TTerminForm::DruckenButtonClick()
{
    if (const taufgabe* a = aktuelleAufgabe())
        AufgabeDrucken(this, *a, Bildschirmzeilen(NotizFeld()), DatumFeld()->Date());
}

void TTerminForm::DruckvorlagenButtonClick()
{
    if (m_druckvorlagenZeigen)
        m_druckvorlagenZeigen();
}

void TTerminForm::DruckvorlagenZeigenLassen(std::function<void()> zeigen)
{
    m_druckvorlagenZeigen = std::move(zeigen);
}
