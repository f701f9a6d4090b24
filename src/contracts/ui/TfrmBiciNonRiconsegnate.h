#pragma once

#include "common/ui/ListWindow.h"

class QLabel;

namespace rf {

// Lists the contracts whose vehicle is still out, read afresh each time the window is shown; a
// double click opens the chosen one in the contracts window. Contracts whose end date has passed
// are drawn in red and counted in lblRitardi, and the count is printed after the lines.
class TfrmBiciNonRiconsegnate : public ListWindow {
    Q_OBJECT
public:
    TfrmBiciNonRiconsegnate(Context& context, QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_lblRitardi = nullptr;
};

} // namespace rf
