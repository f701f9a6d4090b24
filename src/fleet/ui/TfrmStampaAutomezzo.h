#pragma once

#include "reports/Report.h"

#include <QDialog>
#include <QImage>

class QPushButton;
class TfrmAutoparco;

namespace rf {
class Context;
class SvgPicture;
namespace report {
struct Document;
}

// What the vehicle sheet print and preview dialogs share: the template repDocumento filled from the
// fleet window as it stands, an explanatory picture, a start and a cancel button. The subclasses
// say what the start button does with the prepared document.
class VehicleSheetDialog : public QDialog {
    Q_OBJECT
public:
    // The picture that goes on the sheet, and the stand-by picture used when the card has none.
    const QImage& imgLogo() const { return m_imgLogo; }
    const QImage& imgTemp() const { return m_imgTemp; }

    // Fills and outputs the sheet, warns when that fails, then closes.
    void btnStampaClick();

protected:
    struct Look {
        QString objectName;
        QString caption;
        QString startText;
        QString explanation; // resource of the explanatory picture
        QString failure;     // the warning shown when the sheet could not be output
    };
    VehicleSheetDialog(Context& context, TfrmAutoparco& fleet, const Look& look);

    // Hands the prepared sheet to the output; false when that failed.
    virtual bool output(const report::Document& document) = 0;

    Context& m_context;

private:
    bool fillAndOutput();

    TfrmAutoparco& m_fleet;
    QString m_failure;
    report::Report m_repDocumento;
    QImage m_imgLogo;
    QImage m_imgTemp;
    SvgPicture* m_imgLogo01 = nullptr;
    QPushButton* m_btnStampa = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
};

} // namespace rf

// Prints the vehicle sheet of the card on the fleet window.
class TfrmStampaAutomezzo : public rf::VehicleSheetDialog {
    Q_OBJECT
public:
    TfrmStampaAutomezzo(rf::Context& context, TfrmAutoparco& fleet);

protected:
    bool output(const rf::report::Document& document) override;
};
