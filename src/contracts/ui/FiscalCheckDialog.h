#pragma once

#include "common/ui/FixedDialog.h"

class QLineEdit;
class QPushButton;

namespace rf {

// The check dialog the fiscal code and VAT number windows share: a banner picture, the prompt,
// the edit (rectangle highlight, Enter moving to "Controlla"), "Controlla" and "Chiudi". The edit
// has the focus whenever the dialog is shown; "Controlla" runs check().
class FiscalCheckDialog : public FixedDialog {
    Q_OBJECT
protected:
    struct Look {
        QString objectName;
        QString caption;
        QString banner; // resource of the banner picture
        QString prompt;
        QString editName;
        QString effName;
        int maxLength;
    };
    FiscalCheckDialog(Context& context, QWidget* owner, const Look& look);

    void showEvent(QShowEvent* event) override;
    // Checks the edit's text and tells the user.
    virtual void check() = 0;

    QLineEdit* m_edit = nullptr;
    QPushButton* m_btnControlla = nullptr;
    QPushButton* m_btnChiudi = nullptr;
};

} // namespace rf
