#pragma once

#include "app/ui/WorkWindow.h"

// The annual planning grid of one vehicle; its caption is set each time it is opened.
class TfrmPlanning : public rf::WorkWindow {
    Q_OBJECT
public:
    explicit TfrmPlanning(rf::Context& context, QWidget* parent = nullptr);
};
