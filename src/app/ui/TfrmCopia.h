#pragma once

#include "common/ui/FixedDialog.h"

#include <functional>

class QLineEdit;

namespace rf {

class Context;

// Backups from the launcher: writes the data folder into a dated zip in a chosen folder (the
// choice is remembered for the user and the data folder), and restores a chosen zip. Both are refused while a
// planning grid is open on this workstation, since the grid writes its file when it closes.
class TfrmCopia : public FixedDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 560;
    static constexpr int ClientHeight = 250;

    // planningOpen tells whether a planning grid is open now.
    TfrmCopia(Context& context, QWidget* parent, std::function<bool()> planningOpen);

    // The destination folder remembered for the context's data folder, in the user's settings.
    static QString rememberedFolder(const Context& context);

private:
    void btnSfogliaClick();
    void btnCopiaClick();
    void btnRipristinaClick();
    bool refusedWhilePlanning(const QString& what);

    std::function<bool()> m_planningOpen;
    QLineEdit* m_txtCartella;
};

} // namespace rf
