#include "TfrmStampaPlanning.h"

#include "common/ui/UserTexts.h"

namespace rf {

TfrmStampaPlanning::TfrmStampaPlanning(Context& context, QWidget* owner, const ShownPlanning& planning)
    : PrintChoiceDialog(context, owner,
                        {QStringLiteral("frmStampaPlanning"), QStringLiteral(" Stampa scheda corrente"),
                         QSize(364, 287), Look::Explanation, QStringLiteral(":/planner/print_explain.svg"),
                         QStringLiteral("Annulla"), Style::DeepBlue})
{
    addChoice({QStringLiteral("btnStampa"), QStringLiteral("Stampa"), Output::Print, Texts::printFailed(),
               planningSheetBuilder(context, planning)});
}

} // namespace rf
