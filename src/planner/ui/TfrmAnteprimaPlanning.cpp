#include "TfrmAnteprimaPlanning.h"

#include "planner/ui/TfrmPlanning.h"
#include "planner/ui/TfrmStampaPlanning.h"

namespace rf {

TfrmAnteprimaPlanning::TfrmAnteprimaPlanning(Context& context, TfrmPlanning& grid)
    : PrintChoiceDialog(context, &grid,
                        {QStringLiteral("frmAnteprimaPlanning"), QStringLiteral(" Anteprima di stampa"),
                         QSize(364, 287), Look::Explanation, QStringLiteral(":/planner/preview_explain.svg"),
                         QStringLiteral("Annulla"), Style::DeepBlue, QStringLiteral("imgLogo02")})
{
    addChoice(
        {QStringLiteral("btnStampa"), QStringLiteral("Mostra anteprima"), Output::Preview,
         QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine."),
         planningSheetBuilder(context, grid)});
}

} // namespace rf
