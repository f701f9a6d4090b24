#pragma once

#include "app/ui/WorkWindow.h"

// The rental contracts work area.
class TfrmContratti_Noleggio_Bici : public rf::WorkWindow {
    Q_OBJECT
public:
    explicit TfrmContratti_Noleggio_Bici(rf::Context& context, QWidget* parent = nullptr);
};
