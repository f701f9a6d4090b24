#pragma once

#include "common/ui/PrintChoiceDialog.h"

namespace rf {

struct ShownPlanning;

// Shows the yearly sheet of the planning grid in the preview window.
class TfrmAnteprimaPlanning : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmAnteprimaPlanning(Context& context, QWidget* owner, const ShownPlanning& planning);
};

} // namespace rf
