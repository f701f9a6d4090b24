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
    const QString failure = QStringLiteral("Attenzione: la stampa non è andata a buon fine." RF_BREAK_LF_CR
                                           "Si consiglia di controllare le impostazioni della stampante.");
    const PrintChoiceDialog::Builder front = ContractPrint::frontBuilder(context, contract);
    const PrintChoiceDialog::Builder back = []() -> std::optional<Reports::Report> {
        Reports::Report conditions = Reports::contractConditions();
        conditions.setOrientation(QPageLayout::Portrait);
        return conditions;
    };
    // The whole contract in one print job, the conditions as its second page: the clerk prints
    // a contract in one go, front and back of one sheet on a duplex printer.
    addChoice({QStringLiteral("btnStampaTutto"), QStringLiteral("Stampa Contratto completo (fronte e retro)"),
               Output::Print, Texts::printFailed(), [front, back]() -> std::optional<Reports::Report> {
                   std::optional<Reports::Report> whole = front();
                   const std::optional<Reports::Report> conditions = back();
                   if (!whole || !conditions || !conditions->errors().isEmpty())
                       return std::nullopt;
                   for (const Reports::Page& page : conditions->pages())
                       whole->pages().push_back(page);
                   return whole;
               }});
    addChoice({QStringLiteral("btnStampa"), QStringLiteral("Stampa Contratto Noleggio Bicicletta (fronte)"),
               Output::Print, Texts::printFailed(), front});
    addChoice({QStringLiteral("btnCondizioni"), QStringLiteral("Stampa Condizioni contrattuali (retro)"),
               Output::Print, failure, back});
}

} // namespace rf
