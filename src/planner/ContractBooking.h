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
    Days freed;                // loaded, less the previous booking's days that still carry its text
    std::vector<int> wanted;   // slots of the wanted span in this year
    bool otherVehicle = false; // a file of the previous vehicle: its own header stays
    Loaded::Status status = Loaded::Status::Empty;
};

// A contract's booking, read and ready to be written: the files it touches and the wanted days
// booked for someone else.
struct BookingPlan {
    std::vector<YearBooking> years;
    std::vector<BookedDay> taken;
    // Whether every wanted day already carries the text and no previous day is to be freed.
    bool alreadyBooked = false;
    // Whether days of the previous span still carry its text in the planner and the previous span
    // differs from the wanted one: those days then move (or are freed, when nothing is wanted).
    bool moving = false;
    // Whether the move keeps the vehicle and the days and only changes the text.
    bool retext = false;
    QString unreadable; // the file that could not be read, if any; nothing may be written then
    // The first file that can be read but not written, and why; the booking cannot be written
    // unless it is already there.
    QString readOnly;
    WriteProblem readOnlyWhy = WriteProblem::None;
};

// Reads the planning files of the wanted span and of the previous one, whose days move to the
// wanted ones, from folder; a missing file is created empty, as the grid does, only when wanted days go into
// it. A previous span none of whose days carries its text any more (never booked, or freed since) moves
// nothing: the wanted days are booked as for a new contract.
BookingPlan planBooking(const QString& folder, const BookedSpan& wanted,
                        const std::optional<BookedSpan>& previous);

// The plan that frees the days of span that still carry its text, in its vehicle's files (whose
// own header stays); moving is false when there are none.
BookingPlan planRelease(const QString& folder, const BookedSpan& span);

// The days of span that carry its text (blanks at either end aside) in its vehicle's planning
// files, read without creating or changing any; unreadable, when given, tells whether a file of
// the span exists but could not be read.
std::vector<BookedDay> daysBookedFor(const QString& folder, const BookedSpan& span,
                                     bool* unreadable = nullptr);

// Writes the plan: the previous days freed and the wanted days booked, the days in taken too
// when replaceTaken. Each file is read again, merged as the grid merges its own changes (days
// another workstation changed meanwhile keep its text) and written, under the file's lock.
BookingWritten writeBooking(const BookingPlan& plan, const Vehicle& vehicle, const QString& text,
                            bool replaceTaken);

} // namespace rf::Planning
