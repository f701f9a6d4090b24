#pragma once

#include "planner/BookingBoard.h"
#include "reports/Report.h"

#include <QColor>
#include <QDate>

#include <functional>

#include <vector>

namespace rf::Reports {

// The colour of a booking's bar, chosen from its text as the board on screen chooses it.
using BarColour = std::function<QColor(const QString& text)>;

// The booking board on paper: a landscape A4 page for each rowsPerPage vehicles, the days of the
// board across it under their months, weekends shaded, each booking a bar in its colour with its
// text (cut with "…" where the bar is shorter), a vehicle whose bookings are not known hatched
// with the reason.
Report boardSheet(const std::vector<Planning::BoardRow>& rows, const QDate& start, int count, int rowsPerPage,
                  const BarColour& barColour);

} // namespace rf::Reports
