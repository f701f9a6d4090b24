#include "ContractPrint.h"

#include "common/ui/Context.h"
#include "contracts/CompanyLogo.h"
#include "contracts/documents/ContractFront.h"

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

QString fileName(const QString& document, const ShownCard& contract)
{
    QStringList parts{document};
    const QString number = contract.position.trimmed();
    if (!number.isEmpty())
        parts << QStringLiteral("n. ") + number;
    const QString customer = contract.text(QStringLiteral("Cliente")).value_or(QString()).trimmed();
    if (!customer.isEmpty())
        parts << customer;
    return parts.join(QLatin1Char(' '));
}

PrintChoiceDialog::Builder frontBuilder(Context& context, const ShownCard& contract)
{
    return [&context, contract]() -> std::optional<Reports::Report> {
        Reports::Report front = Reports::contractFront(bicyclePicture());
        Reports::fillContractFront(
            front, CompanyLogo::loadLogo(context.dataFolder()),
            [&contract](const QString& field) { return contract.text(field).value_or(QString()); });
        front.setFileName(fileName(QStringLiteral("Contratto"), contract));
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
