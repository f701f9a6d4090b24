#include "TfrmAnteprimaPlanning.h"

#include "planner/ui/PlanningPrint.h"

namespace rf {

TfrmAnteprimaPlanning::TfrmAnteprimaPlanning(Context& context, QWidget* owner, const ShownPlanning& planning)
    : PrintChoiceDialog(context, owner,
                        {QStringLiteral("frmAnteprimaPlanning"), QStringLiteral(" Anteprima di stampa"),
                         QSize(364, 287), Look::Explanation, QStringLiteral(":/planner/preview_explain.svg"),
                         QStringLiteral("Annulla"), Style::DeepBlue, QStringLiteral("imgLogo02")})
{
    addChoice(
        {QStringLiteral("btnStampa"), QStringLiteral("Mostra anteprima"), Output::Preview,
         QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine."),
         planningSheetBuilder(context, planning)});
}

} // namespace rf
