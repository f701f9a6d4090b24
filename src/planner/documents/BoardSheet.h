#pragma once

#include "planner/BookingBoard.h"
#include "reports/Report.h"

#include <QDate>

#include <vector>

namespace rf::Reports {

// The booking board on paper: a landscape A4 page for each rowsPerPage vehicles, the days of the
// board across it under their months, weekends shaded, each booking a bar with its text, a vehicle
// whose bookings are not known hatched with the reason.
Report boardSheet(const std::vector<Planning::BoardRow>& rows, const QDate& start, int count,
                  int rowsPerPage);

} // namespace rf::Reports
