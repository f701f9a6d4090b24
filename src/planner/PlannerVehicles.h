#pragma once

#include "storage/RecordScan.h"

namespace rf::Planning {

// A fleet card's line in the planner entry's list: number, make, size and colour fitted to their
// columns, then the year of construction.
QByteArray vehicleLine(const RecordView& card);

} // namespace rf::Planning
