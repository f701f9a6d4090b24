#pragma once

#include "contracts/ui/ContractPrint.h"

namespace rf {

// Prints the contract on screen: the front, filled from the contract form as the user sees it, or
// the general conditions of the back, the same for every contract. Closes after either.
class TfrmStampa_Contratto_Noleggio_Bici : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmStampa_Contratto_Noleggio_Bici(Context& context, QWidget* owner, const ShownCard& contract);
};

} // namespace rf
