#pragma once

#include "common/ui/PrintChoiceDialog.h"

namespace rf {

class TfrmPlanning;

// Shows the yearly sheet of the planning grid in the preview window.
class TfrmAnteprimaPlanning : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmAnteprimaPlanning(Context& context, TfrmPlanning& grid);
};

} // namespace rf
