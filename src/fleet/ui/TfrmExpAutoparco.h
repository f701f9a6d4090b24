#pragma once

#include "common/ui/ExportWindow.h"

namespace rf {

// Shows the whole fleet archive in a grid and exports it to Parco_Veicoli.xls.
class TfrmExpAutoparco : public ExportWindow {
    Q_OBJECT
public:
    TfrmExpAutoparco(Context& context, QWidget* owner);
};

} // namespace rf
