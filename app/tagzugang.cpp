#include "app/tagzugang.h"

#include "app/fensterlayout.h"
#include "app/tday.h"
#include "model/kalender.h"
#include "model/kalendertexte.h"
#include "model/katalog.h"
#include "model/tageszahl.h"
#include "widgets/zellengeometrie.h"

#include <QAccessibleWidget>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int Wochentage = 7;

const std::array<const char*, Wochentage> Wochentagsnamen{
    "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};

QString Aufgabenanzahl(size_t n)
{
    if (n == 0)
        return QStringLiteral("Keine Aufgabe");
    if (n == 1)
        return QStringLiteral("1 Aufgabe");
    return QStringLiteral("%1 Aufgaben").arg(n);
}

// Interfaces made for things that are no widgets are registered with Qt and deleted by
// their maker.
class Kinderliste
{
public:
    Kinderliste() = default;
    Kinderliste(const Kinderliste&) = delete;
    Kinderliste& operator=(const Kinderliste&) = delete;
    ~Kinderliste()
    {
        for (QAccessible::Id id : m_ids)
            QAccessible::deleteAccessibleInterface(id);
    }

    // The interface at `index`, made with `machen(index)` when first asked for.
    template <typename Machen> QAccessibleInterface* Holen(int index, Machen machen) const
    {
        while (static_cast<int>(m_ids.size()) <= index)
            m_ids.push_back(
                QAccessible::registerAccessibleInterface(machen(static_cast<int>(m_ids.size()))));
        return QAccessible::accessibleInterface(m_ids[static_cast<size_t>(index)]);
    }

    int Index(const QAccessibleInterface* kind) const
    {
        for (size_t i = 0; i < m_ids.size(); ++i)
            if (QAccessible::accessibleInterface(m_ids[i]) == kind)
                return static_cast<int>(i);
        return -1;
    }

private:
    mutable std::vector<QAccessible::Id> m_ids;
};

// An interface of something drawn, without a widget of its own and without children.
class Gezeichnet : public QAccessibleInterface
{
public:
    QObject* object() const override { return nullptr; }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override
    {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
};

QAccessibleInterface* Zugang(QObject* objekt)
{
    return objekt ? QAccessible::queryAccessibleInterface(objekt) : nullptr;
}

// The day cells of the calendar content `inhalt`, by date.
std::vector<tday*> Zellen(const QWidget* inhalt)
{
    std::vector<tday*> zellen;
    if (!inhalt)
        return zellen;
    const QList<tday*> kinder = inhalt->findChildren<tday*>(Qt::FindDirectChildrenOnly);
    zellen.assign(kinder.begin(), kinder.end());
    std::sort(zellen.begin(), zellen.end(),
              [](const tday* a, const tday* b) { return a->Datum() < b->Datum(); });
    return zellen;
}

// The position of `tag` in its calendar: days since the first cell, -1 when it has none.
int Position(const tday* tag)
{
    const std::vector<tday*> zellen = Zellen(tag->parentWidget());
    if (zellen.empty())
        return -1;
    const double tage = std::trunc(tag->Datum()) - std::trunc(zellen.front()->Datum());
    return tage >= 0 ? static_cast<int>(tage) : -1;
}

// One task of a cell; it reads the cell's appointment at its index whenever asked, so it stays
// right when the calendar is refreshed.
class TerminZugang final : public Gezeichnet
{
public:
    TerminZugang(tday* tag, int index) : m_tag(tag), m_index(index) {}

    bool isValid() const override
    {
        return m_tag && m_index < static_cast<int>(m_tag->daten.Termine.size());
    }
    QWindow* window() const override { return m_tag ? m_tag->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        QAccessibleInterface* zelle = Zugang(m_tag);
        return zelle ? zelle->child(0) : nullptr;
    }

    QString text(QAccessible::Text art) const override
    {
        if (!isValid())
            return {};
        const ttermin& t = m_tag->daten.Termine[static_cast<size_t>(m_index)];
        switch (art) {
        case QAccessible::Name:
            return Kalendertexte::AufgabeGesprochen(m_tag->Datum(), t.Kurzbezeichnung, t.Start,
                                                    t.Dauer);
        case QAccessible::Description:
            return t.Notiz.join(QLatin1Char('\n'));
        default:
            return {};
        }
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const Bandbereich b = Zellengeometrie::Band(m_tag->daten, m_index, m_tag->width());
        const QRect band(0, b.top, m_tag->width(), std::max(b.bottom - b.top + 1, 0));
        return QRect(m_tag->mapToGlobal(band.topLeft()), band.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        s.focused = m_tag && m_tag->FokussierteAufgabe() == m_index && m_tag->hasFocus();
        s.selected = s.focused;
        s.invisible = !isValid();
        return s;
    }

private:
    QPointer<tday> m_tag;
    int m_index;
};

// The day's tasks in the order of their begin, the one child of a cell with tasks.
class AufgabenListe final : public QAccessibleInterface
{
public:
    explicit AufgabenListe(tday* tag) : m_tag(tag) {}

    bool isValid() const override { return m_tag && !m_tag->daten.Termine.empty(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_tag ? m_tag->window()->windowHandle() : nullptr; }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override
    {
        return {};
    }
    QAccessibleInterface* parent() const override { return Zugang(m_tag); }
    int childCount() const override
    {
        return m_tag ? static_cast<int>(m_tag->daten.Termine.size()) : 0;
    }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        return m_kinder.Holen(index, [this](int i) { return new TerminZugang(m_tag, i); });
    }
    int indexOfChild(const QAccessibleInterface* kind) const override
    {
        const int i = m_kinder.Index(kind);
        return i < childCount() ? i : -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        const int i = m_tag && m_tag->hasFocus() ? m_tag->FokussierteAufgabe() : -1;
        return i >= 0 ? child(i) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y))
                return child(i);
        return nullptr;
    }

    // Unnamed: a reader reading the week's row says the cell's date, not the list's name.
    QString text(QAccessible::Text) const override { return {}; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!m_tag)
            return {};
        const QRect koerper(0, Zellengeometrie::Kopfhoehe, m_tag->width(),
                            m_tag->height() - Zellengeometrie::Kopfhoehe);
        return QRect(m_tag->mapToGlobal(koerper.topLeft()), koerper.size());
    }
    QAccessible::Role role() const override { return QAccessible::List; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !isValid();
        return s;
    }

private:
    QPointer<tday> m_tag;
    Kinderliste m_kinder;
};

