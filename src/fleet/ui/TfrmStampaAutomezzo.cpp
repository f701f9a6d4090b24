#include "TfrmStampaAutomezzo.h"

#include "fleet/documents/VehicleSheet.h"
#include "fleet/ui/TfrmAutoparco.h"

#include <QLineEdit>

namespace rf {

PrintChoiceDialog::Builder vehicleSheetBuilder(const TfrmAutoparco& fleet)
{
    return [&fleet]() -> std::optional<Reports::Report> {
        const QImage card = fleet.photoFitted(Reports::vehicleSheetPhotoPixels());
        const QImage photo = card.isNull() ? TfrmAutoparco::placeholderImage() : card;
        bool editsFound = true;
        Reports::Report sheet = Reports::vehicleSheet();
        Reports::fillVehicleSheet(sheet, photo, [&fleet, &editsFound](const QString& field) {
            const QLineEdit* edit = fleet.edit(field);
            editsFound = editsFound && edit;
            return edit ? edit->text() : QString();
        });
        if (!editsFound)
            return std::nullopt;
        sheet.setFileName(QStringLiteral("Scheda veicolo ") +
                          fleet.edit(QStringLiteral("BiciNum"))->text().trimmed());
        return sheet;
    };
}

TfrmStampaAutomezzo::TfrmStampaAutomezzo(Context& context, TfrmAutoparco& fleet)
    : PrintChoiceDialog(context, &fleet,
                        {QStringLiteral("frmStampaAutomezzo"), QStringLiteral(" Stampa documento"),
                         QSize(364, 287), Look::Explanation, QStringLiteral(":/fleet/print_explain.svg"),
                         QStringLiteral("Annulla"), Style::DeepBlue})
{
    addChoice({QStringLiteral("btnStampa"), QStringLiteral("Stampa"), Output::Print,
               QStringLiteral("Attenzione: la stampa del documento non è andata a buon fine.\n\r\n\r"
                              "Si consiglia di ridurre le dimensioni della foto."),
               vehicleSheetBuilder(fleet)});
}

} // namespace rf
