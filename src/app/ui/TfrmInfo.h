#pragma once

#include "common/ui/FixedDialog.h"

namespace rf {

class Context;

// The information window reached from the launcher: the product logo and the support address.
class TfrmInfo : public FixedDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 473;
    static constexpr int ClientHeight = 579;

    TfrmInfo(Context& context, QWidget* parent);

    // Creates the window over owner, shows it modally and destroys it.
    static void showInfo(Context& context, QWidget* owner);
};

} // namespace rf
