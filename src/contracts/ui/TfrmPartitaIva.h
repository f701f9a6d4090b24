#pragma once

#include "contracts/ui/FiscalCheckDialog.h"

namespace rf {

// Checks a VAT number typed or handed over by the contracts window and, when it is valid, names
// the VAT office that issued it.
class TfrmPartitaIva : public FiscalCheckDialog {
    Q_OBJECT
public:
    TfrmPartitaIva(Context& context, QWidget* owner);

    // Puts the number to check into the edit.
    void setNumber(const QString& number);

private:
    void check() override;
};

} // namespace rf
