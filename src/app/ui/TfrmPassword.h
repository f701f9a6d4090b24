#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace rf {

class Context;

// The login window: only the stored password lets the user on to the launcher.
class TfrmPassword : public QWidget {
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
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdOKClick();
    void updateOK();

    Context& m_context;
    QLineEdit* m_txtPassword;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdEsci;
    QPushButton* m_btnCambiaPassword;
    bool m_granted = false;
};

} // namespace rf
