#include "TfrmStampaPlanning.h"

#include "common/ui/Context.h"
#include "planner/documents/PlanningSheet.h"
#include "planner/ui/TfrmPlanning.h"

#include <QLineEdit>

namespace rf {

PrintChoiceDialog::Builder planningSheetBuilder(Context& context, const TfrmPlanning& grid)
{
    return [&context, &grid]() -> std::optional<Reports::Report> {
        const auto* number = grid.findChild<QLineEdit*>(QStringLiteral("txtBiciNum"));
        const auto* make = grid.findChild<QLineEdit*>(QStringLiteral("txtMarca"));
        const auto* size = grid.findChild<QLineEdit*>(QStringLiteral("txtTaglia"));
        if (!number || !make || !size)
            return std::nullopt;
        std::vector<bool> booked;
        for (int slot = 0; slot < Planning::DayCount; ++slot)
            booked.push_back(grid.isBooked(slot));
        Reports::Report sheet = Reports::planningSheet();
        Reports::fillPlanningSheet(sheet, grid.year(), number->text(), make->text(), size->text(), booked,
                                  context.clock().now());
        sheet.setFileName(
            QStringLiteral("Planning bici %1 anno %2").arg(number->text().trimmed()).arg(grid.year()));
        return sheet;
    };
}

TfrmStampaPlanning::TfrmStampaPlanning(Context& context, TfrmPlanning& grid)
    : PrintChoiceDialog(context, &grid,
                        {QStringLiteral("frmStampaPlanning"), QStringLiteral(" Stampa scheda corrente"),
                         QSize(364, 287), Look::Explanation, QStringLiteral(":/planner/print_explain.svg"),
                         QStringLiteral("Annulla"), Style::DeepBlue})
{
    addChoice({QStringLiteral("btnStampa"), QStringLiteral("Stampa"), Output::Print,
               QStringLiteral("Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
                              "Si consiglia di ridurre le dimensioni della foto."),
               planningSheetBuilder(context, grid)});
}

} // namespace rf
