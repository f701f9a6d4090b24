#pragma once

#include "common/ui/ExportWindow.h"

namespace rf {

// Shows the whole contract archive in a grid and exports it to Contratti_Noleggio_Bici.xls.
class TfrmExpContratti_DOZ_Bici : public ExportWindow {
    Q_OBJECT
public:
    TfrmExpContratti_DOZ_Bici(Context& context, QWidget* owner);
};

} // namespace rf
