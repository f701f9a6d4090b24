#pragma once

#include "storage/RecordScan.h"

namespace rf::Planning {

// A fleet card's line in the planner entry's list: number, make, size and colour fitted to their
// columns, then the year of construction.
QByteArray vehicleLine(const RecordView& card);

// Where the number's column of a vehicle line ends: "Bici n. " and the number fitted to 15.
constexpr int VehicleNumberEnd = 8 + 15;

} // namespace rf::Planning
