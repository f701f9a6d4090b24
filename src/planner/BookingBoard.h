#pragma once

#include "fleet/ServiceLog.h"
#include "planner/Availability.h"
#include "planner/PlannerVehicles.h"

#include <QDate>
#include <QString>

#include <utility>
#include <vector>

namespace rf::Planning {

// Consecutive days of a board row booked for the same text: one bar, labelled with the text.
struct BoardBar {
    BoardBar(int firstDay, int lastDay, QString barText, QDate wholeFrom = {}, QDate wholeTo = {})
        : first(firstDay), last(lastDay), text(std::move(barText)), from(wholeFrom), to(wholeTo)
    {
    }
    int first; // day indexes within the span, both included
    int last;
    QString text;
    // The booking's whole run of days, which may begin before the span and end after it; null when
    // not read (a bar made by barsOf alone).
    QDate from;
    QDate to;
    bool operator==(const BoardBar& other) const
    {
        return first == other.first && last == other.last && text == other.text;
    }
};

// Days of a row the vehicle spends in the workshop (day indexes, both included), and the entry.
struct WorkshopBar {
    int first;
    int last;
    Service::Entry entry;
    QString text() const { return Service::workshopText(entry); }
};

// One vehicle's row of the booking board over a span of days.
struct BoardRow {
    FleetVehicle vehicle;
    std::vector<QString> days; // each day's booking text, trimmed; empty when free (or not known)
    std::vector<BoardBar> bars;
    // Why the row's bookings are not (all) known, as the availability list says it ("anno 2027
    // illeggibile", "numero con \"/\""); empty when they are.
    QString problem;
    // The days whose bookings are not known, as spans of day indexes (both included).
    std::vector<std::pair<int, int>> unknown;
    // The days the vehicle is in the workshop, from its service log: not bookable, though nothing
    // of it is written in the planning files.
    std::vector<WorkshopBar> workshop = {};
};

// The bars of a row's days: consecutive days with the same text make one bar; free days none.
std::vector<BoardBar> barsOf(const std::vector<QString>& days);

// Whether the row's vehicle is free on every day from first to last (day indexes, both included):
// no booking on any of them, none of them among the days whose bookings are not known, and, unless
// workshopFree, none spent in the workshop.
bool freeThrough(const BoardRow& row, int first, int last, bool workshopFree = false);
// The first workshop stay of the row that meets the days from first to last, or null.
const WorkshopBar* workshopOn(const BoardRow& row, int first, int last);
// Sets the row's workshop days from the vehicle's service entries.
void setWorkshop(BoardRow& row, const std::vector<Service::Entry>& entries, const QDate& start);

// The row of vehicle over count days from start, from its planning files and its service log in
// folder, which are read and never created. The days of a file that could not be read stay empty. A bar at
// either end of the span is followed into the days beyond, so that it knows its whole booking.
BoardRow boardRow(const QString& folder, const FleetVehicle& vehicle, const QDate& start, int count);
// The same with the span's days of each year given by loadYear (what a save just wrote, say); the
// days beyond the span that a bar is followed into are still read from folder.
BoardRow boardRow(const QString& folder, const FleetVehicle& vehicle, const QDate& start, int count,
                  const YearLoader& loadYear);

// The rows of every vehicle of the fleet (the fleet archive at fleetPath), in the planner entry's
// order.
std::vector<BoardRow> boardRows(const QString& folder, const QString& fleetPath, const QDate& start,
                                int count);

} // namespace rf::Planning
