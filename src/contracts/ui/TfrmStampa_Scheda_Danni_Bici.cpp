#include "TfrmStampa_Scheda_Danni_Bici.h"

#include "common/ui/Context.h"
#include "contracts/CompanyLogo.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmStampa_Contratto_Noleggio_Bici.h"
#include "reports/Layout.h"
#include "reports/Units.h"
#include "contracts/documents/ConditionSheet.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <cmath>

namespace rf {

namespace {

constexpr int ClientWidth = 363;
constexpr int ClientHeight = 300;

const QString PrintFailed = QStringLiteral("Attenzione: la stampa del documento non è andata a buon "
                                           "fine.\n\r\n\rSi consiglia di ridurre le dimensioni "
                                           "della foto.");

// The bicycle frames of the sheet are 89 mm wide; the drawing is rendered at 400 dots an inch.
constexpr double BicycleWidthMm = 89;
constexpr double BicycleDotsPerInch = 400;

} // namespace

TfrmStampa_Scheda_Danni_Bici::TfrmStampa_Scheda_Danni_Bici(Context& context,
                                                           TfrmContratti_Noleggio_Bici& form)
    : Window(context, form, QStringLiteral("frmStampa_Scheda_Danni_Bici"),
             QStringLiteral(" Stampa scheda verifica stato veicolo"), QSize(ClientWidth, ClientHeight),
             QStringLiteral(":/contracts/conditions_banner.svg"), QStringLiteral("Annulla"))
{
    buttons()->setContentsMargins(16, 16, 16, 16); // the one button sits in a wider margin
    addButton(QStringLiteral("btnSchedaVerifica"), QStringLiteral("Stampa"), QStringLiteral(":/toolbar/print.svg"),
              [this] { btnSchedaVerificaClick(); });
}

QImage TfrmStampa_Scheda_Danni_Bici::bicycleRightSide()
{
    QSvgRenderer renderer(QStringLiteral(":/contracts/bike_side_black.svg"));
    if (!renderer.isValid())
        return {};
    const double width = BicycleWidthMm / report::MmPerInch * BicycleDotsPerInch;
    const QSizeF drawing = renderer.defaultSize();
    const QSize size(int(std::lround(width)), int(std::lround(width * drawing.height() / drawing.width())));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

void TfrmStampa_Scheda_Danni_Bici::btnSchedaVerificaClick()
{
    // A field the contract form does not have is a fault of the program: nothing is printed.
    bool everyField = true;
    const auto valueOf = [this, &everyField](const QString& field) {
        const QLineEdit* edit = m_form.edit(field);
        everyField = everyField && edit;
        return edit ? edit->text() : QString();
    };
    const QImage bicycle = bicycleRightSide();
    report::Report repVerifica = report::ConditionSheet();
    report::FillConditionSheet(repVerifica, logo(), bicycle, bicycle.mirrored(true, false),
                                   m_context.clock().now(), valueOf);
    if (!everyField) {
        m_context.messages().warning(this, PrintFailed);
        reject();
        return;
    }
    outputAndClose(repVerifica, false, PrintFailed);
}

} // namespace rf
