#pragma once

#include "common/ui/SearchWindow.h"

namespace rf {

// Finds vehicle cards by parts of up to ten of their fields and hands the one chosen by a double
// click back to the window that opened the search: the fleet window shows the whole card, the
// contracts window takes its vehicle and tariff fields.
class TfrmTrovaBici : public SearchWindow {
    Q_OBJECT
public:
    enum class Mode { Fleet, Contracts };
    TfrmTrovaBici(Context& context, QWidget* owner, Mode mode);

    // Who opened the search: "autoparco" or "contratti_noleggio_bici".
    const Mode lblMemory;
};

} // namespace rf
