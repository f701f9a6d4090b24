#include "BoardView.h"

#include "common/ui/Style.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/PlanningFile.h"
#include "planner/ui/BoardAccessible.h"
#include "storage/Amounts.h"
#include "storage/CalendarNames.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <utility>

namespace rf {

namespace {
constexpr int MonthBandHeight = 20;
constexpr int NarrowestDay = 11;
constexpr int BarInset = 3;
constexpr int ShortestCutLabel = 3;   // letters a label cut with "…" keeps at least
constexpr int NarrowestNumbered = 17; // narrower days show only the numbers of Mondays and firsts

QString monthName(const QDate& date)
{
    return rf::monthName(date.month()) + QLatin1Char(' ') + QString::number(date.year());
}

bool weekend(const QDate& date)
{
    return date.dayOfWeek() >= 6;
}

QFont boardFont(bool bold)
{
    return Style::font(Style::Family::Arial, 12, bold);
}
} // namespace

QColor BoardView::barColour(const QString& text)
{
    static const std::array<QRgb, 5> colours{Style::SteelBlue, Style::DarkCyan, Style::Navy, Style::Brown,
                                             Style::PartlyAmber};
    return QColor::fromRgba(colours[qHash(text) % colours.size()]);
}

QString BoardView::barLabel(const QFontMetrics& metrics, const QString& text, int width)
{
    if (width <= 0)
        return {};
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString cut = metrics.elidedText(text, Qt::ElideRight, width);
    // The ellipsis and the letters before it, unless too few of them remain to tell a name.
    return cut.size() > ShortestCutLabel ? cut : QString();
}

BoardView::BoardView(QWidget* parent) : QAbstractScrollArea(parent)
{
    BoardAccessible::install();
    setObjectName(QStringLiteral("grdTabellone"));
    setAccessibleName(QStringLiteral("Prenotazioni"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameShape(QFrame::StyledPanel);
    verticalScrollBar()->setSingleStep(RowHeight);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
}

void BoardView::setRows(std::vector<Planning::BoardRow> rows, const QDate& start, int count,
                        const QDate& today)
{
    // A marked run means days of this span; other days, and it is gone.
    if (start != m_start || count != m_count)
        clearMark();
    m_rows = std::move(rows);
    m_start = start;
    m_count = count;
    m_today = today;
    if (m_count <= 0) {
        m_row = m_day = -1;
    } else if (m_rows.empty()) {
        // No row to stand on ("Solo liberi" may have left none): the day is kept for the next rows.
        m_row = -1;
        m_day = std::clamp(m_day < 0 ? 0 : m_day, 0, m_count - 1);
    } else {
        m_row = std::clamp(m_row, 0, int(m_rows.size()) - 1);
        m_day = std::clamp(m_day < 0 ? 0 : m_day, 0, m_count - 1);
    }
    updateScrollBars();
    viewport()->update();
    BoardAccessible::rowsChanged(this);
    emit currentChanged(m_row, m_day);
    announceCurrent(true);
}

void BoardView::setRow(int row, Planning::BoardRow boardRow)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    m_rows[std::size_t(row)] = std::move(boardRow);
    viewport()->update();
    BoardAccessible::rowsChanged(this, row, row);
    emit currentChanged(m_row, m_day);
}

void BoardView::setCurrent(int row, int day)
{
    if (m_count <= 0)
        return;
    // Without rows the day still moves, so that a mark can be changed while no vehicle shows.
    row = m_rows.empty() ? -1 : std::clamp(row, 0, int(m_rows.size()) - 1);
    day = std::clamp(day, 0, m_count - 1);
    if (row == m_row && day == m_day)
        return;
    m_row = row;
    m_day = day;
    ensureVisible(std::max(row, 0), day);
    viewport()->update();
    emit currentChanged(m_row, m_day);
    announceCurrent(false);
}

// A screen reader follows the current day while the board has the focus. The rows may have been
// replaced meanwhile (by a window answering currentChanged): a day told since is not told again.
void BoardView::announceCurrent(bool always)
{
    const std::pair<int, int> here{m_row, m_day};
    if (!hasFocus() || (!always && here == m_announced))
        return;
    m_announced = here;
    BoardAccessible::focusCurrent(this);
}

void BoardView::setMarked(int first, int last)
{
    if (m_count <= 0)
        return;
    first = std::clamp(std::min(first, last), 0, m_count - 1);
    last = std::clamp(std::max(first, last), 0, m_count - 1);
    if (first == m_markFirst && last == m_markLast)
        return;
    m_markFirst = first;
    m_markLast = last;
    viewport()->update();
    emit markChanged();
}

void BoardView::clearMark()
{
    m_anchor = -1;
    if (m_markFirst < 0)
        return;
    m_markFirst = m_markLast = -1;
    viewport()->update();
    emit markChanged();
}

// Shift with the arrows: the mark runs from where it began to the current day.
void BoardView::extendMark(int day)
{
    if (m_anchor < 0 || !hasMark())
        m_anchor = m_day;
    setCurrent(m_row, day);
    setMarked(m_anchor, m_day);
}

// A day asked for: inside the marked run the whole run, elsewhere that day alone.
void BoardView::choose(int row, int day)
{
    if (hasMark() && m_markFirst <= day && day <= m_markLast && m_markLast > m_markFirst) {
        emit spanChosen(row, m_markFirst, m_markLast);
        return;
    }
    clearMark();
    emit dayChosen(row, day);
}

int BoardView::dayWidth() const
{
    if (m_count <= 0)
        return NarrowestDay;
    return std::max(NarrowestDay, (viewport()->width() - LabelWidth) / m_count);
}

int BoardView::visibleRows() const
{
    return std::max(1, (viewport()->height() - HeaderHeight) / RowHeight);
}

void BoardView::updateScrollBars()
{
    const int wide = m_count * dayWidth() - (viewport()->width() - LabelWidth);
    horizontalScrollBar()->setRange(0, std::max(0, wide));
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width() - LabelWidth));
    horizontalScrollBar()->setSingleStep(dayWidth());
    const int high = int(m_rows.size()) * RowHeight - (viewport()->height() - HeaderHeight);
    verticalScrollBar()->setRange(0, std::max(0, high));
    verticalScrollBar()->setPageStep(std::max(RowHeight, viewport()->height() - HeaderHeight));
}

