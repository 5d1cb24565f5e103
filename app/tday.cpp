#include "app/tday.h"

#include "app/kalenderfeld.h"
#include "app/tagzugang.h"
#include "app/ziehzustand.h"
#include "widgets/schrift.h"
#include "widgets/tagesmarken.h"
#include "widgets/zellengeometrie.h"
#include "widgets/zellenzeichnung.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

const QString tday::HinweisZiehen = QStringLiteral(
    "Sie können die Aufgabe bei gedückter Maustaste an einen anderen Tag verschieben.");
const QString tday::HinweisFreieFlaeche = QStringLiteral(
    "Mit einem Klick auf freie Kalenderfläche können Sie eine neue Aufgabe hinzufügen.");
const QString tday::HinweisAufgabe =
    QStringLiteral("Mit einem Klick auf die Aufgabe erhalten Sie weitere Informationen.");

tday::tday(Kalenderfeld* kalender, double datum, QWidget* eltern)
    : QWidget(eltern), daten(datum), m_kalender(kalender)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFont(ZellenSchrift());
    // The calendar makes one cell at a time a stop of Tab; a click focuses any.
    setFocusPolicy(Qt::ClickFocus);
}

void tday::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool ersteZelle = daten.Datum == m_kalender->ErsterTag();
    const double heute = std::trunc(m_kalender->HeutigerTag());
    Zellenzeichnung::AufBildschirm(p, daten, size(), font(), &m_zeilen, ersteZelle, heute);
    if (std::trunc(daten.Datum) < heute)
        Tagesmarken::Daempfen(p, daten, size());
    else if (std::trunc(daten.Datum) == heute)
        Tagesmarken::HeuteRahmen(p, size());
    if (hasFocus())
        Tagesmarken::Fokus(p, daten, size(), m_fokusAufgabe);
}

void tday::FokusSetzen(int aufgabe)
{
    const int termine = static_cast<int>(daten.Termine.size());
    const int neu = aufgabe >= 0 && aufgabe < termine ? aufgabe : -1;
    if (neu == m_fokusAufgabe)
        return;
    m_fokusAufgabe = neu;
    update();
    // Screen readers follow the focus from task to task within the day.
    FokusMelden(this);
}

void tday::keyPressEvent(QKeyEvent* ereignis)
{
    if (m_kalender->ZellenTaste(this, ereignis))
        ereignis->accept();
    else
        QWidget::keyPressEvent(ereignis);
}

void tday::focusInEvent(QFocusEvent* ereignis)
{
    m_kalender->ZelleHatFokus(this);
    QWidget::focusInEvent(ereignis);
    FokusMeldenDanach(this);
    update();
}

void tday::focusOutEvent(QFocusEvent* ereignis)
{
    QWidget::focusOutEvent(ereignis);
    update();
}

void tday::contextMenuEvent(QContextMenuEvent* ereignis)
{
    if (ereignis->reason() != QContextMenuEvent::Mouse) {
        MenueZeigen(m_fokusAufgabe);
        return;
    }
    const QPoint pos = ereignis->pos();
    const int termin = Zellengeometrie::TerminAnPunkt(daten, width(), pos.x(), pos.y());
    // The keyboard's place follows, so that the menu's command and the focus name one task.
    setFocus(Qt::MouseFocusReason);
    FokusSetzen(termin);
    MenueZeigen(termin, ereignis->globalPos());
}

void tday::MenueZeigen(int termin, std::optional<QPoint> ort)
{
    using Kalendertastatur::Befehl;
    const int termine = static_cast<int>(daten.Termine.size());
    const int t = termin >= 0 && termin < termine ? termin : -1;
    auto* menue = new QMenu(this);
    menue->setObjectName(QStringLiteral("Aufgabenmenue"));
    menue->setAttribute(Qt::WA_DeleteOnClose);
    const auto eintrag = [&](const QString& text, Befehl befehl, int aufgabe) {
        QAction* a = menue->addAction(text);
        // Once the menu is closed: a command may build the calendar, this cell included, anew.
        connect(
            a, &QAction::triggered, this,
            [this, befehl, aufgabe] {
                m_kalender->ZellenBefehl(this, {befehl, -1, aufgabe});
            },
            Qt::QueuedConnection);
        return a;
    };
    QRect unter = rect();
    if (t < 0) {
        eintrag(QStringLiteral("&Neue Aufgabe …"), Befehl::Oeffnen, -1);
    } else {
        // After the tab the calendar's own key, shown only: in the menu, keys choose entries.
        QAction* erledigt = eintrag(QStringLiteral("&Erledigt\tLeertaste"), Befehl::Erledigt, t);
        erledigt->setCheckable(true);
        erledigt->setChecked(daten.Termine[static_cast<size_t>(t)].Erledigt);
        eintrag(QStringLiteral("Ö&ffnen …\tEingabe"), Befehl::Oeffnen, t);
        eintrag(QStringLiteral("&Löschen …\tEntf"), Befehl::Loeschen, t);
        const Bandbereich band = Zellengeometrie::Band(daten, t, width());
        unter = QRect(QPoint(0, band.top), QPoint(width() - 1, band.bottom));
    }
    // From the keyboard the menu opens below what it is for.
    menue->popup(ort.value_or(mapToGlobal(QPoint(unter.left() + 4, unter.bottom() + 1))));
}

void tday::mousePressEvent(QMouseEvent* ereignis)
{
    // The right button opens the context menu; only the left one clicks and drags.
    if (ereignis->button() != Qt::LeftButton)
        return;
    m_druckpunkt = ereignis->position().toPoint();
    if (m_kalender->gezogeneAufgabe().Ruht())
        m_kalender->ZiehzustandSetzen(Ziehzustand::Gedrueckt());
}

void tday::mouseMoveEvent(QMouseEvent* ereignis)
{
    const QPoint pos = ereignis->position().toPoint();
    const Ziehzustand zustand = m_kalender->gezogeneAufgabe();
    if (zustand.IstGedrueckt()) {
        m_kalender->StatusAnzeigen(HinweisZiehen);
        const int i = Zellengeometrie::TerminInHoehe(daten, width(), m_druckpunkt.y());
        if (i >= 0) {
            m_kalender->ZiehzustandSetzen(
                Ziehzustand::Zieht(daten.Termine[static_cast<size_t>(i)].Nummer));
            setCursor(Qt::DragMoveCursor);
        } else {
            m_kalender->ZiehzustandSetzen(Ziehzustand());
            unsetCursor();
        }
    } else if (zustand.Ruht()) {
        m_kalender->StatusAnzeigen(
            Zellengeometrie::TerminAnPunkt(daten, width(), pos.x(), pos.y()) == -1
                ? HinweisFreieFlaeche
                : HinweisAufgabe);
    } else {
        m_kalender->StatusAnzeigen(HinweisZiehen);
    }
    if (m_kalender->gezogeneAufgabe().Aufgabe())
        m_kalender->ZiehenBei(this, pos);
}

void tday::mouseReleaseEvent(QMouseEvent* ereignis)
{
    if (ereignis->button() != Qt::LeftButton)
        return;
    unsetCursor();
    m_kalender->ZellenFreigabe(this, ereignis->position().toPoint());
}
