#include "BookingBoard.h"

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

BoardRow boardRow(const QString& folder, const FleetVehicle& vehicle, const QDate& start, int count)
{
    BoardRow row{vehicle, std::vector<QString>(std::size_t(std::max(count, 0))), {}, {}, {}};
    if (count <= 0)
        return row;
    const Availability availability =
        availabilityOf(folder, vehicle.vehicle.number, start, start.addDays(count - 1));
    for (const BookedDay& booked : availability.booked) {
        const qint64 day = start.daysTo(booked.date);
        if (day >= 0 && day < count)
            row.days[std::size_t(day)] = booked.text;
    }
    row.bars = barsOf(row.days);
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

std::vector<BoardRow> boardRows(const QString& folder, const QString& fleetPath, const QDate& start,
                                int count)
{
    std::vector<BoardRow> rows;
    for (const FleetVehicle& vehicle : fleetVehicles(fleetPath))
        rows.push_back(boardRow(folder, vehicle, start, count));
    return rows;
}

} // namespace rf::Planning
