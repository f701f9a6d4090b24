#include "TfrmStampa_Contratto_Noleggio_Bici.h"

#include "common/ui/UserTexts.h"
#include "contracts/documents/ContractConditions.h"
#include "storage/MessageBreaks.h"

namespace rf {

TfrmStampa_Contratto_Noleggio_Bici::TfrmStampa_Contratto_Noleggio_Bici(Context& context, QWidget* owner,
                                                                       const ShownCard& contract)
    : PrintChoiceDialog(context, owner,
                        ContractPrint::frame(QStringLiteral("frmStampa_Contratto_Noleggio_Bici"),
                                             QStringLiteral(" Stampa Contratto Noleggio Bicicletta"), 394,
                                             QStringLiteral(":/contracts/print_contract_banner.svg"),
                                             QStringLiteral("Chiudi")))
{
    addChoice({QStringLiteral("btnStampa"), QStringLiteral("Stampa Contratto Noleggio Bicicletta (fronte)"),
               Output::Print, Texts::printFailed(), ContractPrint::frontBuilder(context, contract)});
    addChoice({QStringLiteral("btnCondizioni"), QStringLiteral("Stampa Condizioni contrattuali (retro)"),
               Output::Print,
               QStringLiteral("Attenzione: la stampa non è andata a buon fine." RF_BREAK_LF_CR
                              "Si consiglia di controllare le impostazioni della stampante."),
               []() -> std::optional<Reports::Report> {
                   Reports::Report back = Reports::contractConditions();
                   back.setOrientation(QPageLayout::Portrait);
                   return back;
               }});
}

} // namespace rf
