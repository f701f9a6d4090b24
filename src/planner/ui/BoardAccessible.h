#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPair>

namespace rf {

class BoardView;

// The booking board as screen readers and test tools see it: a table whose rows are the vehicles
// and whose columns are the days. Its children follow the painted board: the corner over the
// vehicles, the days' headers, then each vehicle's label followed by its days. A day's cell is
// named as the board's hint names it, and the current day is the focused cell.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(BoardView* view);
    ~BoardAccessible() override;

    // Gives every board this interface; the first board made installs it.
    static void install();
    // Tells screen readers that view's current day is the focused cell now.
    static void focusCurrent(BoardView* view);
    // Tells them that view's rows were replaced: all of them when first is -1, else first to last.
    static void rowsChanged(BoardView* view, int first = -1, int last = -1);

    BoardView* view() const;
    // The cell of a row and day; a row of -1 gives the day's header, a day of -1 the vehicle's
    // label, both -1 the corner. Made when first asked for, owned by Qt's cache, deleted with the
    // board.
    QAccessibleInterface* item(int row, int day) const;
    // The place of an item among the children.
    int indexOf(int row, int day) const;

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int rowCount() const override;
    int columnCount() const override;
    QString rowDescription(int row) const override;
    QString columnDescription(int column) const override;
    // The marked run of days is the selection: whole columns.
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    int selectedColumnCount() const override;
    QList<int> selectedColumns() const override;
    bool isColumnSelected(int column) const override;
    int selectedRowCount() const override { return 0; }
    QList<int> selectedRows() const override { return {}; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    mutable QHash<QPair<int, int>, QAccessible::Id> m_items;
};

} // namespace rf
