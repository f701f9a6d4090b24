#include "TfrmStampaPlanning.h"

namespace rf {

TfrmStampaPlanning::TfrmStampaPlanning(Context& context, QWidget* owner, const ShownPlanning& planning)
    : PrintChoiceDialog(context, owner,
                        {QStringLiteral("frmStampaPlanning"), QStringLiteral(" Stampa scheda corrente"),
                         QSize(364, 287), Look::Explanation, QStringLiteral(":/planner/print_explain.svg"),
                         QStringLiteral("Annulla"), Style::DeepBlue})
{
    addChoice({QStringLiteral("btnStampa"), QStringLiteral("Stampa"), Output::Print,
               QStringLiteral("Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
                              "Si consiglia di ridurre le dimensioni della foto."),
               planningSheetBuilder(context, planning)});
}

} // namespace rf