void BoardView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

QRect BoardView::cellRect(int row, int day) const
{
    const int width = dayWidth();
    const int left = day < 0 ? 0 : LabelWidth + day * width - horizontalScrollBar()->value();
    const int top = row < 0 ? 0 : HeaderHeight + row * RowHeight - verticalScrollBar()->value();
    return QRect(left, top, day < 0 ? LabelWidth : width, row < 0 ? HeaderHeight : RowHeight);
}

void BoardView::ensureVisible(int row, int day)
{
    const QRect cell = cellRect(row, day);
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    if (cell.left() < LabelWidth)
        across->setValue(across->value() - (LabelWidth - cell.left()));
    else if (cell.right() >= viewport()->width())
        across->setValue(across->value() + cell.right() - viewport()->width() + 1);
    if (cell.top() < HeaderHeight)
        down->setValue(down->value() - (HeaderHeight - cell.top()));
    else if (cell.bottom() >= viewport()->height())
        down->setValue(down->value() + cell.bottom() - viewport()->height() + 1);
}

BoardView::Hit BoardView::hitAt(const QPoint& point) const
{
    Hit hit;
    if (point.y() < HeaderHeight)
        return hit;
    const int row = (point.y() - HeaderHeight + verticalScrollBar()->value()) / RowHeight;
    if (row < 0 || row >= int(m_rows.size()))
        return hit;
    hit.row = row;
    if (point.x() < LabelWidth) {
        hit.onLabel = true;
        return hit;
    }
    hit.day = dayAt(point.x());
    return hit;
}

int BoardView::dayAt(int x) const
{
    if (x < LabelWidth)
        return -1;
    const int day = (x - LabelWidth + horizontalScrollBar()->value()) / dayWidth();
    return day < m_count ? day : -1;
}

QString BoardView::rowLabel(int row) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return {};
    const Planning::Vehicle& vehicle = m_rows[std::size_t(row)].vehicle.vehicle;
    return Fleet::vehicleLabel(vehicle.number, vehicle.make);
}

QString BoardView::cornerText() const
{
    return QStringLiteral("Veicoli: %1").arg(m_rows.size());
}

