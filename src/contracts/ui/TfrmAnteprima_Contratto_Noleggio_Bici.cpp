#include "TfrmAnteprima_Contratto_Noleggio_Bici.h"

namespace rf {

TfrmAnteprima_Contratto_Noleggio_Bici::TfrmAnteprima_Contratto_Noleggio_Bici(Context& context, QWidget* owner,
                                                                             const ShownCard& contract)
    : PrintChoiceDialog(context, owner,
                        ContractPrint::frame(QStringLiteral("frmAnteprima_Contratto_Noleggio_Bici"),
                                             QStringLiteral(" Anteprima di stampa"), 300,
                                             QStringLiteral(":/contracts/print_contract_banner.svg"),
                                             QStringLiteral("Chiudi")))
{
    addChoice(
        {QStringLiteral("btnAnteprima"), QStringLiteral("Mostra anteprima"), Output::Preview,
         QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa del documento non è andata "
                        "a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto."),
         ContractPrint::frontBuilder(context, contract)});
}

} // namespace rf
