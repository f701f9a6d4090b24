#pragma once

#include "common/ui/WorkWindow.h"

namespace rf {

// The planner entry: pick a year and a vehicle, then open its planning grid.
class TfrmMenuCamere : public WorkWindow {
    Q_OBJECT
public:
    explicit TfrmMenuCamere(Context& context, QWidget* parent = nullptr);

    // Where closing leads: "avvio" back to the launcher, "planning" on to the grid.
    QString lblMemory;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace rf
