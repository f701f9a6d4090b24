#pragma once

#include "common/ui/PrintChoiceDialog.h"
#include "planner/ui/PlanningPrint.h"

namespace rf {

// Prints the yearly sheet of the planning grid.
class TfrmStampaPlanning : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmStampaPlanning(Context& context, QWidget* owner, const ShownPlanning& planning);
};

} // namespace rf
