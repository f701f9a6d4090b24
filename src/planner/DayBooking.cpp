#include "DayBooking.h"

#include <QDir>

#include <algorithm>

namespace rf::Planning {

namespace {

QString yearText(int year)
{
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

} // namespace

QString DayBooking::textOn(const QDate& day) const
{
    for (const Year& year : years) {
        if (year.year == day.year())
            return year.loaded.days[std::size_t(slotOfDate(day))].trimmed();
    }
    return {};
}

DayBooking readDayBooking(const QString& folder, const FleetVehicle& vehicle, const QDate& first,
                          const QDate& last)
{
    DayBooking booking{vehicle, first, last, {}, fileNameProblem(vehicle.vehicle.number), 0};
    if (!booking.numberProblem.isEmpty() || !first.isValid() || last < first)
        return booking;
    const QDir dir(folder);
    for (int year = first.year(); year <= last.year(); ++year) {
        const QString path = dir.filePath(fileName(vehicle.vehicle.number, yearText(year)));
        Loaded loaded = peek(path);
        if (loaded.status == Loaded::Status::Unreadable) {
            booking.unreadableYear = year;
            return booking;
        }
        booking.years.push_back({year, path, std::move(loaded)});
    }
    return booking;
}

DaysBooked bookDays(const QString& folder, const DayBooking& booking, const QString& text, const QDate& start,
                    int count)
{
    DaysBooked booked;
    // What each year holds now: what a save stored, else what was read before the user was asked.
    std::vector<std::pair<int, Days>> now;
    if (booking.bookable()) {
        for (const DayBooking::Year& year : booking.years) {
            Days mine = year.loaded.days;
            const QDate from = std::max(booking.first, QDate(year.year, 1, 1));
            const QDate to = std::min(booking.last, QDate(year.year, 12, 31));
            for (QDate day = from; day <= to; day = day.addDays(1))
                mine[std::size_t(slotOfDate(day))] = text.trimmed();
            bool changed = false;
            for (std::size_t slot = 0; slot < mine.size() && !changed; ++slot)
                changed = mine[slot] != year.loaded.days[slot].trimmed();
            if (!changed)
                continue;
            const SaveResult result =
                saveMerged(year.path, booking.vehicle.vehicle, year.loaded.days, mine, year.loaded.status);
            booked.written.files.push_back({year.path, result});
            if (!result.written)
                break;
            now.emplace_back(year.year, result.stored);
        }
    }
    const QDir dir(folder);
    booked.row = boardRow(folder, booking.vehicle, start, count, [&](int year, int firstSlot, int lastSlot) {
        const auto known =
            std::find_if(now.begin(), now.end(), [year](const auto& y) { return y.first == year; });
        if (known != now.end())
            return Loaded{Loaded::Status::Read, known->second};
        return peek(dir.filePath(fileName(booking.vehicle.vehicle.number, yearText(year))), firstSlot,
                    lastSlot);
    });
    return booked;
}

} // namespace rf::Planning
