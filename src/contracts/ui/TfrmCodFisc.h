#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace rf {

class Context;

// The controls of a number-check dialog built by buildCheckDialog().
struct CheckDialogControls {
    QLineEdit* edit = nullptr;
    QPushButton* btnControlla = nullptr;
    QPushButton* btnChiudi = nullptr;
};

// Lays out the fixed-size check dialog shared by the fiscal code and VAT number windows: a banner
// picture, the prompt, the edit (rectangle highlight effName, at most maxLength characters, Enter
// moving to "Controlla") and the buttons "Controlla" and "Chiudi" ("Chiudi" already closes).
CheckDialogControls buildCheckDialog(QDialog* dialog, const QString& banner, const QString& prompt,
                                     const QString& editName, const QString& effName, int maxLength);

// Checks a fiscal code typed or handed over by the contracts window and tells whether it is valid.
class TfrmCodFisc : public QDialog {
    Q_OBJECT
public:
    TfrmCodFisc(Context& context, QWidget* owner);

    // Puts the text to check into the edit.
    void setCode(const QString& code);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnControllaClick();

    Context& m_context;
    QLineEdit* txtCodFisc = nullptr;
    QPushButton* btnControlla = nullptr;
    QPushButton* btnChiudi = nullptr;
};

} // namespace rf
