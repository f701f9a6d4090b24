#pragma once

#include "common/ui/SearchWindow.h"

namespace rf {

// Finds contracts by parts of up to ten of their fields; a double click opens the chosen one in the
// contracts window.
class TfrmTrovaContratti_DOZ_Bici : public SearchWindow {
    Q_OBJECT
public:
    TfrmTrovaContratti_DOZ_Bici(Context& context, QWidget* owner);
};

} // namespace rf
