#include "TfrmAnteprima_Contratto_Noleggio_Bici.h"

#include "common/ui/UserTexts.h"

namespace rf {

TfrmAnteprima_Contratto_Noleggio_Bici::TfrmAnteprima_Contratto_Noleggio_Bici(Context& context, QWidget* owner,
                                                                             const ShownCard& contract)
    : PrintChoiceDialog(context, owner,
                        ContractPrint::frame(QStringLiteral("frmAnteprima_Contratto_Noleggio_Bici"),
                                             QStringLiteral(" Anteprima di stampa"), 300,
                                             QStringLiteral(":/contracts/print_contract_banner.svg"),
                                             QStringLiteral("Chiudi")))
{
    addChoice({QStringLiteral("btnAnteprima"), QStringLiteral("Mostra anteprima"), Output::Preview,
               Texts::previewFailed(), ContractPrint::frontBuilder(context, contract)});
}

} // namespace rf
