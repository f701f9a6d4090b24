#pragma once

#include "contracts/ui/ContractPrint.h"

namespace rf {

// Prints the contract on screen: front and back together (the first choice), the front alone,
// filled from the contract form as the user sees it, or the general conditions of the back, the
// same for every contract. Closes after any of them.
class TfrmStampa_Contratto_Noleggio_Bici : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmStampa_Contratto_Noleggio_Bici(Context& context, QWidget* owner, const ShownCard& contract);
};

} // namespace rf
