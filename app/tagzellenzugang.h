#pragma once

#include "app/zugangsbausteine.h"

#include <QAccessibleWidget>

class tday;

namespace Kalenderzugang {

// A day cell: a table cell named by its date, described by what marks it; its tasks are its
// one child, a list.
class TagZelle final : public QAccessibleWidget, public QAccessibleTableCellInterface
{
public:
    explicit TagZelle(tday* tag);

    void* interface_cast(QAccessible::InterfaceType art) override;
    QString text(QAccessible::Text art) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* kind) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    int columnIndex() const override;
    int rowIndex() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    QAccessibleInterface* table() const override;

private:
    tday* Tag() const;
    // "heute, Umzugstag, Feiertag, 2 Aufgaben, Eingabetaste: neue Aufgabe"
    QString Beschreibung() const;

    Kinderliste m_liste;
};

} // namespace Kalenderzugang
