#pragma once

#include <QDialog>

namespace rf {

class Context;
class LinkLabel;

// The information window reached from the launcher: the product logo and the support address.
class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 473;
    static constexpr int ClientHeight = 579;

    TfrmInfo(Context& context, QWidget* parent);

    // Creates the window over owner, shows it modally and destroys it.
    static void showInfo(Context& context, QWidget* owner);
};

} // namespace rf
