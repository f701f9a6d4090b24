#pragma once

#include "contracts/ui/ContractPrint.h"

namespace rf {

// Shows the front of the contract on screen, filled from the contract form as the user sees it,
// in the report preview, from which it can also be printed. Closes when the preview closes.
class TfrmAnteprima_Contratto_Noleggio_Bici : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmAnteprima_Contratto_Noleggio_Bici(Context& context, QWidget* owner, const ShownCard& contract);
};

} // namespace rf
