#include "app/tagzellenzugang.h"

#include "app/aufgabenzugang.h"
#include "app/kalendertabellenzugang.h"
#include "app/tagzugang.h"
#include "app/tday.h"
#include "model/kalendertexte.h"
#include "model/katalog.h"
#include "model/tageszahl.h"

#include <algorithm>
#include <cmath>

namespace Kalenderzugang {

namespace {

QString Aufgabenanzahl(size_t n)
{
    if (n == 0)
        return QStringLiteral("Keine Aufgabe");
    if (n == 1)
        return QStringLiteral("1 Aufgabe");
    return QStringLiteral("%1 Aufgaben").arg(n);
}

} // namespace

TagZelle::TagZelle(tday* tag) : QAccessibleWidget(tag, QAccessible::Cell) {}

void* TagZelle::interface_cast(QAccessible::InterfaceType art)
{
    if (art == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return QAccessibleWidget::interface_cast(art);
}

QString TagZelle::text(QAccessible::Text art) const
{
    switch (art) {
    case QAccessible::Name:
        return Kalendertexte::LangesDatum(Tag()->Datum());
    case QAccessible::Description:
        return Beschreibung();
    default:
        return QAccessibleWidget::text(art);
    }
}

QAccessible::State TagZelle::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    // With a task current, the task holds the focus; a reader looking for it stops there.
    if (Tag()->FokussierteAufgabe() >= 0)
        s.focused = false;
    return s;
}

int TagZelle::childCount() const
{
    return Tag()->daten.Termine.empty() ? 0 : 1;
}

QAccessibleInterface* TagZelle::child(int index) const
{
    if (index != 0 || childCount() == 0)
        return nullptr;
    return m_liste.Holen(0, [this](int) { return new AufgabenListe(Tag()); });
}

int TagZelle::indexOfChild(const QAccessibleInterface* kind) const
{
    return childCount() > 0 && m_liste.Index(kind) == 0 ? 0 : -1;
}

QAccessibleInterface* TagZelle::childAt(int x, int y) const
{
    QAccessibleInterface* liste = child(0);
    if (!liste || !liste->rect().contains(x, y))
        return nullptr;
    QAccessibleInterface* aufgabe = liste->childAt(x, y);
    return aufgabe ? aufgabe : liste;
}

QAccessibleInterface* TagZelle::focusChild() const
{
    return AufgabeZugang(Tag(), Tag()->hasFocus() ? Tag()->FokussierteAufgabe() : -1);
}

bool TagZelle::isSelected() const
{
    return Tag()->hasFocus();
}

int TagZelle::columnIndex() const
{
    return std::max(Position(Tag()), 0) % Wochentage;
}

int TagZelle::rowIndex() const
{
    return std::max(Position(Tag()), 0) / Wochentage;
}

QList<QAccessibleInterface*> TagZelle::rowHeaderCells() const
{
    auto* tabelle = dynamic_cast<KalenderTabelle*>(table());
    const int p = Position(Tag());
    if (!tabelle || p < 0)
        return {};
    return {tabelle->Kopf(p / Wochentage)};
}

QAccessibleInterface* TagZelle::table() const
{
    return Zugang(Tag()->parentWidget());
}

tday* TagZelle::Tag() const
{
    return static_cast<tday*>(widget());
}

QString TagZelle::Beschreibung() const
{
    const TagDaten& d = Tag()->daten;
    QStringList teile;
    if (std::trunc(d.Datum) == std::trunc(Tageszahl::heute()))
        teile.append(QStringLiteral("heute"));
    if (std::any_of(d.Termine.begin(), d.Termine.end(),
                    [](const ttermin& t) { return t.Nummer == Umzugsaufgabe; }))
        teile.append(QStringLiteral("Umzugstag"));
    if (d.Feiertag)
        teile.append(QStringLiteral("Feiertag"));
    teile.append(Aufgabenanzahl(d.Termine.size()));
    // Enter on the day itself opens a new task, not one of those it shows.
    if (!d.Termine.empty())
        teile.append(QStringLiteral("Eingabetaste: neue Aufgabe"));
    return teile.join(QStringLiteral(", "));
}

} // namespace Kalenderzugang
