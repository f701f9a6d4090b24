#include "TfrmStampaManutenzioni.h"

#include "fleet/ServiceLog.h"
#include "fleet/documents/ServiceSheet.h"
#include "storage/MessageBreaks.h"

namespace rf {

namespace {
QString failed()
{
    return QStringLiteral(
               "Attenzione: la stampa della scheda manutenzioni non è andata a buon fine." RF_BREAK_LF_CR
               "Accertarsi che l'archivio %1 sia leggibile e riprovare.")
        .arg(QLatin1String(Service::ArchiveName));
}
} // namespace

PrintChoiceDialog::Builder serviceSheetBuilder(const QString& folder, const ShownCard& card)
{
    return [folder, card]() -> std::optional<Reports::Report> {
        const QString number = card.text(QStringLiteral("BiciNum")).value_or(QString()).trimmed();
        const Service::Log log = Service::read(folder, number);
        if (log.result != ScanResult::Done)
            return std::nullopt;
        bool everyField = true;
        Reports::Report sheet = Reports::serviceSheet();
        Reports::fillServiceSheet(
            sheet,
            [&card, &everyField](const QString& field) {
                const std::optional<QString> text = card.text(field);
                everyField = everyField && text;
                return text.value_or(QString());
            },
            log.entries);
        if (!everyField)
            return std::nullopt;
        sheet.setFileName(QStringLiteral("Scheda manutenzioni ") + number);
        return sheet;
    };
}

TfrmStampaManutenzioni::TfrmStampaManutenzioni(Context& context, QWidget* owner,
                                               PrintChoiceDialog::Builder sheet)
    : PrintChoiceDialog(context, owner,
                        {QStringLiteral("frmStampaManutenzioni"),
                         QStringLiteral(" Stampa scheda manutenzioni"), QSize(520, 287), Look::Explanation,
                         QStringLiteral(":/fleet/print_explain.svg"), QStringLiteral("Annulla"),
                         Style::DeepBlue})
{
    addChoice({QStringLiteral("btnAnteprima"), QStringLiteral("Mostra anteprima"), Output::Preview, failed(),
               sheet});
    addChoice(
        {QStringLiteral("btnStampa"), QStringLiteral("Stampa"), Output::Print, failed(), std::move(sheet)});
}

} // namespace rf
