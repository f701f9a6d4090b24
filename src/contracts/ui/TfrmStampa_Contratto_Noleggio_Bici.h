#pragma once

#include "reports/Report.h"

#include <QDialog>
#include <QImage>

#include <functional>

class QPushButton;
class QVBoxLayout;
namespace rf {

class TfrmContratti_Noleggio_Bici;

class Context;

// Pieces the contract print and preview windows share.
namespace ContractPrint {

// The small red bicycle of the contract's front, drawn at print resolution.
QImage bicyclePicture();

// The front template with the logo and the contract form's values as they stand on screen.
report::Report filledFront(const TfrmContratti_Noleggio_Bici& form, const QImage& logo);

// A wide button with a printer or preview picture.
QPushButton* makeButton(const QString& objectName, const QString& text, const QString& icon);

// A window that prints from the contract form as it stands: caption, fixed client size, gradient,
// the banner (an SVG resource) at the top, the close button `btnAnnulla` at the bottom, and a white
// panel in between for its main buttons. It loads the company logo each time it is shown.
class Window : public QDialog {
    Q_OBJECT
protected:
    Window(Context& context, TfrmContratti_Noleggio_Bici& form, const QString& objectName, const QString& caption,
           QSize client, const QString& banner, const QString& closeText);

    // Adds a main button to the panel, wired to action.
    QPushButton* addButton(const QString& objectName, const QString& text, const QString& icon,
                           std::function<void()> action);
    QVBoxLayout* buttons() const { return m_buttons; }
    // Logo.bmp, or the built-in euro picture.
    const QImage& logo();
    // Prepares and outputs the report, warns with failureMessage when that fails, then closes.
    void outputAndClose(const report::Report& report, bool preview, const QString& failureMessage);

    void showEvent(QShowEvent* event) override;

    Context& m_context;
    TfrmContratti_Noleggio_Bici& m_form;

private:
    QImage m_imgLogo;
    QVBoxLayout* m_buttons = nullptr;
};

} // namespace ContractPrint

// Prints the contract on screen: the front, filled from the contract form as the user sees it, or
// the general conditions of the back, the same for every contract. Closes after either.
class TfrmStampa_Contratto_Noleggio_Bici : public ContractPrint::Window {
    Q_OBJECT
public:
    TfrmStampa_Contratto_Noleggio_Bici(Context& context, TfrmContratti_Noleggio_Bici& form);

    void btnStampaClick();
    void btnCondizioniClick();
};

} // namespace rf
