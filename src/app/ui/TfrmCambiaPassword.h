#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace rf {

class Context;

// Replaces the stored access password after checking the current one.
class TfrmCambiaPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(Context& context, QWidget* parent = nullptr);

signals:
    // Emitted whenever the window closes: by Chiudi, after a successful change or by the title bar.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdOKClick();
    void updateOK();
    void refuseNew(const QString& message);

    Context& m_context;
    QLineEdit* m_txtPasswordOld;
    QLineEdit* m_txtPasswordNew;
    QLineEdit* m_txtConferma;
    QPushButton* m_cmdEsci;
    QPushButton* m_cmdOK;
};

} // namespace rf
