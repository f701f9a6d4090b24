#include "BoardAccessible.h"

#include "planner/ui/BoardView.h"
#include "storage/Amounts.h"
#include "storage/CalendarNames.h"

#include <QPointer>

#include <algorithm>

namespace rf {

namespace {

QAccessibleInterface* boardFactory(const QString& key, QObject* object)
{
    auto* view = qobject_cast<BoardView*>(object);
    if (!view || key != QLatin1String(BoardView::staticMetaObject.className()))
        return nullptr;
    return new BoardAccessible(view);
}

BoardAccessible* tableOf(BoardView* view)
{
    return dynamic_cast<BoardAccessible*>(QAccessible::queryAccessibleInterface(view));
}

// "Martedì 05/03/2024": a day's header as a screen reader says it.
QString dayHeading(const BoardView& view, int day)
{
    const QDate date = view.start().addDays(day);
    return weekdayName(date.dayOfWeek()) + QLatin1Char(' ') + formatDate(date);
}

bool inMark(const BoardView& view, int day)
{
    const auto [first, last] = view.marked();
    return view.hasMark() && first <= day && day <= last;
}

// A day's cell, a day's header (row -1), a vehicle's label (day -1) or the corner (both -1).
class BoardItem final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    BoardItem(BoardView* view, int row, int day) : m_view(view), m_row(row), m_day(day) {}

    int row() const { return m_row; }
    int day() const { return m_day; }
    bool isCell() const { return m_row >= 0 && m_day >= 0; }

    bool isValid() const override
    {
        return m_view && m_view->dayCount() > 0 && m_row >= -1 && m_row < int(m_view->rows().size()) &&
               m_day >= -1 && m_day < m_view->dayCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_view); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text type) const override
    {
        if (type != QAccessible::Name || !isValid())
            return {};
        if (isCell())
            return m_view->describe(m_row, m_day);
        if (m_row >= 0)
            return m_view->rowLabel(m_row);
        return m_day >= 0 ? dayHeading(*m_view, m_day) : m_view->cornerText();
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_view->cellRect(m_row, m_day);
        return QRect(m_view->viewport()->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::Role role() const override
    {
        if (isCell())
            return QAccessible::Cell;
        return m_row >= 0 ? QAccessible::RowHeader : QAccessible::ColumnHeader;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.offscreen = !m_view->viewport()->rect().intersects(m_view->cellRect(m_row, m_day));
        if (isCell()) {
            state.focusable = true;
            state.selectable = true;
            state.focused =
                m_view->hasFocus() && m_row == m_view->currentRow() && m_day == m_view->currentDay();
            state.selected = isSelected();
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface && isCell()
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return isValid() && inMark(*m_view, m_day); }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return header(-1, m_day); }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return header(m_row, -1); }
    int columnIndex() const override { return m_day; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QList<QAccessibleInterface*> header(int row, int day) const
    {
        BoardAccessible* board = isValid() ? tableOf(m_view) : nullptr;
        return board ? QList<QAccessibleInterface*>{board->item(row, day)} : QList<QAccessibleInterface*>{};
    }

    QPointer<BoardView> m_view;
    int m_row;
    int m_day;
};

} // namespace

BoardAccessible::BoardAccessible(BoardView* view) : QAccessibleWidget(view, QAccessible::Table) {}

BoardAccessible::~BoardAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
}

void BoardAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&boardFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void BoardAccessible::focusCurrent(BoardView* view)
{
    BoardAccessible* board = tableOf(view);
    if (!board || view->currentRow() < 0 || view->currentDay() < 0)
        return;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild(board->indexOf(view->currentRow(), view->currentDay()));
    QAccessible::updateAccessibility(&event);
}

