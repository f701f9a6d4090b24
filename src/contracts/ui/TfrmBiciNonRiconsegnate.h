#pragma once

#include "common/ui/ListWindow.h"

namespace rf {

// Lists the contracts whose vehicle is still out, read afresh each time the window is shown; a
// double click opens the chosen one in the contracts window.
class TfrmBiciNonRiconsegnate : public ListWindow {
    Q_OBJECT
public:
    TfrmBiciNonRiconsegnate(Context& context, QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace rf
