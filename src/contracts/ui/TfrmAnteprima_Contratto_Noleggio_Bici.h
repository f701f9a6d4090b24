#pragma once

#include <QDialog>
#include <QImage>

class QPushButton;
class TfrmContratti_Noleggio_Bici;

namespace rf {
class Context;
}

// Shows the front of the contract on screen, filled from the contract form as the user sees it,
// in the report preview, from which it can also be printed. Closes when the preview closes.
class TfrmAnteprima_Contratto_Noleggio_Bici : public QDialog {
    Q_OBJECT
public:
    TfrmAnteprima_Contratto_Noleggio_Bici(rf::Context& context, TfrmContratti_Noleggio_Bici& form);

    void btnAnteprimaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    rf::Context& m_context;
    TfrmContratti_Noleggio_Bici& m_form;
    QImage m_imgLogo; // Logo.bmp, or the built-in euro picture
    QPushButton* m_btnAnteprima = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
};