QString BoardView::describe(int row, int day) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return {};
    const Planning::BoardRow& board = m_rows[std::size_t(row)];
    QString text = rowLabel(row);
    if (day >= 0 && day < m_count) {
        const QDate date = m_start.addDays(day);
        const auto bar =
            std::find_if(board.bars.begin(), board.bars.end(),
                         [day](const Planning::BoardBar& b) { return b.first <= day && day <= b.last; });
        const Planning::WorkshopBar* workshop = Planning::workshopOn(board, day, day);
        if (workshop)
            text += QLatin1Char('\n') + workshop->text();
        if (bar == board.bars.end()) {
            if (!workshop)
                text += QStringLiteral("\nLibera il ") + formatDate(date);
        } else {
            // The whole booking, wherever it begins and ends, so that it reads the same on any span.
            const QDate from = bar->from.isValid() ? bar->from : m_start.addDays(bar->first);
            const QDate to = bar->to.isValid() ? bar->to : m_start.addDays(bar->last);
            text += QLatin1Char('\n') + bar->text + QLatin1Char('\n') +
                    (from == to ? QStringLiteral("il ") + formatDate(from)
                                : QStringLiteral("dal %1 al %2 (%3 giorni)")
                                      .arg(formatDate(from), formatDate(to))
                                      .arg(from.daysTo(to) + 1));
        }
    }
    if (!board.problem.isEmpty())
        text += QStringLiteral("\nPrenotazioni non note: ") + board.problem;
    return text;
}

BoardView::Shown BoardView::shown() const
{
    const QRect area = viewport()->rect();
    const int width = dayWidth();
    const int left = horizontalScrollBar()->value();
    const int top = verticalScrollBar()->value();
    return {std::max(0, left / width), std::min(m_count - 1, (left + area.width() - LabelWidth) / width),
            std::max(0, top / RowHeight),
            std::min(int(m_rows.size()) - 1, (top + area.height() - HeaderHeight) / RowHeight)};
}

void BoardView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(area, Qt::white);
    if (m_count <= 0)
        return;
    const Shown on = shown();
    painter.save();
    painter.setClipRect(
        QRect(LabelWidth, HeaderHeight, area.width() - LabelWidth, area.height() - HeaderHeight));
    paintDays(painter, on);
    paintBars(painter, on);
    paintCursor(painter);
    painter.restore();
    paintHeader(painter, on);
    paintLabels(painter, on);
}

// The days: weekends shaded, the marked run washed, a rule between days and rows.
void BoardView::paintDays(QPainter& painter, const Shown& on) const
{
    const int width = dayWidth();
    const int bottom = viewport()->height();
    for (int day = on.firstDay; day <= on.lastDay; ++day) {
        const QRect column = cellRect(0, day);
        if (weekend(m_start.addDays(day)))
            painter.fillRect(QRect(column.left(), HeaderHeight, width, bottom),
                             QColor::fromRgba(Style::WeekendShade));
        painter.setPen(QColor::fromRgba(Style::BoardRule));
        painter.drawLine(column.right(), HeaderHeight, column.right(), bottom);
    }
    if (hasMark()) {
        const QRect first = cellRect(0, m_markFirst);
        painter.fillRect(QRect(first.left(), HeaderHeight, (m_markLast - m_markFirst + 1) * width, bottom),
                         QColor::fromRgba(Style::HoverWash));
    }
    for (int row = on.firstRow; row <= on.lastRow; ++row) {
        const int y = cellRect(row, 0).bottom();
        painter.setPen(QColor::fromRgba(Style::BoardRule));
        painter.drawLine(LabelWidth, y, viewport()->width(), y);
    }
}

// Each row's bookings; a row whose bookings are not known is hatched and says why.
void BoardView::paintBars(QPainter& painter, const Shown& on) const
{
    painter.setFont(boardFont(true));
    for (int row = on.firstRow; row <= on.lastRow; ++row) {
        const Planning::BoardRow& board = m_rows[std::size_t(row)];
        for (const auto& [from, to] : board.unknown)
            paintUnknown(painter, row, from, to);
        for (const Planning::BoardBar& bar : board.bars) {
            if (bar.last >= on.firstDay && bar.first <= on.lastDay)
                paintBar(painter, row, bar);
        }
        for (const Planning::WorkshopBar& bar : board.workshop) {
            if (bar.last >= on.firstDay && bar.first <= on.lastDay)
                paintWorkshop(painter, row, bar);
        }
    }
}

