#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace rf {

class Context;

// Checks a VAT number typed or handed over by the contracts window and, when it is valid, names
// the VAT office that issued it.
class TfrmPartitaIva : public QDialog {
    Q_OBJECT
public:
    TfrmPartitaIva(Context& context, QWidget* owner);

    // Puts the number to check into the edit.
    void setNumber(const QString& number);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnControllaClick();

    Context& m_context;
    QLineEdit* txtPartitaIva = nullptr;
    QPushButton* btnControlla = nullptr;
    QPushButton* btnChiudi = nullptr;
};

} // namespace rf
