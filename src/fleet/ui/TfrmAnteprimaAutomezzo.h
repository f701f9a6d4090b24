#pragma once

#include "TfrmStampaAutomezzo.h"

namespace rf {

// Shows the vehicle sheet of the card on the fleet window in the preview window.
class TfrmAnteprimaAutomezzo : public VehicleSheetDialog {
    Q_OBJECT
public:
    TfrmAnteprimaAutomezzo(Context& context, TfrmAutoparco& fleet);
};

} // namespace rf
