#include "ContractBooking.h"

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

} // namespace

BookingPlan planBooking(const QString& folder, const BookedSpan& wanted,
                        const std::optional<BookedSpan>& previousSpan)
{
    BookingPlan plan;
    bool moving = false;
    if (previousSpan && !(*previousSpan == wanted)) {
        // Only what is still booked moves; a file that cannot be read is told below.
        bool unreadable = false;
        moving = !daysBookedFor(folder, *previousSpan, &unreadable).empty() || unreadable;
    }
    plan.moving = moving;
    const bool sameVehicle =
        previousSpan && previousSpan->vehicleNumber.trimmed() == wanted.vehicleNumber.trimmed();
    plan.retext =
        moving && sameVehicle && previousSpan->start == wanted.start && previousSpan->end == wanted.end;
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
            if (loaded.status == Loaded::Status::ReadOnly && plan.readOnly.isEmpty()) {
                plan.readOnly = booking.path;
                plan.readOnlyWhy = loaded.why;
            }
            booking.status = loaded.status;
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

BookingPlan planRelease(const QString& folder, const BookedSpan& span)
{
    // Nothing wanted, under no number: every file read is the span's vehicle's, its header kept.
    return planBooking(folder, BookedSpan{}, span);
}

std::vector<BookedDay> daysBookedFor(const QString& folder, const BookedSpan& span, bool* unreadable)
{
    std::vector<BookedDay> found;
    if (unreadable)
        *unreadable = false;
    if (!span.start.isValid() || !span.end.isValid() || !fileNameProblem(span.vehicleNumber).isEmpty())
        return found;
    const QString text = span.text.trimmed();
    const QDir dir(folder);
    for (int year = span.start.year(); year <= span.end.year(); ++year) {
        const QDate from = std::max(span.start, QDate(year, 1, 1));
        const QDate to = std::min(span.end, QDate(year, 12, 31));
        const Loaded loaded = peek(dir.filePath(fileName(span.vehicleNumber, QString::number(year))),
                                   slotOfDate(from), slotOfDate(to));
        if (loaded.status == Loaded::Status::Unreadable && unreadable)
            *unreadable = true;
        for (QDate day = from; day <= to; day = day.addDays(1)) {
            if (!text.isEmpty() && loaded.days[std::size_t(slotOfDate(day))].trimmed() == text)
                found.push_back({day, text});
        }
    }
    return found;
}

BookingWritten writeBooking(const BookingPlan& plan, const Vehicle& vehicle, const QString& text,
                            bool replaceTaken)
{
    BookingWritten written;
    for (const YearBooking& booking : plan.years) {
        Days mine = booking.freed;
        for (const int slot : booking.wanted) {
            QString& day = mine[std::size_t(slot)];
            if (replaceTaken || day.trimmed().isEmpty())
                day = text;
        }
        if (mine == booking.loaded)
            continue; // nothing of this file changes
        written.files.push_back(
            {booking.path,
             saveMerged(booking.path, booking.otherVehicle ? std::nullopt : std::optional<Vehicle>(vehicle),
                        booking.loaded, mine, booking.status)});
        if (!written.files.back().result.written)
            break;
    }
    return written;
}

} // namespace rf::Planning
