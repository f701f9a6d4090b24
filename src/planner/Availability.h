#pragma once

#include "planner/BookedDays.h"

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

namespace rf::Planning {

// What a span of days holds for one vehicle: free on every day, booked on some, booked on every
// day; or not known, because a planning file of the span could not be read (Unreadable) or the
// vehicle's number cannot name a planning file at all (NotPlannable).
struct Availability {
    enum class State { Free, Partial, Full, Unreadable, NotPlannable };
    using BookedDay = Planning::BookedDay; // text trimmed
    State state = State::Free;
    std::vector<BookedDay> booked; // in date order, from the files that could be read
    std::vector<int> unreadableYears;
    QString problem; // NotPlannable: the characters that cannot stand in a file name
};

// The bookings of one year of a vehicle, needed from firstSlot to lastSlot (slots outside may be
// left empty). A missing file is Empty: every day free.
using YearLoader = std::function<Loaded(int year, int firstSlot, int lastSlot)>;

// The availability of a vehicle from start to end, both included: each year of the span is loaded
// once. A day is booked when its text, trimmed, is not empty; 29 February counts only in leap years.
// A read-only file is read like any other.
Availability classify(const QDate& start, const QDate& end, const YearLoader& loadYear);

// The availability of the vehicle numbered vehicleNumber from its planning files in folder, which
// are read and never created; NotPlannable when the number cannot name a file.
Availability availabilityOf(const QString& folder, const QString& vehicleNumber, const QDate& start,
                            const QDate& end);

// "LIBERA", "PARZIALE", "OCCUPATA", "ILLEGGIBILE" or "NON PIANIFICABILE".
QString statusWord(Availability::State state);

// The booked days with their texts: "12/05 Rossi, 13/05 Rossi", at most ten days, then
// "e altri N giorni".
QString bookedDaysText(const Availability& availability);

// The short form a list column shows, to decide at a glance: the booked days as spans
// ("30/12-31/12, 02/01"), "tutti i giorni", the years that could not be read ("anno 2027
// illeggibile") or what keeps the number from naming a file ("numero con \"/\"").
QString daysColumn(const Availability& availability);

} // namespace rf::Planning
