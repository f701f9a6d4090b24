#pragma once

#include "app/ui/PasswordWindow.h"

class QLineEdit;
class QPushButton;

namespace rf {

// The login window: only the stored password lets the user on to the launcher.
class TfrmPassword : public PasswordWindow {
    Q_OBJECT
public:
    explicit TfrmPassword(Context& context, QWidget* parent = nullptr);

    // Empties the password field and gives it the focus, for when the window is shown again.
    void resetForReturn();

signals:
    void accessGranted();
    void changePasswordRequested();
    // The window was closed without access being granted: the program ends.
    void exitRequested();

protected:
    void cmdOKClick() override;
    void closing() override;

private:
    QLineEdit* m_txtPassword;
    QPushButton* m_btnCambiaPassword;
    bool m_granted = false;
};

} // namespace rf
