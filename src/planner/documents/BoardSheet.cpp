#include "BoardSheet.h"

#include "fleet/SchedaVeicolo.h"
#include "planner/PlanningFile.h"
#include "reports/Layout.h"
#include "reports/Palette.h"
#include "reports/Units.h"
#include "storage/Amounts.h"
#include "storage/CalendarNames.h"

#include <algorithm>

namespace rf::Reports {
namespace {

// Geometry in millimetres from the top left of the printable area (A4 landscape, 10 mm margins).
constexpr double Width = 277;
constexpr double Height = 190;
constexpr double LabelWidth = 46;
constexpr double MonthTop = 9;
constexpr double DayTop = 14;
constexpr double RowsTop = 19.5;
constexpr double NarrowestNumberedDay = 3.4; // below it only Mondays carry their number

// Where the board's days and rows fall on a page.
struct Grid {
    QDate start;
    int count;    // days across the page
    double day;   // width of a day, mm
    double pitch; // height of a row, mm
    double dayLeft(int index) const { return LabelWidth + day * index; }
};

void addHeading(Report& report, const QString& p, int page, int pages, const QDate& start, const QDate& end)
{
    report.addText(p + QStringLiteral("txtTitolo"), mmRect(0, 0, 200, 7),
                   QStringLiteral("Tabellone prenotazioni dal ") + formatDate(start) +
                       QStringLiteral(" al ") + formatDate(end),
                   arial(12, true));
    report.addText(p + QStringLiteral("txtPagina"), mmRect(Width - 60, 0, 60, 7),
                   QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pages), arial(9),
                   Qt::AlignRight | Qt::AlignVCenter);
    report.addShape(p + QStringLiteral("shpIntestazione"), mmRect(0, MonthTop, Width, RowsTop - MonthTop),
                    QColor::fromRgba(Style::HeaderFill), Qt::transparent, 0);
}

// Weekends down the page to bottom, then the months and the days' numbers over them.
void addDays(Report& report, const QString& p, const Grid& grid, double bottom)
{
    for (int d = 0; d < grid.count; ++d) {
        const QDate date = grid.start.addDays(d);
        if (date.dayOfWeek() >= 6)
            report.addShape(p + QStringLiteral("shpFestivo%1").arg(d),
                            mmRect(grid.dayLeft(d), DayTop, grid.day, bottom - DayTop),
                            QColor::fromRgba(Style::WeekendShade), Qt::transparent, 0);
        if (date.day() == 1 || d == 0) {
            const int monthDays = std::min(grid.count - d, date.daysInMonth() - date.day() + 1);
            report.addText(p + QStringLiteral("txtMese%1").arg(d),
                           mmRect(grid.dayLeft(d) + 0.5, MonthTop, grid.day * monthDays, 5),
                           monthName(date.month()) + QLatin1Char(' ') + QString::number(date.year()),
                           arial(8, true));
            report.addLine(p + QStringLiteral("linMese%1").arg(d), QPointF(mm(grid.dayLeft(d)), mm(MonthTop)),
                           QPointF(mm(grid.dayLeft(d)), mm(bottom)), 1);
        }
        if (grid.day >= NarrowestNumberedDay || date.dayOfWeek() == 1)
            report.addText(p + QStringLiteral("txtGiorno%1").arg(d),
                           mmRect(grid.dayLeft(d), DayTop, std::max(grid.day, 4.0), 5),
                           QString::number(date.day()), arial(6.5), Qt::AlignLeft | Qt::AlignVCenter);
    }
}

// The days whose bookings are not known, tinted, with the reason.
void addUnknown(Report& report, const QString& n, const Planning::BoardRow& row, const Grid& grid, double top)
{
    for (std::size_t u = 0; u < row.unknown.size(); ++u) {
        const auto [from, to] = row.unknown[u];
        const QRectF part = mmRect(grid.dayLeft(from), top, grid.day * (to - from + 1), grid.pitch);
        report.addShape(n + QStringLiteral("shpIgnoto%1").arg(u), part, QColor::fromRgba(Style::UnknownFill),
                        Qt::transparent, 0);
        Object& text =
            report.addText(n + QStringLiteral("txtIgnoto%1").arg(u), part,
                           QStringLiteral("Prenotazioni non note: ") + row.problem, arial(7, true));
        text.colour = QColor::fromRgba(Style::UnreadableViolet);
        text.padding = mm(0.8);
    }
}

void addBars(Report& report, const QString& n, const Planning::BoardRow& row, const Grid& grid, double top,
             const BarColour& barColour)
{
    for (std::size_t b = 0; b < row.bars.size(); ++b) {
        const Planning::BoardBar& bar = row.bars[b];
        const QRectF box = mmRect(grid.dayLeft(bar.first) + 0.2, top + grid.pitch * 0.15,
                                  grid.day * (bar.last - bar.first + 1) - 0.4, grid.pitch * 0.7);
        report.addShape(n + QStringLiteral("shpBarra%1").arg(b), box, barColour(bar.text), Qt::transparent,
                        0);
        const Font font = arial(6.5, true);
        const double padding = mm(0.6);
        QString label = elidedText(font, bar.text, box.width() - 2 * padding);
        if (label == QString(QChar(0x2026)))
            label.clear(); // no letter left to tell the name by
        Object& text = report.addText(n + QStringLiteral("txtBarra%1").arg(b), box, label, font);
        text.colour = Qt::white;
        text.padding = padding;
    }
}

// A vehicle's row: its label, its rule, what is not known and its bookings.
void addRow(Report& report, const QString& n, const Planning::BoardRow& row, const Grid& grid, double top,
            const BarColour& barColour)
{
    report.addText(n + QStringLiteral("txtVeicolo"), mmRect(0, top, LabelWidth - 1, grid.pitch),
                   Fleet::vehicleLabel(row.vehicle.vehicle.number, row.vehicle.vehicle.make), arial(7.5));
    report
        .addLine(n + QStringLiteral("linRiga"), QPointF(0, mm(top + grid.pitch)),
                 QPointF(mm(Width), mm(top + grid.pitch)), 0.5)
        .frame = QColor::fromRgba(Style::PrintedRule);
    addUnknown(report, n, row, grid, top);
    addBars(report, n, row, grid, top, barColour);
}

} // namespace