void BoardView::paintUnknown(QPainter& painter, int row, int from, int to) const
{
    const QString& problem = m_rows[std::size_t(row)].problem;
    const QRect first = cellRect(row, from);
    const QRect part(first.left(), first.top(), (to - from + 1) * dayWidth(), RowHeight - 1);
    painter.fillRect(part, QBrush(QColor::fromRgba(Style::UnreadableViolet), Qt::BDiagPattern));
    painter.setPen(QColor::fromRgba(Style::UnreadableViolet));
    const QRect words = part.adjusted(6, 0, 0, 0)
                            .intersected(QRect(LabelWidth + 6, part.top(), viewport()->width(), RowHeight));
    painter.fillRect(words.left() - 2, part.top() + 4, painter.fontMetrics().horizontalAdvance(problem) + 4,
                     RowHeight - 9, Qt::white);
    painter.drawText(words, Qt::AlignVCenter | Qt::AlignLeft, problem);
}

QRect BoardView::barBox(int row, int first, int last) const
{
    const QRect from = cellRect(row, first);
    const QRect to = cellRect(row, last);
    return {from.left() + 1, from.top() + BarInset, to.right() - from.left() - 1,
            RowHeight - 2 * BarInset - 1};
}

QRect BoardView::barLabelArea(const QRect& box) const
{
    return box.adjusted(4, 0, -3, 0)
        .intersected(QRect(LabelWidth + 2, box.top(), viewport()->width() - LabelWidth - 2, box.height()));
}

void BoardView::paintBar(QPainter& painter, int row, const Planning::BoardBar& bar) const
{
    const QRect box = barBox(row, bar.first, bar.last);
    QPainterPath path;
    path.addRoundedRect(box, 4, 4);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(path, barColour(bar.text));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::white);
    // The part of the bar on show; a bar too short for its text shows its colour alone, and the
    // tooltip and the line below tell it.
    const QRect label = barLabelArea(box);
    const QString shown = barLabel(painter.fontMetrics(), bar.text, label.width());
    if (!shown.isEmpty())
        painter.drawText(label, Qt::AlignVCenter | Qt::AlignLeft, shown);
}

// A stay in the workshop: a hatched bar over its days (over any booking there, which it keeps from
// being used), labelled "IN OFFICINA".
void BoardView::paintWorkshop(QPainter& painter, int row, const Planning::WorkshopBar& bar) const
{
    const QRect box = barBox(row, bar.first, bar.last);
    painter.fillRect(box, QColor::fromRgba(Style::WorkshopFill));
    painter.fillRect(box, QBrush(QColor::fromRgba(Style::WorkshopInk), Qt::FDiagPattern));
    painter.setPen(QColor::fromRgba(Style::WorkshopInk));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QRect label = barLabelArea(box);
    const QString shown = barLabel(painter.fontMetrics(), QStringLiteral("IN OFFICINA"), label.width());
    if (shown.isEmpty())
        return;
    const int width = painter.fontMetrics().horizontalAdvance(shown) + 6;
    painter.fillRect(label.left() - 2, box.top() + 2, width, box.height() - 4,
                     QColor::fromRgba(Style::WorkshopFill));
    painter.drawText(label, Qt::AlignVCenter | Qt::AlignLeft, shown);
}

