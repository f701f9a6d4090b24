#include "ContractBooking.h"

#include "storage/RecordScan.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <map>

namespace rf::Planning {

namespace {

YearBooking& yearOf(std::map<int, YearBooking>& years, const QString& folder, const QString& number, int year)
{
    auto found = years.find(year);
    if (found != years.end())
        return found->second;
    YearBooking& booking = years[year];
    booking.year = year;
    booking.path = QDir(folder).filePath(fileName(number, QString::number(year)));
    return booking;
}

// The vehicle a planning file names in its header.
Vehicle headerOf(const QString& path)
{
    const QStringList texts = ReadArchiveRecord(path, TSchedaPlanning(), 1).value_or(QStringList());
    return {texts.value(0), texts.value(1), texts.value(2), texts.value(3)};
}

} // namespace

BookingPlan planBooking(const QString& folder, const BookedSpan& wanted, const std::optional<BookedSpan>& previousSpan)
{
    BookingPlan plan;
    const bool moving = previousSpan && !(*previousSpan == wanted);
    plan.moving = moving;
    const bool sameVehicle = previousSpan && previousSpan->vehicleNumber.trimmed() == wanted.vehicleNumber.trimmed();
    std::map<int, YearBooking> years;
    for (QDate day = wanted.start; day.isValid() && day <= wanted.end; day = day.addDays(1))
        yearOf(years, folder, wanted.vehicleNumber, day.year()).wanted.push_back(slotOfDate(day));
    // The previous days are freed only in the previous vehicle's files.
    std::map<int, YearBooking> previousYears;
    if (moving) {
        const BookedSpan& previous = *previousSpan;
        for (QDate day = previous.start; day.isValid() && day <= previous.end; day = day.addDays(1))
            yearOf(sameVehicle ? years : previousYears, folder, previous.vehicleNumber, day.year());
    }
    plan.alreadyBooked = !moving;
    for (auto* group : {&years, &previousYears}) {
        for (auto& [year, booking] : *group) {
            booking.otherVehicle = group == &previousYears;
            if (booking.wanted.empty() && !QFile::exists(booking.path))
                continue; // a file only to free days in, and none there
            const Loaded loaded = load(booking.path);
            if (loaded.status == Loaded::Status::Unreadable) {
                plan.unreadable = booking.path;
                return plan;
            }
            booking.loaded = loaded.days;
            booking.freed = loaded.days;
            if (moving && (booking.otherVehicle || sameVehicle)) {
                // The previous days of this year that still carry the previous text are freed.
                const BookedSpan& previous = *previousSpan;
                const QDate from = std::max(previous.start, QDate(year, 1, 1));
                const QDate to = std::min(previous.end, QDate(year, 12, 31));
                for (QDate day = from; day <= to; day = day.addDays(1)) {
                    QString& text = booking.freed[std::size_t(slotOfDate(day))];
                    if (text.trimmed() == previous.text.trimmed())
                        text.clear();
                }
            }
            for (const int slot : booking.wanted) {
                const QString text = booking.freed[std::size_t(slot)].trimmed();
                if (text != wanted.text.trimmed())
                    plan.alreadyBooked = false;
                if (!text.isEmpty() && text != wanted.text.trimmed())
                    plan.taken.push_back({QDate(year, monthOf(slot), dayOf(slot)), text});
            }
            plan.years.push_back(std::move(booking));
        }
    }
    return plan;
}

QString writeBooking(const BookingPlan& plan, const Vehicle& vehicle, const QString& text, bool replaceTaken)
{
    for (const YearBooking& booking : plan.years) {
        Days mine = booking.freed;
        for (const int slot : booking.wanted) {
            QString& day = mine[std::size_t(slot)];
            if (replaceTaken || day.trimmed().isEmpty())
                day = text;
        }
        const Loaded onDisk = load(booking.path);
        if (onDisk.status == Loaded::Status::Unreadable)
            return booking.path;
        const Days merged = merge(booking.loaded, mine, onDisk.days);
        if (merged == onDisk.days)
            continue;
        if (!save(booking.path, booking.otherVehicle ? headerOf(booking.path) : vehicle, merged))
            return booking.path;
    }
    return {};
}

} // namespace rf::Planning
