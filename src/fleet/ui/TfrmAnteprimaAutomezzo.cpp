#include "TfrmAnteprimaAutomezzo.h"

namespace rf {

TfrmAnteprimaAutomezzo::TfrmAnteprimaAutomezzo(Context& context, QWidget* owner,
                                               PrintChoiceDialog::Builder sheet)
    : PrintChoiceDialog(context, owner,
                        {QStringLiteral("frmAnteprimaAutomezzo"), QStringLiteral(" Anteprima di stampa"),
                         QSize(364, 287), Look::Explanation, QStringLiteral(":/fleet/preview_explain.svg"),
                         QStringLiteral("Annulla"), Style::DeepBlue})
{
    addChoice(
        {QStringLiteral("btnStampa"), QStringLiteral("Mostra anteprima"), Output::Preview,
         QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa del documento non è andata "
                        "a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto."),
         std::move(sheet)});
}

} // namespace rf