// Today's line, when today is on the board, and the frame of the current day.
void BoardView::paintCursor(QPainter& painter) const
{
    const qint64 todayIndex = m_start.daysTo(m_today);
    if (todayIndex >= 0 && todayIndex < m_count) {
        const QRect column = cellRect(0, int(todayIndex));
        painter.setPen(QPen(QColor::fromRgba(Style::Crimson), 2));
        painter.drawLine(column.center().x(), HeaderHeight, column.center().x(), viewport()->height());
    }
    if (m_row >= 0 && m_day >= 0 && m_row < int(m_rows.size())) {
        painter.setPen(QPen(QColor::fromRgba(hasFocus() ? Style::FocusRing : Style::PanelBorder), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cellRect(m_row, m_day).adjusted(1, 1, -1, -1));
    }
}

// The header: months over their days, then each day's number (and initial, when wide enough).
void BoardView::paintHeader(QPainter& painter, const Shown& on) const
{
    const int right = viewport()->width();
    painter.fillRect(QRect(0, 0, right, HeaderHeight), QColor::fromRgba(Style::HeaderFill));
    painter.save();
    painter.setClipRect(QRect(LabelWidth, 0, right - LabelWidth, HeaderHeight));
    paintMonths(painter, on);
    paintDayNumbers(painter, on);
    paintToday(painter, on);
    painter.restore();
}

void BoardView::paintMonths(QPainter& painter, const Shown& on) const
{
    painter.setFont(boardFont(true));
    for (int day = on.firstDay; day <= on.lastDay;) {
        const QDate date = m_start.addDays(day);
        const int monthEnd = std::min(on.lastDay, day + date.daysInMonth() - date.day());
        const QRect band(cellRect(-1, day).left(), 0, (monthEnd - day + 1) * dayWidth(), MonthBandHeight);
        painter.setPen(QColor::fromRgba(Style::Ink));
        painter.drawText(band.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(monthName(date), Qt::ElideRight, band.width() - 4));
        painter.setPen(QColor::fromRgba(Style::PanelBorder));
        painter.drawLine(band.left(), 0, band.left(), HeaderHeight);
        day = monthEnd + 1;
    }
}

void BoardView::paintDayNumbers(QPainter& painter, const Shown& on) const
{
    const int width = dayWidth();
    painter.setFont(boardFont(false));
    for (int day = on.firstDay; day <= on.lastDay; ++day) {
        const QDate date = m_start.addDays(day);
        const QRect cell = cellRect(-1, day).adjusted(0, MonthBandHeight, 0, 0);
        if (hasMark() && m_markFirst <= day && day <= m_markLast)
            painter.fillRect(cell, QColor::fromRgba(Style::HoverWash));
        if (date == m_today)
            continue; // drawn last, over its neighbours
        if (width < NarrowestNumbered && date.dayOfWeek() != 1 && date.day() != 1)
            continue;
        painter.setPen(QColor::fromRgba(weekend(date) ? Style::WeekendRed : Style::Ink));
        QString number = QString::number(date.day());
        if (width >= 44)
            number = weekdayInitials(date.dayOfWeek()) + QLatin1Char(' ') + number;
        // A narrow day's number may run over its neighbours, which carry none.
        painter.drawText(width < NarrowestNumbered ? cell.adjusted(0, 0, width, 0) : cell,
                         width < NarrowestNumbered ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter,
                         number);
    }
}

void BoardView::paintToday(QPainter& painter, const Shown& on) const
{
    const qint64 today = m_start.daysTo(m_today);
    if (today < on.firstDay || today > on.lastDay)
        return;
    const int width = dayWidth();
    QString number = QString::number(m_today.day());
    if (width >= 44)
        number = weekdayInitials(m_today.dayOfWeek()) + QLatin1Char(' ') + number;
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QRect cell = cellRect(-1, int(today)).adjusted(0, MonthBandHeight, 0, 0);
    const int wide = std::max(width, painter.fontMetrics().horizontalAdvance(number) + 6);
    const QRect mark(cell.center().x() - wide / 2, cell.top(), wide, cell.height());
    painter.fillRect(mark, QColor::fromRgba(Style::Crimson));
    painter.setPen(Qt::white);
    painter.drawText(mark, Qt::AlignCenter, number);
}

// The vehicles down the left, the current one washed, under the count of them.
void BoardView::paintLabels(QPainter& painter, const Shown& on) const
{
    const QRect area = viewport()->rect();
    painter.fillRect(QRect(0, HeaderHeight, LabelWidth, area.height()), QColor::fromRgba(Style::IdleFill));
    painter.save();
    painter.setClipRect(QRect(0, HeaderHeight, LabelWidth, area.height() - HeaderHeight));
    painter.setFont(boardFont(false));
    for (int row = on.firstRow; row <= on.lastRow; ++row) {
        const QRect cell = cellRect(row, -1);
        if (row == m_row)
            painter.fillRect(cell, QColor::fromRgba(Style::HoverWash));
        const bool known = m_rows[std::size_t(row)].problem.isEmpty();
        painter.setPen(QColor::fromRgba(known ? Style::Ink : Style::UnreadableViolet));
        painter.drawText(cell.adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(rowLabel(row), Qt::ElideRight, cell.width() - 10));
        painter.setPen(QColor::fromRgba(Style::BoardRule));
        painter.drawLine(0, cell.bottom(), LabelWidth, cell.bottom());
    }
    painter.restore();
    painter.setPen(QColor::fromRgba(Style::PanelBorder));
    painter.drawLine(LabelWidth - 1, 0, LabelWidth - 1, area.height());
    painter.drawLine(0, HeaderHeight - 1, area.width(), HeaderHeight - 1);
    painter.fillRect(QRect(0, 0, LabelWidth - 1, HeaderHeight - 1), QColor::fromRgba(Style::HeaderFill));
    painter.setPen(QColor::fromRgba(Style::Ink));
    painter.setFont(boardFont(true));
    painter.drawText(QRect(6, 0, LabelWidth - 12, HeaderHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     cornerText());
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const Hit hit = hitAt(event->position().toPoint());
    if (hit.row < 0)
        return;
    setCurrent(hit.row, hit.onLabel ? m_day : hit.day);
    // The day is asked for when the button comes up on it; dragging across days marks them.
    m_pressDay = hit.onLabel ? -1 : hit.day;
    m_dragged = false;
}

void BoardView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressDay < 0 || !(event->buttons() & Qt::LeftButton))
        return QAbstractScrollArea::mouseMoveEvent(event);
    const Hit hit = hitAt(event->position().toPoint());
    if (hit.day < 0 || (hit.day == m_pressDay && !m_dragged))
        return;
    m_dragged = true;
    m_anchor = m_pressDay;
    setCurrent(m_row, hit.day);
    setMarked(m_pressDay, hit.day);
}

