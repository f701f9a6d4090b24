#pragma once

#include "planner/BookingBoard.h"

#include <QAbstractScrollArea>
#include <QDate>
#include <QElapsedTimer>

#include <utility>

class QFontMetrics;
class QPainter;

namespace rf {

// Where the user stood on the booking board: its first day, its span (the index of the board's
// span choice), the vehicle (by fleet card) and the day within the span.
struct BoardPlace {
    QDate start;
    int span = 1;
    qint64 vehicle = 0;
    int day = 0;
};

// The booking board's grid, painted in one piece (no widget per cell): the vehicles down the
// left, the days across the top under their months, weekends shaded, today marked, each booking
// a bar labelled with its text, a vehicle whose bookings are not known hatched with the reason.
// Clicking a day, or Enter on the current day, asks for that day; double-clicking a vehicle, or
// Shift+Enter, asks for its yearly grid. The arrows, Page Up/Down, Home and End move the current
// day. A run of days is marked with Shift+Left/Right or by dragging across the days; while it is
// marked, Enter (or a click inside it) asks for the whole run on the current row. Screen readers
// and test tools read it as a table of vehicles by days (BoardAccessible) that follows the current
// day.
class BoardView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    // The colour of a booking's bar: neighbouring bookings take different colours, picked by their
    // text so that the same customer keeps a colour wherever it stands, on screen and on paper.
    static QColor barColour(const QString& text);
    // What a bar width pixels wide shows of text: all of it when it fits, else the text cut with
    // "…" while a few of its letters remain, else nothing (the hint and status line give it).
    static QString barLabel(const QFontMetrics& metrics, const QString& text, int width);

    // The rows to show, over count days from start; today is marked. The current day stays on the
    // same row and day number where it can.
    void setRows(std::vector<Planning::BoardRow> rows, const QDate& start, int count, const QDate& today);
    const std::vector<Planning::BoardRow>& rows() const { return m_rows; }
    QDate start() const { return m_start; }
    int dayCount() const { return m_count; }

    // The current row and day (-1 when there is none).
    int currentRow() const { return m_row; }
    int currentDay() const { return m_day; }
    void setCurrent(int row, int day);
    // The marked run of days (day indexes, both included); {-1, -1} when none is.
    std::pair<int, int> marked() const { return {m_markFirst, m_markLast}; }
    bool hasMark() const { return m_markFirst >= 0; }
    void setMarked(int first, int last);
    void clearMark();
    // Replaces one row (after a booking), keeping everything else.
    void setRow(int row, Planning::BoardRow boardRow);

    // Where a point of the viewport falls: the row and day, -1 for none; onLabel when it is on a
    // vehicle's name.
    struct Hit {
        int row = -1;
        int day = -1;
        bool onLabel = false;
    };
    Hit hitAt(const QPoint& point) const;
    // The day under a point of the viewport at x, -1 for none.
    int dayAt(int x) const;
    // The rectangle of a day's cell in the viewport; a row of -1 gives the day's header, a day of -1
    // the vehicle's label, both -1 the corner above the labels.
    QRect cellRect(int row, int day) const;
    // What the tooltip says over a day: the booking and its days, or why the row is not known. The
    // line under the board and a screen reader on the day's cell say it too.
    QString describe(int row, int day) const;
    // "Bici n. 7  Atala City": the row's vehicle as its label shows it.
    QString rowLabel(int row) const;
    // What the corner above the labels says: how many vehicles are shown.
    QString cornerText() const;
    // How many rows fit in the viewport below the header.
    int visibleRows() const;

    static constexpr int LabelWidth = 230;
    static constexpr int HeaderHeight = 44;
    static constexpr int RowHeight = 24;

signals:
    void dayChosen(int row, int day);
    void spanChosen(int row, int first, int last);
    void markChanged();
    void vehicleChosen(int row);
    void currentChanged(int row, int day);
    // Printable keys typed in a quick run and then Enter, as a hand scanner types a label's code:
    // the text typed, in place of choosing the current day.
    void codeTyped(const QString& code);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The days and rows at least partly in the viewport.
    struct Shown {
        int firstDay;
        int lastDay;
        int firstRow;
        int lastRow;
    };
    Shown shown() const;
    int dayWidth() const;
    void paintDays(QPainter& painter, const Shown& on) const;
    void paintBars(QPainter& painter, const Shown& on) const;
    void paintUnknown(QPainter& painter, int row, int from, int to) const;
    void paintBar(QPainter& painter, int row, const Planning::BoardBar& bar) const;
    void paintWorkshop(QPainter& painter, int row, const Planning::WorkshopBar& bar) const;
    // The rectangle of a bar over the days first to last of row, and the part of it on show that
    // its label may use.
    QRect barBox(int row, int first, int last) const;
    QRect barLabelArea(const QRect& box) const;
    void paintCursor(QPainter& painter) const;
    void paintHeader(QPainter& painter, const Shown& on) const;
    void paintMonths(QPainter& painter, const Shown& on) const;
    void paintDayNumbers(QPainter& painter, const Shown& on) const;
    // Today's number in the header, on a mark wide enough to read it however narrow the days.
    void paintToday(QPainter& painter, const Shown& on) const;
    void paintLabels(QPainter& painter, const Shown& on) const;
    void announceCurrent(bool always);
    void updateScrollBars();
    void ensureVisible(int row, int day);
    void extendMark(int day);
    void choose(int row, int day);
    // Keeps a printable key in the typed code (true), starting afresh after a pause; Backspace
    // takes the last one back.
    bool collectCodeKey(const QKeyEvent* event);

    // Keys further apart than this do not make one code: a scanner types its code in milliseconds.
    static constexpr qint64 CodeKeyGapMs = 1500;

    std::vector<Planning::BoardRow> m_rows;
    QDate m_start;
    QDate m_today;
    int m_count = 0;
    int m_row = -1;
    int m_day = -1;
    int m_markFirst = -1;
    int m_markLast = -1;
    int m_anchor = -1;   // the day the mark grows from
    int m_pressDay = -1; // the day the left button went down on, while it is down
    bool m_dragged = false;
    std::pair<int, int> m_announced{-1, -1}; // the cell last told to screen readers
    QString m_typedCode;
    QElapsedTimer m_typedAt; // the code's last key
};

} // namespace rf
