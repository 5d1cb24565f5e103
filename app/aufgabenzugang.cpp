#include "app/aufgabenzugang.h"

#include "app/tday.h"
#include "model/aufgabenstand.h"
#include "model/kalendertexte.h"
#include "model/tageszahl.h"
#include "widgets/planfenster.h"
#include "widgets/zellengeometrie.h"

#include <QWindow>

#include <algorithm>
#include <cmath>

namespace Kalenderzugang {

namespace {

// The task `nummer` of the plan the cell's window shows; nullptr in a window without a plan.
const taufgabe* Aufgabe(const tday* tag, qint32 nummer)
{
    auto* fenster = dynamic_cast<PlanFenster*>(tag->window());
    if (!fenster)
        return nullptr;
    const int i = fenster->plan().AufgabeSuchen(nummer);
    return i >= 0 ? &fenster->plan().Aufgaben[static_cast<size_t>(i)] : nullptr;
}

// ", erledigt" or ", überfällig" after the task's name; nothing for a task still to come.
QString Stand(const taufgabe* aufgabe)
{
    if (!aufgabe)
        return {};
    if (aufgabe->Erledigt)
        return QStringLiteral(", erledigt");
    if (Ueberfaellig(*aufgabe, static_cast<qint32>(std::floor(Tageszahl::heute()))))
        return QStringLiteral(", überfällig");
    return {};
}

} // namespace

bool TerminZugang::isValid() const
{
    return m_tag && m_index < static_cast<int>(m_tag->daten.Termine.size());
}

QWindow* TerminZugang::window() const
{
    return m_tag ? m_tag->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TerminZugang::parent() const
{
    QAccessibleInterface* zelle = Zugang(m_tag);
    return zelle ? zelle->child(0) : nullptr;
}

QString TerminZugang::text(QAccessible::Text art) const
{
    if (!isValid())
        return {};
    const ttermin& t = m_tag->daten.Termine[static_cast<size_t>(m_index)];
    switch (art) {
    case QAccessible::Name:
        return Kalendertexte::AufgabeGesprochen(m_tag->Datum(), t.Kurzbezeichnung, t.Start,
                                                t.Dauer) +
               Stand(Aufgabe(m_tag, t.Nummer));
    case QAccessible::Description:
        return t.Notiz.join(QLatin1Char('\n'));
    default:
        return {};
    }
}

QRect TerminZugang::rect() const
{
    if (!isValid())
        return {};
    const Bandbereich b = Zellengeometrie::Band(m_tag->daten, m_index, m_tag->width());
    const QRect band(0, b.top, m_tag->width(), std::max(b.bottom - b.top + 1, 0));
    return QRect(m_tag->mapToGlobal(band.topLeft()), band.size());
}

QAccessible::State TerminZugang::state() const
{
    QAccessible::State s;
    s.focusable = true;
    s.selectable = true;
    s.focused = m_tag && m_tag->FokussierteAufgabe() == m_index && m_tag->hasFocus();
    s.selected = s.focused;
    s.invisible = !isValid();
    return s;
}

bool AufgabenListe::isValid() const
{
    return m_tag && !m_tag->daten.Termine.empty();
}

QWindow* AufgabenListe::window() const
{
    return m_tag ? m_tag->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AufgabenListe::parent() const
{
    return Zugang(m_tag);
}

int AufgabenListe::childCount() const
{
    return m_tag ? static_cast<int>(m_tag->daten.Termine.size()) : 0;
}

QAccessibleInterface* AufgabenListe::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return m_kinder.Holen(index, [this](int i) { return new TerminZugang(m_tag, i); });
}

int AufgabenListe::indexOfChild(const QAccessibleInterface* kind) const
{
    const int i = m_kinder.Index(kind);
    return i < childCount() ? i : -1;
}

QAccessibleInterface* AufgabenListe::focusChild() const
{
    const int i = m_tag && m_tag->hasFocus() ? m_tag->FokussierteAufgabe() : -1;
    return i >= 0 ? child(i) : nullptr;
}

QAccessibleInterface* AufgabenListe::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i)
        if (child(i)->rect().contains(x, y))
            return child(i);
    return nullptr;
}

QRect AufgabenListe::rect() const
{
    if (!m_tag)
        return {};
    const QRect koerper(0, Zellengeometrie::Kopfhoehe, m_tag->width(),
                        m_tag->height() - Zellengeometrie::Kopfhoehe);
    return QRect(m_tag->mapToGlobal(koerper.topLeft()), koerper.size());
}

QAccessible::State AufgabenListe::state() const
{
    QAccessible::State s;
    s.invisible = !isValid();
    return s;
}

} // namespace Kalenderzugang
