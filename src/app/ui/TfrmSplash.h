#pragma once

#include "common/ui/FixedDialog.h"

namespace rf {

class Context;

// The credits window reached from the launcher: the product artwork and the maker's web site.
class TfrmSplash : public FixedDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 661;
    static constexpr int ClientHeight = 467;

    TfrmSplash(Context& context, QWidget* parent);

    // Creates the window over owner, shows it modally and destroys it.
    static void showCredits(Context& context, QWidget* owner);
};

} // namespace rf
