#pragma once

#include "planner/PlanningFile.h"
#include "storage/RecordScan.h"

#include <vector>

namespace rf::Planning {

// A fleet card's line in the planner entry's list: number, make, size and colour fitted to their
// columns, then the year of construction.
QByteArray vehicleLine(const RecordView& card);

// Where the number's column of a vehicle line ends: "Bici n. " and the number fitted to 15.
constexpr int VehicleNumberEnd = 8 + 15;

// A vehicle of the fleet as the planner lists it: its card, its list line and its particulars.
struct FleetVehicle {
    qint64 position;
    QByteArray line;
    Vehicle vehicle; // trimmed
};

// The fleet's vehicles that have a number, in number order (digits compared as numbers; equal
// numbers in the order of their lines), from the fleet archive at path; a failure keeps the cards
// read before it.
std::vector<FleetVehicle> fleetVehicles(const QString& path);

} // namespace rf::Planning
