#pragma once

#include "app/zugangsbausteine.h"

#include <QPointer>

class tday;

namespace Kalenderzugang {

// One task of a cell; it reads the cell's appointment at its index whenever asked, so it stays
// right when the calendar is refreshed. Named with date, title, begin, duration and, from the
// plan of the window, its state (", erledigt", ", überfällig"); described by its notes.
class TerminZugang final : public Gezeichnet
{
public:
    TerminZugang(tday* tag, int index) : m_tag(tag), m_index(index) {}

    bool isValid() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text art) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

private:
    QPointer<tday> m_tag;
    int m_index;
};

// The day's tasks in the order of their begin, the one child of a cell with tasks.
class AufgabenListe final : public QAccessibleInterface
{
public:
    explicit AufgabenListe(tday* tag) : m_tag(tag) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override
    {
        return {};
    }
    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* kind) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // Unnamed: a reader reading the week's row says the cell's date, not the list's name.
    QString text(QAccessible::Text) const override { return {}; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::List; }
    QAccessible::State state() const override;

private:
    QPointer<tday> m_tag;
    Kinderliste m_kinder;
};

} // namespace Kalenderzugang