// The head of a row of the calendar: its week number, drawn in the week column.
class WochenKopf final : public Gezeichnet
{
public:
    WochenKopf(QWidget* inhalt, int zeile) : m_inhalt(inhalt), m_zeile(zeile) {}

    bool isValid() const override { return m_inhalt && ErsterTag() != nullptr; }
    QWindow* window() const override
    {
        return m_inhalt ? m_inhalt->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override { return Zugang(m_inhalt); }
    QString text(QAccessible::Text art) const override
    {
        const tday* montag = ErsterTag();
        if (art != QAccessible::Name || !montag)
            return {};
        return QStringLiteral("Kalenderwoche %1").arg(Kalenderwoche(montag->Datum()));
    }
    QRect rect() const override
    {
        if (!m_inhalt)
            return {};
        const QRect feld(0, m_zeile * Zellengeometrie::Zellenhoehe, Fensterlayout::Wochenspalte,
                         Fensterlayout::Wochenspalte);
        return QRect(m_inhalt->mapToGlobal(feld.topLeft()), feld.size());
    }
    QAccessible::Role role() const override { return QAccessible::RowHeader; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !isValid();
        return s;
    }

private:
    const tday* ErsterTag() const
    {
        const std::vector<tday*> zellen = Zellen(m_inhalt);
        const size_t i = static_cast<size_t>(m_zeile) * Wochentage;
        return i < zellen.size() ? zellen[i] : nullptr;
    }

    QPointer<QWidget> m_inhalt;
    int m_zeile;
};

class TagZelle final : public QAccessibleWidget, public QAccessibleTableCellInterface
{
public:
    explicit TagZelle(tday* tag) : QAccessibleWidget(tag, QAccessible::Cell) {}

    void* interface_cast(QAccessible::InterfaceType art) override
    {
        if (art == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return QAccessibleWidget::interface_cast(art);
    }

    QString text(QAccessible::Text art) const override
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

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        // With a task current, the task holds the focus; a reader looking for it stops there.
        if (Tag()->FokussierteAufgabe() >= 0)
            s.focused = false;
        return s;
    }

