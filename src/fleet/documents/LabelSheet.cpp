#include "LabelSheet.h"

#include "fleet/SchedaVeicolo.h"
#include "fleet/VehicleCodes.h"
#include "reports/Layout.h"
#include "reports/Units.h"
#include "storage/NumberOrder.h"
#include "storage/RecordScan.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace rf::Reports {
namespace {

// Codes are drawn at this resolution of their printed size, in whole pixels a module, and printed
// without smoothing: sharp on any printer, small in a PDF.
constexpr double CodeDotsPerInch = 300;

int pixels(double millimetres)
{
    return int(std::lround(toDevice(mm(millimetres), CodeDotsPerInch)));
}

QRectF placed(const QRectF& onLabelMm, const QRectF& label)
{
    return QRectF(label.topLeft() + mm(1) * onLabelMm.topLeft(), mm(1) * onLabelMm.size());
}

// Arial of at most points, made smaller (down to a legible floor) until text fits in width units.
Font fitted(const QString& text, double width, double points, bool bold)
{
    constexpr double SmallestPoints = 6;
    Font font = arial(points, bold);
    while (font.points > SmallestPoints && textWidth(font, text) > width)
        font.points -= 0.5;
    return font;
}

void addLabel(Report& report, int index, int slot, const LabelVehicle& vehicle)
{
    const QRectF label = labelArea(slot);
    const QRectF qr = labelQrMm();
    const QRectF bars = labelCode128Mm();
    report
        .addPicture(labelObjectName("imgQR", index), placed(qr, label),
                    Fleet::qrCode(vehicle.number, pixels(qr.width())))
        .crisp = true;
    report
        .addPicture(labelObjectName("imgCodice", index), placed(bars, label),
                    Fleet::code128(vehicle.number, QSize(pixels(bars.width()), pixels(bars.height()))))
        .crisp = true;
    const QRectF numberArea = placed(labelNumberMm(), label);
    const QString number = Fleet::vehicleLabel(vehicle.number.trimmed(), QString()).trimmed();
    report.addText(labelObjectName("txtBici", index), numberArea, number,
                   fitted(number, numberArea.width(), 12, true), Qt::AlignHCenter | Qt::AlignVCenter);
    const QRectF makeArea = placed(labelMakeMm(), label);
    const QString make = vehicle.make.trimmed();
    report.addText(labelObjectName("txtMarca", index), makeArea, make,
                   fitted(make, makeArea.width(), 9, false), Qt::AlignHCenter | Qt::AlignVCenter);
}

} // namespace

QRectF labelQrMm()
{
    return QRectF(3, 6, 25, 25);
}

QRectF labelCode128Mm()
{
    return QRectF(30, 5, 37, 13);
}

QRectF labelNumberMm()
{
    return QRectF(30, 20, 37, 6);
}

QRectF labelMakeMm()
{
    return QRectF(30, 26, 37, 5);
}

QRectF labelArea(int slot)
{
    const int column = slot % LabelColumns;
    const int row = slot / LabelColumns;
    return mmRect(column * LabelWidthMm, LabelSheetTopMm + row * LabelHeightMm, LabelWidthMm, LabelHeightMm);
}

QString labelObjectName(const char* kind, int index)
{
    return QLatin1String(kind) + QString::number(index);
}

Report labelSheet(const std::vector<LabelVehicle>& vehicles)
{
    Report report(QStringLiteral("Etichette veicoli"));
    // The labels run from edge to edge: the page's objects are placed from the paper's corner.
    const QMarginsF noMargins(0, 0, 0, 0);
    report.addPage(QPageLayout::Portrait, noMargins);
    for (std::size_t i = 0; i < vehicles.size(); ++i) {
        const int slot = int(i % LabelsPerSheet);
        if (slot == 0 && i > 0)
            report.addPage(QPageLayout::Portrait, noMargins);
        addLabel(report, int(i) + 1, slot, vehicles[i]);
    }
    if (vehicles.size() == 1)
        report.setFileName(
            QStringLiteral("Etichetta ") +
            Fleet::vehicleLabel(vehicles.front().number.trimmed(), vehicles.front().make.trimmed()));
    return report;
}

std::optional<std::vector<LabelVehicle>> fleetLabels(const QString& archivePath)
{
    std::vector<LabelVehicle> vehicles;
    if (!QFileInfo::exists(archivePath)) // reading never makes the archive
        return vehicles;
    const RecordLayout& layout = TSchedaVeicolo();
    const int number = layout.indexOf(QStringLiteral("BiciNum"));
    const int make = layout.indexOf(QStringLiteral("Marca"));
    const ScanResult read = scanArchive(archivePath, layout, [&](const RecordView& card) {
        if (!card.field(number).isEmpty())
            vehicles.push_back({card.field(number), card.field(make)});
    });
    if (read != ScanResult::Done)
        return std::nullopt;
    std::stable_sort(vehicles.begin(), vehicles.end(), [](const LabelVehicle& a, const LabelVehicle& b) {
        return numberOrderLess(a.number, b.number);
    });
    return vehicles;
}

} // namespace rf::Reports
