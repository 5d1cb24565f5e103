#pragma once

#include "app/zugangsbausteine.h"

#include <QAccessibleWidget>
#include <QPointer>

namespace Kalenderzugang {

// The head of a row of the calendar: its week number ("Kalenderwoche 50"), drawn in the week
// column.
class WochenKopf final : public Gezeichnet
{
public:
    WochenKopf(QWidget* inhalt, int zeile) : m_inhalt(inhalt), m_zeile(zeile) {}

    bool isValid() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text art) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::RowHeader; }
    QAccessible::State state() const override;

private:
    const tday* ErsterTag() const;

    QPointer<QWidget> m_inhalt;
    int m_zeile;
};

// The calendar content, the table "Umzugskalender": the weeks as rows, each a week head and the
// seven day cells.
class KalenderTabelle final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit KalenderTabelle(QWidget* inhalt) : QAccessibleWidget(inhalt, QAccessible::Table) {}

    void* interface_cast(QAccessible::InterfaceType art) override;
    QString text(QAccessible::Text art) const override;
    int childCount() const override { return rowCount() * (Wochentage + 1); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* kind) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int zeile, int spalte) const override;
    int rowCount() const override;
    int columnCount() const override { return rowCount() > 0 ? Wochentage : 0; }
    QString columnDescription(int spalte) const override;
    QString rowDescription(int zeile) const override;
    // The focused cell is the one selected.
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override;
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

    // The head of row `zeile`.
    QAccessibleInterface* Kopf(int zeile) const;

private:
    Kinderliste m_koepfe;
};

} // namespace Kalenderzugang
