#include "TfrmAnteprimaAutomezzo.h"

namespace rf {

TfrmAnteprimaAutomezzo::TfrmAnteprimaAutomezzo(Context& context, TfrmAutoparco& fleet)
    : VehicleSheetDialog(
          context, fleet,
          {QStringLiteral("frmAnteprimaAutomezzo"), QStringLiteral(" Anteprima di stampa"),
           QStringLiteral("Mostra anteprima"), QStringLiteral(":/fleet/preview_explain.svg"),
           QStringLiteral(
               "Attenzione: la visualizzazione dell'anteprima di stampa del documento non è andata a "
               "buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto."),
           Output::Preview})
{
}

} // namespace rf
