#pragma once

#include "common/ui/PrintChoiceDialog.h"

namespace rf {

// Shows the vehicle sheet of the card on the fleet window in the preview window.
class TfrmAnteprimaAutomezzo : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmAnteprimaAutomezzo(Context& context, QWidget* owner, PrintChoiceDialog::Builder sheet);
};

} // namespace rf
