#pragma once

#include "planner/PlanningFile.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace rf::Planning {

// A booked day and its text.
struct BookedDay {
    QDate date;
    QString text;
};

// The days from slot first to slot last of year that are booked for a text other than text
// (blanks at either end aside), in calendar order. 29 February counts only in leap years.
std::vector<BookedDay> bookedOtherwise(const Days& days, int year, int first, int last, const QString& text);

// "12/05 Rossi, 13/05 Rossi": the days as day/month with their texts, at most ten, then
// " e altri N giorni" for the rest.
QString listDays(const std::vector<BookedDay>& days);

// How many days of year the vehicle's planning file in dataFolder has booked, read without
// creating or changing the file; a missing file books none. Nothing when the number cannot name a
// planning file or the file cannot be read.
std::optional<int> bookedDaysInYear(const QString& dataFolder, const QString& vehicleNumber, int year);

// The slot of a date of any year.
inline int slotOfDate(const QDate& date)
{
    return slotOf(date.month(), date.day());
}

} // namespace rf::Planning
