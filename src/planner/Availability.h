#pragma once

#include "planner/BookedDays.h"

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

namespace rf::Planning {

// What a span of days holds for one vehicle: free on every day, booked on some, booked on every
// day, or unknown because a planning file of the span could not be read.
struct Availability {
    enum class State { Free, Partial, Full, Unknown };
    using BookedDay = Planning::BookedDay; // text trimmed
    State state = State::Free;
    std::vector<BookedDay> booked; // in date order
};

// The bookings of one year of a vehicle, needed from firstSlot to lastSlot (slots outside may be
// left empty). A missing file is Empty: every day free.
using YearLoader = std::function<Loaded(int year, int firstSlot, int lastSlot)>;

// The availability of a vehicle from start to end, both included: each year of the span is loaded
// once. A day is booked when its text, trimmed, is not empty; 29 February counts only in leap years.
Availability classify(const QDate& start, const QDate& end, const YearLoader& loadYear);

// The loader of a vehicle's planning files in folder. It never creates a file; a number that cannot
// name a file has none, so its days are free.
YearLoader planningFilesOf(const QString& folder, const QString& vehicleNumber);

// "LIBERA", "PARZIALE" (also for an unknown state, which is told in the days) or "OCCUPATA".
QString statusWord(Availability::State state);

// The booked days as a line shows them: "12/05 Rossi, 13/05 Rossi", at most limit days, then
// "e altri N giorni". An unknown state starts with "file non leggibile".
QString bookedDaysText(const Availability& availability);

} // namespace rf::Planning