    int childCount() const override { return Tag()->daten.Termine.empty() ? 0 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index != 0 || childCount() == 0)
            return nullptr;
        return m_liste.Holen(0, [this](int) { return new AufgabenListe(Tag()); });
    }
    int indexOfChild(const QAccessibleInterface* kind) const override
    {
        return childCount() > 0 && m_liste.Index(kind) == 0 ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        QAccessibleInterface* liste = child(0);
        if (!liste || !liste->rect().contains(x, y))
            return nullptr;
        QAccessibleInterface* aufgabe = liste->childAt(x, y);
        return aufgabe ? aufgabe : liste;
    }
    QAccessibleInterface* focusChild() const override
    {
        return AufgabeZugang(Tag(), Tag()->hasFocus() ? Tag()->FokussierteAufgabe() : -1);
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return Tag()->hasFocus(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    int columnIndex() const override { return std::max(Position(Tag()), 0) % Wochentage; }
    int rowIndex() const override { return std::max(Position(Tag()), 0) / Wochentage; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    QAccessibleInterface* table() const override { return Zugang(Tag()->parentWidget()); }

private:
    tday* Tag() const { return static_cast<tday*>(widget()); }

    QString Beschreibung() const
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

    Kinderliste m_liste;
};

// The calendar content: the weeks as rows, each a week head and the seven day cells.
class KalenderTabelle final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit KalenderTabelle(QWidget* inhalt) : QAccessibleWidget(inhalt, QAccessible::Table) {}

    void* interface_cast(QAccessible::InterfaceType art) override
    {
        if (art == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(art);
    }

    QString text(QAccessible::Text art) const override
    {
        if (art == QAccessible::Name)
            return QStringLiteral("Umzugskalender");
        return QAccessibleWidget::text(art);
    }

    int childCount() const override { return rowCount() * (Wochentage + 1); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        const int zeile = index / (Wochentage + 1);
        const int spalte = index % (Wochentage + 1) - 1;
        return spalte < 0 ? Kopf(zeile) : cellAt(zeile, spalte);
    }
    int indexOfChild(const QAccessibleInterface* kind) const override
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
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* k = child(i); k && k->rect().contains(x, y))
                return k;
        return nullptr;
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int zeile, int spalte) const override
    {
        if (zeile < 0 || spalte < 0 || spalte >= Wochentage)
            return nullptr;
        const std::vector<tday*> zellen = Zellen(widget());
        const size_t i = static_cast<size_t>(zeile) * Wochentage + static_cast<size_t>(spalte);
        return i < zellen.size() ? Zugang(zellen[i]) : nullptr;
    }
    int rowCount() const override { return static_cast<int>(Zellen(widget()).size()) / Wochentage; }
    int columnCount() const override { return rowCount() > 0 ? Wochentage : 0; }
    QString columnDescription(int spalte) const override
    {
        return spalte >= 0 && spalte < Wochentage
                   ? QString::fromLatin1(Wochentagsnamen[static_cast<size_t>(spalte)])
                   : QString();
    }
    QString rowDescription(int zeile) const override
    {
        QAccessibleInterface* kopf = zeile < rowCount() ? Kopf(zeile) : nullptr;
        return kopf ? kopf->text(QAccessible::Name) : QString();
    }
    // The focused cell is the one selected.
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> zellen;
        for (tday* t : Zellen(widget()))
            if (t->hasFocus())
                zellen.append(Zugang(t));
        return zellen;
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    QAccessibleInterface* Kopf(int zeile) const
    {
        return m_koepfe.Holen(zeile, [this](int z) { return new WochenKopf(widget(), z); });
    }

private:
    Kinderliste m_koepfe;
};

QList<QAccessibleInterface*> TagZelle::rowHeaderCells() const
{
    auto* tabelle = dynamic_cast<KalenderTabelle*>(table());
    const int p = Position(Tag());
    if (!tabelle || p < 0)
        return {};
    return {tabelle->Kopf(p / Wochentage)};
}

// The window's status line: the commands' answers, which a reader reads on request.
class Statuszeile final : public QAccessibleWidget
{
public:
    explicit Statuszeile(QLabel* zeile) : QAccessibleWidget(zeile, QAccessible::StatusBar) {}

