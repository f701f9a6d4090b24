#pragma once

#include "common/ui/WorkWindow.h"

namespace rf {

// The annual planning grid of one vehicle; its caption is set each time it is opened.
class TfrmPlanning : public WorkWindow {
    Q_OBJECT
public:
    explicit TfrmPlanning(Context& context, QWidget* parent = nullptr);
};

} // namespace rf
