#include "app/kalendertabellenzugang.h"

#include "app/fensterlayout.h"
#include "app/tday.h"
#include "model/kalender.h"
#include "widgets/zellengeometrie.h"

#include <QWindow>

#include <array>

namespace Kalenderzugang {

namespace {

const std::array<const char*, Wochentage> Wochentagsnamen{
    "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};

} // namespace

bool WochenKopf::isValid() const
{
    return m_inhalt && ErsterTag() != nullptr;
}

QWindow* WochenKopf::window() const
{
    return m_inhalt ? m_inhalt->window()->windowHandle() : nullptr;
}

QAccessibleInterface* WochenKopf::parent() const
{
    return Zugang(m_inhalt);
}

QString WochenKopf::text(QAccessible::Text art) const
{
    const tday* montag = ErsterTag();
    if (art != QAccessible::Name || !montag)
        return {};
    return QStringLiteral("Kalenderwoche %1").arg(Kalenderwoche(montag->Datum()));
}

QRect WochenKopf::rect() const
{
    if (!m_inhalt)
        return {};
    const QRect feld(0, m_zeile * Zellengeometrie::Zellenhoehe, Fensterlayout::Wochenspalte,
                     Fensterlayout::Wochenspalte);
    return QRect(m_inhalt->mapToGlobal(feld.topLeft()), feld.size());
}

QAccessible::State WochenKopf::state() const
{
    QAccessible::State s;
    s.invisible = !isValid();
    return s;
}

const tday* WochenKopf::ErsterTag() const
{
    const std::vector<tday*> zellen = Zellen(m_inhalt);
    const size_t i = static_cast<size_t>(m_zeile) * Wochentage;
    return i < zellen.size() ? zellen[i] : nullptr;
}

void* KalenderTabelle::interface_cast(QAccessible::InterfaceType art)
{
    if (art == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(art);
}

QString KalenderTabelle::text(QAccessible::Text art) const
{
    if (art == QAccessible::Name)
        return QStringLiteral("Umzugskalender");
    return QAccessibleWidget::text(art);
}

QAccessibleInterface* KalenderTabelle::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    const int zeile = index / (Wochentage + 1);
    const int spalte = index % (Wochentage + 1) - 1;
    return spalte < 0 ? Kopf(zeile) : cellAt(zeile, spalte);
}

int KalenderTabelle::indexOfChild(const QAccessibleInterface* kind) const
{
    if (!kind)
        return -1;
    if (const int zeile = m_koepfe.Index(kind); zeile >= 0)
        return zeile < rowCount() ? zeile * (Wochentage + 1) : -1;
    if (auto* tag = qobject_cast<tday*>(kind->object())) {
        const int p = tag->parentWidget() == widget() ? Position(tag) : -1;
        return p < 0 ? -1 : p / Wochentage * (Wochentage + 1) + p % Wochentage + 1;
    }
    return -1;
}

QAccessibleInterface* KalenderTabelle::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i)
        if (QAccessibleInterface* k = child(i); k && k->rect().contains(x, y))
            return k;
    return nullptr;
}

QAccessibleInterface* KalenderTabelle::cellAt(int zeile, int spalte) const
{
    if (zeile < 0 || spalte < 0 || spalte >= Wochentage)
        return nullptr;
    const std::vector<tday*> zellen = Zellen(widget());
    const size_t i = static_cast<size_t>(zeile) * Wochentage + static_cast<size_t>(spalte);
    return i < zellen.size() ? Zugang(zellen[i]) : nullptr;
}

int KalenderTabelle::rowCount() const
{
    return static_cast<int>(Zellen(widget()).size()) / Wochentage;
}

QString KalenderTabelle::columnDescription(int spalte) const
{
    return spalte >= 0 && spalte < Wochentage
               ? QString::fromLatin1(Wochentagsnamen[static_cast<size_t>(spalte)])
               : QString();
}

QString KalenderTabelle::rowDescription(int zeile) const
{
    QAccessibleInterface* kopf = zeile < rowCount() ? Kopf(zeile) : nullptr;
    return kopf ? kopf->text(QAccessible::Name) : QString();
}

QList<QAccessibleInterface*> KalenderTabelle::selectedCells() const
{
    QList<QAccessibleInterface*> zellen;
    for (tday* t : Zellen(widget()))
        if (t->hasFocus())
            zellen.append(Zugang(t));
    return zellen;
}

QAccessibleInterface* KalenderTabelle::Kopf(int zeile) const
{
    return m_koepfe.Holen(zeile, [this](int z) { return new WochenKopf(widget(), z); });
}

} // namespace Kalenderzugang
