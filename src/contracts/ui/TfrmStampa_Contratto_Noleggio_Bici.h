#pragma once

#include "reports/Report.h"

#include <QDialog>
#include <QImage>

class QPushButton;
class QVBoxLayout;
class TfrmContratti_Noleggio_Bici;

namespace rf {
class Context;
}

// Pieces the contract print and preview windows share.
namespace rf::ContractPrint {

// The small red bicycle of the contract's front, drawn at print resolution.
QImage bicyclePicture();

// The front template with the logo and the contract form's values as they stand on screen.
report::Report filledFront(const TfrmContratti_Noleggio_Bici& form, const QImage& logo);

// Frames a contract print window: caption, fixed client size, gradient, the banner (an SVG
// resource) at the top, closeButton at the bottom. The returned layout is the white panel that
// takes the window's main buttons.
QVBoxLayout* buildWindow(QDialog* window, const QString& objectName, const QString& caption, int clientWidth,
                         int clientHeight, const QString& banner, QPushButton* closeButton);

// A wide button with a printer or preview picture.
QPushButton* makeButton(const QString& objectName, const QString& text, const QString& icon);

} // namespace rf::ContractPrint

// Prints the contract on screen: the front, filled from the contract form as the user sees it, or
// the general conditions of the back, the same for every contract. Closes after either.
class TfrmStampa_Contratto_Noleggio_Bici : public QDialog {
    Q_OBJECT
public:
    TfrmStampa_Contratto_Noleggio_Bici(rf::Context& context, TfrmContratti_Noleggio_Bici& form);

    void btnStampaClick();
    void btnCondizioniClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    rf::Context& m_context;
    TfrmContratti_Noleggio_Bici& m_form;
    QImage m_imgLogo; // Logo.bmp, or the built-in euro picture
    QPushButton* m_btnStampa = nullptr;
    QPushButton* m_btnCondizioni = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
};
