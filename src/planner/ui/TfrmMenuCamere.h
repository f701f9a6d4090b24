#pragma once

#include "app/ui/WorkWindow.h"

// The planner entry: pick a year and a vehicle, then open its planning grid.
class TfrmMenuCamere : public rf::WorkWindow {
    Q_OBJECT
public:
    explicit TfrmMenuCamere(rf::Context& context, QWidget* parent = nullptr);

    // Where closing leads: "avvio" back to the launcher, "planning" on to the grid.
    QString lblMemory;

protected:
    void showEvent(QShowEvent* event) override;
};
