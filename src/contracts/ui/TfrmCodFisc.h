#pragma once

#include "contracts/ui/FiscalCheckDialog.h"

namespace rf {

// Checks a fiscal code typed or handed over by the contracts window and tells whether it is valid.
class TfrmCodFisc : public FiscalCheckDialog {
    Q_OBJECT
public:
    TfrmCodFisc(Context& context, QWidget* owner);

    // Puts the text to check into the edit.
    void setCode(const QString& code);

private:
    void check() override;
};

} // namespace rf
