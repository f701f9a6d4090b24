#pragma once

#include "reports/Report.h"
#include "common/ui/ReportPreview.h"

#include <QDialog>
#include <QImage>

class QPushButton;
namespace rf {

class TfrmAutoparco;

class Context;
class SvgPicture;

// What the vehicle sheet print and preview dialogs share: the template repDocumento filled from the
// fleet window as it stands, an explanatory picture, a start and a cancel button. The subclasses
// say whether the start button previews or prints.
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
        Output output;
    };
    VehicleSheetDialog(Context& context, TfrmAutoparco& fleet, const Look& look);

    Context& m_context;

private:
    TfrmAutoparco& m_fleet;
    QString m_failure;
    Output m_output;
    report::Report m_repDocumento;
    QImage m_imgLogo;
    QImage m_imgTemp;
    SvgPicture* m_imgLogo01 = nullptr;
    QPushButton* m_btnStampa = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
};

// Prints the vehicle sheet of the card on the fleet window.
class TfrmStampaAutomezzo : public VehicleSheetDialog {
    Q_OBJECT
public:
    TfrmStampaAutomezzo(Context& context, TfrmAutoparco& fleet);
};

} // namespace rf
