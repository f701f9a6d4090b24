#include "TfrmAnteprima_Contratto_Noleggio_Bici.h"

#include "reports/Report.h"

namespace rf {

namespace {

constexpr int ClientWidth = 363;
constexpr int ClientHeight = 300;

const QString PreviewFailed = QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa del "
                                             "documento non è andata a buon fine.\n\r\n\rSi "
                                             "consiglia di ridurre le dimensioni della foto.");

} // namespace

TfrmAnteprima_Contratto_Noleggio_Bici::TfrmAnteprima_Contratto_Noleggio_Bici(
    Context& context, TfrmContratti_Noleggio_Bici& form)
    : Window(context, form, QStringLiteral("frmAnteprima_Contratto_Noleggio_Bici"),
             QStringLiteral(" Anteprima di stampa"), QSize(ClientWidth, ClientHeight),
             QStringLiteral(":/contracts/print_contract_banner.svg"), QStringLiteral("Chiudi"))
{
    addButton(QStringLiteral("btnAnteprima"), QStringLiteral("Mostra anteprima"),
              QStringLiteral(":/toolbar/preview.svg"), [this] { btnAnteprimaClick(); });
}

void TfrmAnteprima_Contratto_Noleggio_Bici::btnAnteprimaClick()
{
    outputAndClose(ContractPrint::filledFront(m_form, logo()), true, PreviewFailed);
}

} // namespace rf