void BoardAccessible::rowsChanged(BoardView* view, int first, int last)
{
    using Change = QAccessibleTableModelChangeEvent;
    Change event(view, first < 0 ? Change::ModelReset : Change::DataChanged);
    if (first >= 0) {
        event.setFirstRow(first);
        event.setLastRow(last);
        event.setFirstColumn(0);
        event.setLastColumn(view->dayCount() - 1);
    }
    QAccessible::updateAccessibility(&event);
}

BoardView* BoardAccessible::view() const
{
    return static_cast<BoardView*>(widget());
}

QAccessibleInterface* BoardAccessible::item(int row, int day) const
{
    const QPair<int, int> key(row, day);
    if (const auto found = m_items.constFind(key); found != m_items.cend())
        return QAccessible::accessibleInterface(*found);
    auto* made = new BoardItem(view(), row, day);
    m_items.insert(key, QAccessible::registerAccessibleInterface(made));
    return made;
}

int BoardAccessible::indexOf(int row, int day) const
{
    return (row + 1) * (columnCount() + 1) + day + 1;
}

void* BoardAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int BoardAccessible::childCount() const
{
    return columnCount() > 0 ? (rowCount() + 1) * (columnCount() + 1) : 0;
}

QAccessibleInterface* BoardAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    const int across = columnCount() + 1;
    return item(index / across - 1, index % across - 1);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* found = dynamic_cast<const BoardItem*>(child);
    return found && found->isValid() && found->parent() == this ? indexOf(found->row(), found->day()) : -1;
}

QAccessibleInterface* BoardAccessible::childAt(int x, int y) const
{
    const QPoint at = view()->viewport()->mapFromGlobal(QPoint(x, y));
    if (columnCount() <= 0 || !view()->viewport()->rect().contains(at))
        return nullptr;
    if (at.y() < BoardView::HeaderHeight) {
        const int day = view()->dayAt(at.x());
        return at.x() < BoardView::LabelWidth ? item(-1, -1) : day >= 0 ? item(-1, day) : nullptr;
    }
    const BoardView::Hit hit = view()->hitAt(at);
    if (hit.row < 0 || (!hit.onLabel && hit.day < 0))
        return nullptr;
    return item(hit.row, hit.onLabel ? -1 : hit.day);
}

QAccessibleInterface* BoardAccessible::focusChild() const
{
    if (!view()->hasFocus())
        return nullptr;
    return cellAt(view()->currentRow(), view()->currentDay());
}

QAccessibleInterface* BoardAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return item(row, column);
}

int BoardAccessible::rowCount() const
{
    return int(view()->rows().size());
}

int BoardAccessible::columnCount() const
{
    return std::max(0, view()->dayCount());
}

QString BoardAccessible::rowDescription(int row) const
{
    return row >= 0 && row < rowCount() ? view()->rowLabel(row) : QString();
}

QString BoardAccessible::columnDescription(int column) const
{
    return column >= 0 && column < columnCount() ? dayHeading(*view(), column) : QString();
}

int BoardAccessible::selectedCellCount() const
{
    return selectedColumnCount() * rowCount();
}

QList<QAccessibleInterface*> BoardAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    const QList<int> days = selectedColumns();
    for (int row = 0; row < rowCount(); ++row) {
        for (const int day : days)
            cells.append(item(row, day));
    }
    return cells;
}

int BoardAccessible::selectedColumnCount() const
{
    const auto [first, last] = view()->marked();
    return view()->hasMark() ? last - first + 1 : 0;
}

QList<int> BoardAccessible::selectedColumns() const
{
    QList<int> days;
    for (int day = 0; day < columnCount(); ++day) {
        if (inMark(*view(), day))
            days.append(day);
    }
    return days;
}

bool BoardAccessible::isColumnSelected(int column) const
{
    return inMark(*view(), column);
}

// The items outside the new rows and days go; the others read the board afresh when asked.
void BoardAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    for (auto it = m_items.begin(); it != m_items.end();) {
        if (it.key().first >= rowCount() || it.key().second >= columnCount()) {
            QAccessible::deleteAccessibleInterface(it.value());
            it = m_items.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace rf
