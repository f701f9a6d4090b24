#pragma once

#include "reports/Report.h"

#include <QDateTime>
#include <QString>

#include <vector>

namespace rf::Reports {

// "Planning Annuale": one A4 landscape page showing a vehicle's year as a table of twelve month
// rows by 31 day columns, to pin on the wall. Every day of a leap year has a cell named "txt" +
// month control + "_" + two-digit day ("txtGen_01", "txtFeb_29"); days a month lacks have none.
// Below the table the vehicle's number, make and size, at the bottom the moment of printing.
Report planningSheet();

// Fills the sheet: landscape page, the title with the year, the vehicle's number, make and size
// (all trimmed), "X" in the cell of every booked slot and a single blank in every other cell
// (booked is indexed by slot, in leap-year calendar order; missing entries count as free), and
// the footer "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss".
void fillPlanningSheet(Report& report, const QString& year, const QString& vehicleNumber, const QString& make,
                       const QString& size, const std::vector<bool>& booked, const QDateTime& printedAt);

} // namespace rf::Reports
