#include "PlanningPrint.h"

#include "common/ui/Context.h"
#include "planner/documents/PlanningSheet.h"

namespace rf {

PrintChoiceDialog::Builder planningSheetBuilder(Context& context, ShownPlanning planning)
{
    return [&context, planning = std::move(planning)]() -> std::optional<Reports::Report> {
        Reports::Report sheet = Reports::planningSheet();
        Reports::fillPlanningSheet(sheet, planning.year, planning.number, planning.make, planning.size,
                                   planning.booked, context.clock().now());
        sheet.setFileName(
            QStringLiteral("Planning bici %1 anno %2").arg(planning.number.trimmed()).arg(planning.year));
        return sheet;
    };
}

} // namespace rf