    QString text(QAccessible::Text art) const override
    {
        if (art == QAccessible::Name)
            return static_cast<QLabel*>(widget())->text().trimmed();
        return QAccessibleWidget::text(art);
    }
};

} // namespace

QAccessibleInterface* TagZugang(const QString& klasse, QObject* objekt)
{
    if (klasse == QLatin1String("tday")) {
        if (auto* tag = qobject_cast<tday*>(objekt))
            return new TagZelle(tag);
    } else if (klasse == QLatin1String("QWidget") &&
               objekt->objectName() == QLatin1String(KalenderinhaltName)) {
        if (auto* inhalt = qobject_cast<QWidget*>(objekt))
            return new KalenderTabelle(inhalt);
    } else if (klasse == QLatin1String("QLabel") &&
               objekt->objectName() == QLatin1String(StatuszeileName)) {
        if (auto* zeile = qobject_cast<QLabel*>(objekt))
            return new Statuszeile(zeile);
    }
    return nullptr;
}

void TagZugangEinrichten()
{
    static const bool eingerichtet = [] {
        QAccessible::installFactory(&TagZugang);
        return true;
    }();
    Q_UNUSED(eingerichtet);
}

QAccessibleInterface* AufgabeZugang(tday* tag, int aufgabe)
{
    if (!tag || aufgabe < 0 || aufgabe >= static_cast<int>(tag->daten.Termine.size()))
        return nullptr;
    QAccessibleInterface* zelle = Zugang(tag);
    QAccessibleInterface* liste = zelle ? zelle->child(0) : nullptr;
    return liste ? liste->child(aufgabe) : nullptr;
}

void FokusMelden(tday* tag)
{
    if (!tag || !tag->hasFocus() || !QAccessible::isActive())
        return;
    if (QAccessibleInterface* aufgabe = AufgabeZugang(tag, tag->FokussierteAufgabe())) {
        QAccessibleEvent ereignis(aufgabe, QAccessible::Focus);
        QAccessible::updateAccessibility(&ereignis);
    } else {
        QAccessibleEvent ereignis(tag, QAccessible::Focus);
        QAccessible::updateAccessibility(&ereignis);
    }
}

void FokusMeldenDanach(tday* tag)
{
    if (!tag || !QAccessible::isActive() || tag->FokussierteAufgabe() < 0)
        return;
    QTimer::singleShot(0, tag, [tag] {
        if (tag->FokussierteAufgabe() >= 0)
            FokusMelden(tag);
    });
}

void TagGeaendert(tday* tag)
{
    if (!tag || !QAccessible::isActive())
        return;
    QAccessibleEvent beschreibung(tag, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&beschreibung);
    QAccessibleInterface* zelle = Zugang(tag);
    QAccessibleInterface* liste = zelle ? zelle->child(0) : nullptr;
    if (QAccessibleInterface* geaendert = liste ? liste : zelle) {
        QAccessibleEvent kinder(geaendert, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&kinder);
    }
    // A task that stays current may have a new name (moved in time, renamed).
    if (QAccessibleInterface* aufgabe = AufgabeZugang(tag, tag->FokussierteAufgabe())) {
        QAccessibleEvent name(aufgabe, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&name);
    }
}

namespace Ansage {

QString Verschoben(const QString& titel, double tag, int mitgezogen)
{
    QString text =
        QStringLiteral("„%1“ liegt jetzt am %2.").arg(titel, Kalendertexte::LangesDatum(tag));
    if (mitgezogen == 1)
        text += QStringLiteral(" 1 abhängige Aufgabe wurde mitverschoben.");
    else if (mitgezogen > 1)
        text += QStringLiteral(" %1 abhängige Aufgaben wurden mitverschoben.").arg(mitgezogen);
    return text;
}

QString Zurueckgenommen()
{
    return QStringLiteral("Die letzte Änderung wurde zurückgenommen.");
}

QString Gespeichert(const QString& pfad)
{
    return QStringLiteral("Der Plan wurde in „%1“ gespeichert.").arg(QFileInfo(pfad).fileName());
}

QString NeueAufgabe(double tag)
{
    return QStringLiteral("Neue Aufgabe am %1").arg(Kalendertexte::LangesDatum(tag));
}

} // namespace Ansage
