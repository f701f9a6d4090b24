#include "ContractPrint.h"

#include "common/ui/Context.h"
#include "contracts/CompanyLogo.h"
#include "contracts/documents/ContractFront.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"

#include <QLineEdit>

namespace rf::ContractPrint {

namespace {
constexpr int ClientWidth = 363;
// The bicycle on the front is 23 x 11 mm; this is about 1000 dots an inch.
const QSize BicyclePixels(920, 440);
} // namespace

QImage bicyclePicture()
{
    return Style::renderImage(QStringLiteral(":/contracts/bike_red_small.svg"), BicyclePixels,
                              Qt::transparent, false);
}

QString fileName(const QString& document, const TfrmContratti_Noleggio_Bici& form)
{
    QStringList parts{document};
    const QString number = form.position().trimmed();
    if (!number.isEmpty())
        parts << QStringLiteral("n. ") + number;
    if (const QLineEdit* customer = form.edit(QStringLiteral("Cliente"));
        customer && !customer->text().trimmed().isEmpty())
        parts << customer->text().trimmed();
    return parts.join(QLatin1Char(' '));
}

PrintChoiceDialog::Builder frontBuilder(Context& context, const TfrmContratti_Noleggio_Bici& form)
{
    return [&context, &form]() -> std::optional<Reports::Report> {
        Reports::Report front = Reports::contractFront(bicyclePicture());
        Reports::fillContractFront(front, CompanyLogo::loadLogo(context.programFolder()),
                                  [&form](const QString& field) {
                                      const QLineEdit* edit = form.edit(field);
                                      return edit ? edit->text() : QString();
                                  });
        front.setFileName(fileName(QStringLiteral("Contratto"), form));
        return front;
    };
}

PrintChoiceDialog::Frame frame(const QString& objectName, const QString& caption, int clientHeight,
                               const QString& banner, const QString& closeText)
{
    return {objectName, caption,  QSize(ClientWidth, clientHeight), PrintChoiceDialog::Look::Banner,
            banner,     closeText};
}

} // namespace rf::ContractPrint
