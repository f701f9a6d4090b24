#include "TfrmAnteprimaAutomezzo.h"

#include "common/ui/UserTexts.h"

namespace rf {

TfrmAnteprimaAutomezzo::TfrmAnteprimaAutomezzo(Context& context, QWidget* owner,
                                               PrintChoiceDialog::Builder sheet)
    : PrintChoiceDialog(context, owner,
                        {QStringLiteral("frmAnteprimaAutomezzo"), QStringLiteral(" Anteprima di stampa"),
                         QSize(364, 287), Look::Explanation, QStringLiteral(":/fleet/preview_explain.svg"),
                         QStringLiteral("Annulla"), Style::DeepBlue})
{
    addChoice({QStringLiteral("btnStampa"), QStringLiteral("Mostra anteprima"), Output::Preview,
               Texts::previewFailed(), std::move(sheet)});
}

} // namespace rf
