#pragma once

#include "common/ui/PrintChoiceDialog.h"
#include "common/ui/ShownCard.h"

#include <QImage>

namespace rf {

// What the contract's print and preview windows share; they take the contract as a ShownCard.
namespace ContractPrint {

// The small red bicycle of the contract's front, drawn at print resolution.
QImage bicyclePicture();

// The name a saved copy of a contract's document is offered under: the document, the contract's
// number (its position in the archive, none for a contract not saved yet) and the customer, as in
// "Contratto n. 12 Rossi Mario".
QString fileName(const QString& document, const ShownCard& contract);

// The front template with the company logo (Logo.bmp, or the built-in euro picture, read when the
// button is pressed) and the contract's values.
PrintChoiceDialog::Builder frontBuilder(Context& context, const ShownCard& contract);

// The banner look the contract's print windows share, with the given name, caption and height.
PrintChoiceDialog::Frame frame(const QString& objectName, const QString& caption, int clientHeight,
                               const QString& banner, const QString& closeText);

} // namespace ContractPrint
} // namespace rf
