#pragma once

#include "common/ui/PrintChoiceDialog.h"
#include "common/ui/ShownCard.h"

#include <QImage>

#include <functional>

namespace rf {

// The vehicle sheet of a fleet card as it stood when the dialog opened, with its photo (or the
// stand-by picture) fitted to the sheet's box when the start button is pressed.
PrintChoiceDialog::Builder vehicleSheetBuilder(const ShownCard& card,
                                               std::function<QImage(QSize)> fittedPhoto);

// Prints the vehicle sheet of the card on the fleet window.
class TfrmStampaAutomezzo : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmStampaAutomezzo(Context& context, QWidget* owner, PrintChoiceDialog::Builder sheet);
};

} // namespace rf