Report boardSheet(const std::vector<Planning::BoardRow>& rows, const QDate& start, int count, int rowsPerPage,
                  const BarColour& barColour)
{
    Report report(QStringLiteral("Tabellone prenotazioni"));
    const QDate end = start.addDays(std::max(count, 1) - 1);
    report.setFileName(QStringLiteral("Tabellone prenotazioni dal ") +
                       formatDate(start).replace(QLatin1Char('/'), QLatin1Char('-')) +
                       QStringLiteral(" al ") + formatDate(end).replace(QLatin1Char('/'), QLatin1Char('-')));
    rowsPerPage = std::max(rowsPerPage, 1);
    const int pages =
        std::max(1, int((rows.size() + std::size_t(rowsPerPage) - 1) / std::size_t(rowsPerPage)));
    const Grid grid{start, count, (Width - LabelWidth) / std::max(count, 1),
                    (Height - RowsTop) / rowsPerPage};
    for (int page = 0; page < pages; ++page) {
        report.addPage(QPageLayout::Landscape, QMarginsF(10, 10, 10, 10));
        const QString p = QStringLiteral("p%1_").arg(page + 1);
        addHeading(report, p, page, pages, start, end);
        const int first = page * rowsPerPage;
        const int last = std::min(int(rows.size()), first + rowsPerPage);
        addDays(report, p, grid, RowsTop + grid.pitch * (last - first));
        for (int r = first; r < last; ++r)
            addRow(report, p + QString::number(r + 1), rows[std::size_t(r)], grid,
                   RowsTop + grid.pitch * (r - first), barColour);
    }
    return report;
}

} // namespace rf::Reports
