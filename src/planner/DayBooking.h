#pragma once

#include "planner/BookingBoard.h"
#include "planner/PlanningFile.h"

#include <QDate>
#include <QString>

#include <vector>

namespace rf::Planning {

// Days of one vehicle to be booked with one text, as the board books them: what its planning files
// hold on those days is read first (never creating or changing a file), the user is asked, and
// the files are written only then.
struct DayBooking {
    FleetVehicle vehicle;
    QDate first;
    QDate last;
    struct Year {
        int year = 0;
        QString path;
        Loaded loaded;
    };
    std::vector<Year> years; // each year of the days, in order
    // Why nothing can be booked: the number cannot name a file (the characters), or the file of a
    // year could not be read (that year; it must never be replaced).
    QString numberProblem;
    int unreadableYear = 0;

    bool bookable() const { return numberProblem.isEmpty() && unreadableYear == 0; }
    // The text stored on a day of the booking, trimmed; empty when free or not read.
    QString textOn(const QDate& day) const;
};

// Reads the planning files of the vehicle's days from first to last (both included) in folder.
DayBooking readDayBooking(const QString& folder, const FleetVehicle& vehicle, const QDate& first,
                          const QDate& last);

// What booking the days came to: each file written or tried (none when every day already held
// the text), and the vehicle's board row over the board's span as the files hold it now.
struct DaysBooked {
    BookingWritten written;
    BoardRow row;
};

// Writes text on every day of the booking (an empty text frees them), each year's file merged
// under its lock with what another workstation stored meanwhile, as the grid merges; stops at
// the first file that cannot be written. The row covers count days from start.
DaysBooked bookDays(const QString& folder, const DayBooking& booking, const QString& text, const QDate& start,
                    int count);

} // namespace rf::Planning
