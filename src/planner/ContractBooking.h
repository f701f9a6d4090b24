#pragma once

#include "planner/BookedDays.h"

#include <optional>
#include <vector>

namespace rf::Planning {

// Days of one vehicle booked for one text.
struct BookedSpan {
    QString vehicleNumber;
    QDate start;
    QDate end;
    QString text;

    bool operator==(const BookedSpan& other) const
    {
        return vehicleNumber.trimmed() == other.vehicleNumber.trimmed() && start == other.start &&
               end == other.end && text.trimmed() == other.text.trimmed();
    }
};

// One planning file touched by a contract's booking: the days as read and as they are to be.
struct YearBooking {
    int year = 0;
    QString path;
    Days loaded;
    Days freed;              // loaded, less the previous booking's days that still carry its text
    std::vector<int> wanted; // slots of the wanted span in this year
    bool otherVehicle = false; // a file of the previous vehicle: its own header stays
};

// A contract's booking, read and ready to be written: the files it touches and the wanted days
// booked for someone else.
struct BookingPlan {
    std::vector<YearBooking> years;
    std::vector<BookedDay> taken;
    // Whether every wanted day already carries the text and no previous day is to be freed.
    bool alreadyBooked = false;
    // Whether the previous span differs from the wanted one, whose days then move.
    bool moving = false;
    QString unreadable; // the file that could not be read, if any; nothing may be written then
};

// Reads the planning files of the wanted span and of the previous one, whose days move to the
// wanted ones, from folder; a missing file is created empty, as the grid does, only when wanted days go into it.
BookingPlan planBooking(const QString& folder, const BookedSpan& wanted, const std::optional<BookedSpan>& previous);

// Writes the plan: the previous days freed and the wanted days booked, the days in taken too
// when replaceTaken. Each file is read again just before it is written and merged as the grid
// merges its own changes, so days another workstation changed meanwhile keep its text.
// Returns the path of the first file that could not be written, or empty.
QString writeBooking(const BookingPlan& plan, const Vehicle& vehicle, const QString& text, bool replaceTaken);

} // namespace rf::Planning
