#pragma once

#include "desk/SeasonFigures.h"
#include "reports/Report.h"

#include <QImage>
#include <QString>

#include <vector>

namespace rf::Reports {

// "Statistiche": one chart of a season's figures on an A4 landscape page with 10 mm margins: the
// chart's title (txtTitolo), the chart as a picture (imgGrafico), the season's totals
// (txtRiepilogo) and the date of printing (txtData).
Report seasonSheet();

// The same page followed by a table of the vehicles' figures on landscape pages of their own: its
// title (txtTabellaTitolo) and column heads (txtTabellaIntestazione) once, then one line per vehicle
// (txtTabella), running over as many pages as it needs.
Report seasonSheetWithTable();

// Fills the sheet with a chart's title, its picture and the totals line.
void fillSeasonSheet(Report& report, const QString& title, const QImage& chart, const QString& totals);

// Fills the table of seasonSheetWithTable(): each vehicle in the order given with its rentals, days
// rented, revenue, workshop cost, margin and days in the workshop.
void fillVehicleTable(Report& report, const QString& title, const std::vector<VehicleFigures>& vehicles);

} // namespace rf::Reports
