#pragma once

#include "app/ui/PasswordWindow.h"

class QLineEdit;

namespace rf {

// Replaces the stored access password after checking the current one.
class TfrmCambiaPassword : public PasswordWindow {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(Context& context, QWidget* parent = nullptr);

signals:
    // Emitted whenever the window closes: by Chiudi, after a successful change or by the title bar.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void cmdOKClick() override;
    void closing() override;

private:
    void refuseNew(const QString& message);

    QLineEdit* m_txtPasswordOld;
    QLineEdit* m_txtPasswordNew;
    QLineEdit* m_txtConferma;
};

} // namespace rf
