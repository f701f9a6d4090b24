#include "Availability.h"

#include <QDir>

namespace rf::Planning {

Availability classify(const QDate& start, const QDate& end, const YearLoader& loadYear)
{
    Availability result;
    if (!start.isValid() || !end.isValid() || end < start)
        return result;
    bool unknown = false;
    for (int year = start.year(); year <= end.year(); ++year) {
        const QDate from = year == start.year() ? start : QDate(year, 1, 1);
        const QDate to = year == end.year() ? end : QDate(year, 12, 31);
        const Loaded loaded = loadYear(year, slotOfDate(from), slotOfDate(to));
        if (loaded.status == Loaded::Status::Unreadable) {
            unknown = true;
            continue;
        }
        if (loaded.status == Loaded::Status::Empty)
            continue;
        // Walking real dates skips the slot of 29 February in a common year, whatever it holds.
        for (QDate day = from; day <= to; day = day.addDays(1)) {
            const QString text = loaded.days[std::size_t(slotOfDate(day))].trimmed();
            if (!text.isEmpty())
                result.booked.push_back({day, text});
        }
    }
    const qint64 days = start.daysTo(end) + 1;
    if (unknown)
        result.state = Availability::State::Unknown;
    else if (result.booked.empty())
        result.state = Availability::State::Free;
    else if (qint64(result.booked.size()) == days)
        result.state = Availability::State::Full;
    else
        result.state = Availability::State::Partial;
    return result;
}

YearLoader planningFilesOf(const QString& folder, const QString& vehicleNumber)
{
    if (!fileNameProblem(vehicleNumber).isEmpty())
        return [](int, int, int) { return Loaded{Loaded::Status::Empty, {}}; };
    return [dir = QDir(folder), vehicleNumber](int year, int firstSlot, int lastSlot) {
        return peek(
            dir.filePath(fileName(vehicleNumber, QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')))),
            firstSlot, lastSlot);
    };
}

QString statusWord(Availability::State state)
{
    switch (state) {
    case Availability::State::Free:
        return QStringLiteral("LIBERA");
    case Availability::State::Full:
        return QStringLiteral("OCCUPATA");
    case Availability::State::Partial:
    case Availability::State::Unknown:
        break;
    }
    return QStringLiteral("PARZIALE");
}

QString bookedDaysText(const Availability& availability)
{
    const QString days = listDays(availability.booked);
    if (availability.state != Availability::State::Unknown)
        return days;
    return days.isEmpty() ? QStringLiteral("file non leggibile") : QStringLiteral("file non leggibile, ") + days;
}

} // namespace rf::Planning
