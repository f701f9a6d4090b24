#pragma once

#include "TfrmStampaAutomezzo.h"

// Shows the vehicle sheet of the card on the fleet window in the preview window.
class TfrmAnteprimaAutomezzo : public rf::VehicleSheetDialog {
    Q_OBJECT
public:
    TfrmAnteprimaAutomezzo(rf::Context& context, TfrmAutoparco& fleet);
};
