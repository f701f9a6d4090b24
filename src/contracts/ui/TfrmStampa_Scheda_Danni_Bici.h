#pragma once

#include "contracts/ui/ContractPrint.h"

namespace rf {

// Prints the vehicle condition sheet of the contract on screen: the parties, the vehicle and the
// rental period as the contract form shows them, two side views of a bicycle on which damage is
// marked by hand, and the defects found at the return. Closes after printing.
class TfrmStampa_Scheda_Danni_Bici : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmStampa_Scheda_Danni_Bici(Context& context, QWidget* owner, const ShownCard& contract);

    // The black bicycle seen from its right side, drawn at print resolution on white.
    static QImage bicycleRightSide();
};

} // namespace rf
