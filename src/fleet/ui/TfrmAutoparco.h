#pragma once

#include "app/ui/WorkWindow.h"

// The fleet work area: one card per vehicle.
class TfrmAutoparco : public rf::WorkWindow {
    Q_OBJECT
public:
    explicit TfrmAutoparco(rf::Context& context, QWidget* parent = nullptr);
};
