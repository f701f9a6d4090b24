#pragma once

#include "fleet/ServiceLog.h"
#include "reports/Report.h"

#include <functional>
#include <vector>

namespace rf::Reports {

// "Scheda manutenzioni": the workshop log of one vehicle on A4 portrait pages. A title bar
// (titScheda), the vehicle's card data in framed boxes under caption bars ("txt"/"tit" + the
// fleet card's field name: BiciNum, Marca, Telaio, Taglia, Anno, Colore, Meccanico), the column
// heads of the log (txtColonne), the log itself (txtInterventi, in the band Interventi, a line
// per entry with its longer texts wrapped onto lines of their own, running onto further pages as
// needed) and, once after it, the totals (txtTotali) and the date of printing (txtStampa).
Report serviceSheet();

// The card fields the sheet shows, in the order it asks for them.
const QStringList& serviceSheetFields();

// Fills the sheet: the card data asked for by field name, the entries in the order given, and the
// heights that follow from the number of lines.
void fillServiceSheet(Report& report, const std::function<QString(const QString& field)>& valueOf,
                      const std::vector<Service::Entry>& entries);

// The log's lines as the sheet prints them, in a fixed-pitch font: date, work, parts, mechanic,
// km and cost in columns, then the workshop stay and the notes, if any, below; an empty line
// between entries.
QStringList serviceSheetLines(const std::vector<Service::Entry>& entries);

} // namespace rf::Reports
