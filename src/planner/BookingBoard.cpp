#include "BookingBoard.h"

#include <QDir>
#include <QHash>

#include <algorithm>

namespace rf::Planning {

std::vector<BoardBar> barsOf(const std::vector<QString>& days)
{
    std::vector<BoardBar> bars;
    for (int day = 0; day < int(days.size()); ++day) {
        const QString& text = days[std::size_t(day)];
        if (text.isEmpty())
            continue;
        if (!bars.empty() && bars.back().last == day - 1 && bars.back().text == text)
            bars.back().last = day;
        else
            bars.push_back({day, day, text});
    }
    return bars;
}

bool freeThrough(const BoardRow& row, int first, int last, bool workshopFree)
{
    if (first < 0 || last < first || last >= int(row.days.size()))
        return false;
    if (!workshopFree && workshopOn(row, first, last))
        return false;
    for (int day = first; day <= last; ++day) {
        if (!row.days[std::size_t(day)].isEmpty())
            return false;
    }
    return std::none_of(row.unknown.begin(), row.unknown.end(), [&](const std::pair<int, int>& span) {
        return span.first <= last && first <= span.second;
    });
}

const WorkshopBar* workshopOn(const BoardRow& row, int first, int last)
{
    const auto found = std::find_if(row.workshop.begin(), row.workshop.end(), [&](const WorkshopBar& bar) {
        return bar.first <= last && first <= bar.last;
    });
    return found == row.workshop.end() ? nullptr : &*found;
}

void setWorkshop(BoardRow& row, const std::vector<Service::Entry>& entries, const QDate& start)
{
    row.workshop.clear();
    const int count = int(row.days.size());
    if (count == 0)
        return;
    for (const Service::WorkshopSpan& span : Service::workshopSpans(entries, start, start.addDays(count - 1)))
        row.workshop.push_back({int(start.daysTo(span.from)), int(start.daysTo(span.to)), span.entry});
}

namespace {

// Reads a year of the vehicle's planning from its file in folder, never creating it.
YearLoader yearsOf(const QString& folder, const FleetVehicle& vehicle)
{
    return [folder, number = vehicle.vehicle.number](int year, int firstSlot, int lastSlot) {
        return peek(
            QDir(folder).filePath(fileName(number, QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')))),
            firstSlot, lastSlot);
    };
}

constexpr int ReadAhead = 31;         // days read at a time when following a booking past the span
constexpr int LongestFollowed = 3660; // a run is not followed further than ten years

// The last day, going from day by step (+1 or -1), still booked for text; day itself when the next
// is not.
QDate runEnd(const QString& folder, const QString& number, const QDate& day, const QString& text, int step)
{
    QDate reached = day;
    for (int read = 0; read < LongestFollowed; read += ReadAhead) {
        const QDate near = reached.addDays(step);
        const QDate far = reached.addDays(step * ReadAhead);
        const Availability availability =
            availabilityOf(folder, number, std::min(near, far), std::max(near, far));
        if (availability.state == Availability::State::NotPlannable)
            return reached;
        QHash<QDate, QString> texts;
        for (const BookedDay& booked : availability.booked)
            texts.insert(booked.date, booked.text);
        for (QDate next = near; next != far.addDays(step); next = next.addDays(step)) {
            if (texts.value(next) != text)
                return reached;
            reached = next;
        }
    }
    return reached;
}

// A row's bookings alone, without its workshop days.
BoardRow bookingsRow(const QString& folder, const FleetVehicle& vehicle, const QDate& start, int count,
                     const YearLoader& loadYear)
{
    BoardRow row{vehicle, std::vector<QString>(std::size_t(std::max(count, 0))), {}, {}, {}, {}};
    if (count <= 0)
        return row;
    const QString problem = fileNameProblem(vehicle.vehicle.number);
    const Availability availability = problem.isEmpty()
                                          ? classify(start, start.addDays(count - 1), loadYear)
                                          : Availability{Availability::State::NotPlannable, {}, {}, problem};
    for (const BookedDay& booked : availability.booked) {
        const qint64 day = start.daysTo(booked.date);
        if (day >= 0 && day < count)
            row.days[std::size_t(day)] = booked.text;
    }
    row.bars = barsOf(row.days);
    for (BoardBar& bar : row.bars) {
        bar.from = start.addDays(bar.first);
        bar.to = start.addDays(bar.last);
        if (bar.first == 0)
            bar.from = runEnd(folder, vehicle.vehicle.number, bar.from, bar.text, -1);
        if (bar.last == count - 1)
            bar.to = runEnd(folder, vehicle.vehicle.number, bar.to, bar.text, +1);
    }
    if (availability.state == Availability::State::NotPlannable) {
        row.problem = daysColumn(availability);
        row.unknown.push_back({0, count - 1});
    } else if (availability.state == Availability::State::Unreadable) {
        row.problem = daysColumn(availability);
        // The days of each year whose file could not be read.
        for (const int year : availability.unreadableYears) {
            const qint64 first = std::max<qint64>(0, start.daysTo(QDate(year, 1, 1)));
            const qint64 last = std::min<qint64>(count - 1, start.daysTo(QDate(year, 12, 31)));
            if (first <= last)
                row.unknown.push_back({int(first), int(last)});
        }
    }
    return row;
}

} // namespace

BoardRow boardRow(const QString& folder, const FleetVehicle& vehicle, const QDate& start, int count)
{
    return boardRow(folder, vehicle, start, count, yearsOf(folder, vehicle));
}

BoardRow boardRow(const QString& folder, const FleetVehicle& vehicle, const QDate& start, int count,
                  const YearLoader& loadYear)
{
    BoardRow row = bookingsRow(folder, vehicle, start, count, loadYear);
    setWorkshop(row, Service::read(folder, vehicle.vehicle.number).entries, start);
    return row;
}

std::vector<BoardRow> boardRows(const QString& folder, const QString& fleetPath, const QDate& start,
                                int count)
{
    std::vector<BoardRow> rows;
    // The service log is read once for the whole fleet.
    const QHash<QString, std::vector<Service::Entry>> workshop = Service::byVehicle(Service::read(folder));
    for (const FleetVehicle& vehicle : fleetVehicles(fleetPath)) {
        BoardRow row = bookingsRow(folder, vehicle, start, count, yearsOf(folder, vehicle));
        setWorkshop(row, workshop.value(vehicle.vehicle.number.trimmed()), start);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace rf::Planning
