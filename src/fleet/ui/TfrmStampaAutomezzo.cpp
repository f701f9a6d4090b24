#include "TfrmStampaAutomezzo.h"

#include "common/ui/UserTexts.h"
#include "fleet/documents/VehicleSheet.h"

namespace rf {

PrintChoiceDialog::Builder vehicleSheetBuilder(const ShownCard& card,
                                               std::function<QImage(QSize)> fittedPhoto)
{
    return [card, fittedPhoto = std::move(fittedPhoto)]() -> std::optional<Reports::Report> {
        const QImage photo = fittedPhoto(Reports::vehicleSheetPhotoPixels());
        bool editsFound = true;
        Reports::Report sheet = Reports::vehicleSheet();
        Reports::fillVehicleSheet(sheet, photo, [&card, &editsFound](const QString& field) {
            const std::optional<QString> text = card.text(field);
            editsFound = editsFound && text;
            return text.value_or(QString());
        });
        if (!editsFound)
            return std::nullopt;
        sheet.setFileName(QStringLiteral("Scheda veicolo ") +
                          card.text(QStringLiteral("BiciNum")).value_or(QString()).trimmed());
        return sheet;
    };
}

TfrmStampaAutomezzo::TfrmStampaAutomezzo(Context& context, QWidget* owner, PrintChoiceDialog::Builder sheet)
    : PrintChoiceDialog(context, owner,
                        {QStringLiteral("frmStampaAutomezzo"), QStringLiteral(" Stampa documento"),
                         QSize(364, 287), Look::Explanation, QStringLiteral(":/fleet/print_explain.svg"),
                         QStringLiteral("Annulla"), Style::DeepBlue})
{
    addChoice({QStringLiteral("btnStampa"), QStringLiteral("Stampa"), Output::Print, Texts::printFailed(),
               std::move(sheet)});
}

} // namespace rf
