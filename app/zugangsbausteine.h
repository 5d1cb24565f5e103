#pragma once

#include <QAccessible>

#include <vector>

class QWidget;
class tday;

// The building blocks of the calendar's accessible interfaces (app/tagzugang.h).
namespace Kalenderzugang {

inline constexpr int Wochentage = 7;

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

// The interface of `objekt`, nullptr for none.
QAccessibleInterface* Zugang(QObject* objekt);

// The day cells of the calendar content `inhalt`, by date.
std::vector<tday*> Zellen(const QWidget* inhalt);

// The position of `tag` in its calendar: days since the first cell, -1 when it has none.
int Position(const tday* tag);

} // namespace Kalenderzugang
