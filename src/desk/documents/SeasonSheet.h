#pragma once

#include "reports/Report.h"

#include <QImage>
#include <QString>

namespace rf::Reports {

// "Statistiche": one chart of a season's figures on an A4 landscape page with 10 mm margins: the
// chart's title (txtTitolo), the chart as a picture (imgGrafico), the season's totals
// (txtRiepilogo) and the date of printing (txtData).
Report seasonSheet();

// Fills the sheet with a chart's title, its picture and the totals line.
void fillSeasonSheet(Report& report, const QString& title, const QImage& chart, const QString& totals);

} // namespace rf::Reports