void BoardView::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = std::exchange(m_pressDay, -1);
    if (event->button() != Qt::LeftButton || pressed < 0)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    const Hit hit = hitAt(event->position().toPoint());
    if (!m_dragged && hit.row == m_row && hit.day == pressed)
        choose(m_row, pressed);
}

void BoardView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const Hit hit = hitAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && hit.onLabel)
        emit vehicleChosen(hit.row);
}

bool BoardView::collectCodeKey(const QKeyEvent* event)
{
    if (m_typedCode.isEmpty() || !m_typedAt.isValid() || m_typedAt.elapsed() > CodeKeyGapMs)
        m_typedCode.clear();
    if (event->key() == Qt::Key_Backspace && !m_typedCode.isEmpty()) {
        m_typedCode.chop(1);
        m_typedAt.start();
        return true;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    // A blank starts nothing (Space chooses the day) but may stand inside a code.
    if (text.size() != 1 || !text.front().isPrint() || (text.front().isSpace() && m_typedCode.isEmpty()))
        return false;
    m_typedCode += text;
    m_typedAt.start();
    return true;
}

void BoardView::keyPressEvent(QKeyEvent* event)
{
    if (m_count <= 0)
        return QAbstractScrollArea::keyPressEvent(event);
    if (collectCodeKey(event))
        return event->accept();
    const bool control = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const QString code = std::exchange(m_typedCode, QString()); // any other key ends the code
    if (!code.isEmpty() && !shift && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        emit codeTyped(code);
        return event->accept();
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int day = m_day + (event->key() == Qt::Key_Left ? -1 : 1);
        if (shift) {
            extendMark(day);
        } else {
            clearMark();
            setCurrent(m_row, day);
        }
        break;
    }
    case Qt::Key_Up:
        setCurrent(m_row - 1, m_day);
        break;
    case Qt::Key_Down:
        setCurrent(m_row + 1, m_day);
        break;
    case Qt::Key_PageUp:
        setCurrent(m_row - visibleRows(), m_day);
        break;
    case Qt::Key_PageDown:
        setCurrent(m_row + visibleRows(), m_day);
        break;
    case Qt::Key_Home:
        if (control) {
            setCurrent(0, m_day);
        } else if (shift) {
            extendMark(0);
        } else {
            clearMark();
            setCurrent(m_row, 0);
        }
        break;
    case Qt::Key_End:
        if (control) {
            setCurrent(int(m_rows.size()) - 1, m_day);
        } else if (shift) {
            extendMark(m_count - 1);
        } else {
            clearMark();
            setCurrent(m_row, m_count - 1);
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (shift)
            emit vehicleChosen(m_row);
        else if (hasMark() && m_markLast > m_markFirst)
            emit spanChosen(m_row, m_markFirst, m_markLast);
        else
            choose(m_row, m_day);
        break;
    default:
        return QAbstractScrollArea::keyPressEvent(event);
    }
    event->accept();
}

void BoardView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    announceCurrent(true);
}

void BoardView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_typedCode.clear();
    viewport()->update();
}

bool BoardView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Hit hit = hitAt(help->pos());
        const QString text = describe(hit.row, hit.day);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

} // namespace rf
