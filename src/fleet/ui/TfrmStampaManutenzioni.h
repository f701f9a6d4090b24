#pragma once

#include "common/ui/PrintChoiceDialog.h"
#include "common/ui/ShownCard.h"

namespace rf {

// The service sheet of the vehicle on card: its card data and its log as read from the data folder
// when the document is built; nothing when the log cannot be read.
PrintChoiceDialog::Builder serviceSheetBuilder(const QString& folder, const ShownCard& card);

// Previews or prints the service sheet of a vehicle; the preview can save it as PDF.
class TfrmStampaManutenzioni : public PrintChoiceDialog {
    Q_OBJECT
public:
    TfrmStampaManutenzioni(Context& context, QWidget* owner, PrintChoiceDialog::Builder sheet);
};

} // namespace rf
