#pragma once

#include "reports/Report.h"

namespace rf::Reports {

// "Condizioni contrattuali": the back of the rental contract, the same for every contract. One A4
// portrait page without margins; the title, the opening sentence, thirteen numbered clauses, the
// acceptance sentence, a place-and-date line and two signature lines fill the area below, in the
// largest font that lets everything fit.
Report contractConditions();

// The area the conditions fill, in units from the sheet's top left corner (7, 8, 194 x 264 mm).
QRectF contractConditionsArea();

// The body font size the page was laid out in, points.
double contractConditionsFontSize();

constexpr int ContractClauseCount = 13;

} // namespace rf::Reports
