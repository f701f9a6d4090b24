#pragma once

#include "common/ui/PrintChoiceDialog.h"

namespace rf {

class TfrmAutoparco;

// The vehicle sheet of the card on the fleet window, filled as the card stands when the start
// button is pressed; a card without a photo prints with the stand-by picture.
PrintChoiceDialog::Builder vehicleSheetBuilder(const TfrmAutoparco& fleet);

// Prints the vehicle sheet of the card on the fleet window.
class TfrmStampaAutomezzo : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmStampaAutomezzo(Context& context, TfrmAutoparco& fleet);
};

} // namespace rf
