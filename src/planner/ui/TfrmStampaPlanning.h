#pragma once

#include "common/ui/PrintChoiceDialog.h"

namespace rf {

class TfrmPlanning;

// The yearly sheet of the planning grid on screen, unsaved bookings included.
PrintChoiceDialog::Builder planningSheetBuilder(Context& context, const TfrmPlanning& grid);

// Prints the yearly sheet of the planning grid.
class TfrmStampaPlanning : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmStampaPlanning(Context& context, TfrmPlanning& grid);
};

} // namespace rf
