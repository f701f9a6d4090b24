#include "TfrmStampa_Scheda_Danni_Bici.h"

#include "common/ui/Context.h"
#include "common/ui/UserTexts.h"
#include "contracts/CompanyLogo.h"
#include "contracts/documents/ConditionSheet.h"
#include "reports/Units.h"

#include <QVBoxLayout>

#include <cmath>

namespace rf {

namespace {
// The bicycle frames of the sheet are 89 mm wide; the drawing is rendered at 400 dots an inch.
constexpr double BicycleWidthMm = 89;
constexpr double BicycleDotsPerInch = 400;
const QString Bicycle = QStringLiteral(":/contracts/bike_side_black.svg");
} // namespace

TfrmStampa_Scheda_Danni_Bici::TfrmStampa_Scheda_Danni_Bici(Context& context, QWidget* owner,
                                                           const ShownCard& contract)
    : PrintChoiceDialog(context, owner,
                        ContractPrint::frame(QStringLiteral("frmStampa_Scheda_Danni_Bici"),
                                             QStringLiteral(" Stampa scheda verifica stato veicolo"), 300,
                                             QStringLiteral(":/contracts/conditions_banner.svg"),
                                             QStringLiteral("Annulla")))
{
    choices()->setContentsMargins(16, 16, 16, 16); // the one button sits in a wider margin
    addChoice({QStringLiteral("btnSchedaVerifica"), QStringLiteral("Stampa"), Output::Print,
               Texts::printFailed(), [&context, contract]() -> std::optional<Reports::Report> {
                   // A field the contract form does not have is a fault of the program.
                   bool everyField = true;
                   const auto valueOf = [&contract, &everyField](const QString& field) {
                       const std::optional<QString> text = contract.text(field);
                       everyField = everyField && text;
                       return text.value_or(QString());
                   };
                   const QImage bicycle = bicycleRightSide();
                   Reports::Report sheet = Reports::conditionSheet();
                   Reports::fillConditionSheet(sheet, CompanyLogo::loadLogo(context.dataFolder()), bicycle,
                                               bicycle.mirrored(true, false), context.clock().now(), valueOf);
                   if (!everyField)
                       return std::nullopt;
                   sheet.setFileName(
                       ContractPrint::fileName(QStringLiteral("Verifica stato bici contratto"), contract));
                   return sheet;
               }});
}

QImage TfrmStampa_Scheda_Danni_Bici::bicycleRightSide()
{
    const QSizeF drawing = Style::pictureSize(Bicycle);
    if (drawing.isEmpty())
        return {};
    const double width = BicycleWidthMm / Reports::MmPerInch * BicycleDotsPerInch;
    const QSize size(int(std::lround(width)), int(std::lround(width * drawing.height() / drawing.width())));
    return Style::renderImage(Bicycle, size, Qt::white, false);
}

} // namespace rf
