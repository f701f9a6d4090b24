#pragma once

#include "reports/Report.h"

namespace rf::Reports {

// "Riepilogo dati": a title, the lines of a list in one block that runs over as many landscape
// pages as it needs, and the date of printing once after the data.
Report listTemplate();

// Fills the list template: the title, the lines in order, and the heights that follow from them
// (12.822 units a line for the text, 10 more for the band).
void fillList(Report& report, const QString& title, const QStringList& lines);

constexpr double ListLinePitch = 12.822;

} // namespace rf::Reports
