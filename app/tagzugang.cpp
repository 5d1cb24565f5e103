#include "app/tagzugang.h"

#include "app/tday.h"
#include "model/kalendertexte.h"
#include "widgets/zellengeometrie.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <vector>

namespace {

QString Aufgabenanzahl(size_t n)
{
    if (n == 0)
        return QStringLiteral("Keine Aufgabe");
    if (n == 1)
        return QStringLiteral("1 Aufgabe");
    return QStringLiteral("%1 Aufgaben").arg(n);
}

// One task of a cell; it reads the cell's appointment at its index whenever asked, so it stays
// right when the calendar is refreshed.
class TerminZugang final : public QAccessibleInterface
{
public:
    TerminZugang(tday* tag, int index) : m_tag(tag), m_index(index) {}

    bool isValid() const override
    {
        return m_tag && m_index < static_cast<int>(m_tag->daten.Termine.size());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_tag ? m_tag->window()->windowHandle() : nullptr; }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override
    {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_tag ? QAccessible::queryAccessibleInterface(m_tag.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

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
    void setText(QAccessible::Text, const QString&) override {}

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
        s.invisible = !isValid();
        return s;
    }

private:
    QPointer<tday> m_tag;
    int m_index;
};

class TagZelle final : public QAccessibleWidget
{
public:
    explicit TagZelle(tday* tag) : QAccessibleWidget(tag, QAccessible::Cell) {}
    ~TagZelle() override
    {
        for (QAccessible::Id id : m_kinder)
            QAccessible::deleteAccessibleInterface(id);
    }
    TagZelle(const TagZelle&) = delete;
    TagZelle& operator=(const TagZelle&) = delete;

    QString text(QAccessible::Text art) const override
    {
        switch (art) {
        case QAccessible::Name:
            return Kalendertexte::LangesDatum(Tag()->Datum());
        case QAccessible::Description: {
            QString text = Aufgabenanzahl(Tag()->daten.Termine.size());
            if (Tag()->daten.Feiertag)
                text = QStringLiteral("Feiertag, ") + text;
            return text;
        }
        default:
            return QAccessibleWidget::text(art);
        }
    }

    int childCount() const override { return static_cast<int>(Tag()->daten.Termine.size()); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        // One interface per position, made on demand and kept for the cell's life.
        while (static_cast<int>(m_kinder.size()) <= index) {
            auto* kind = new TerminZugang(Tag(), static_cast<int>(m_kinder.size()));
            m_kinder.push_back(QAccessible::registerAccessibleInterface(kind));
        }
        return QAccessible::accessibleInterface(m_kinder[static_cast<size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface* kind) const override
    {
        for (size_t i = 0; i < m_kinder.size() && static_cast<int>(i) < childCount(); ++i)
            if (QAccessible::accessibleInterface(m_kinder[i]) == kind)
                return static_cast<int>(i);
        return -1;
    }

    QAccessibleInterface* focusChild() const override
    {
        const int i = Tag()->FokussierteAufgabe();
        return Tag()->hasFocus() && i >= 0 ? child(i) : nullptr;
    }

private:
    tday* Tag() const { return static_cast<tday*>(widget()); }

    mutable std::vector<QAccessible::Id> m_kinder;
};

} // namespace

QAccessibleInterface* TagZugang(const QString& klasse, QObject* objekt)
{
    if (klasse == QLatin1String("tday"))
        if (auto* tag = qobject_cast<tday*>(objekt))
            return new TagZelle(tag);
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
