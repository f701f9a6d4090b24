#pragma once

#include "reports/Report.h"

#include <optional>
#include <vector>

namespace rf::Reports {

// "Etichette veicoli": the standard A4 sheet of 3 x 8 self-adhesive labels of 70 x 37 mm that
// touch one another (210 x 296 mm: the sheet's spare half millimetre is split above and below).
// Each label carries a vehicle's number as a QR code on its left and as a Code 128 bar code on its
// right, "Bici n. 12" and the make under the bar code. One label per vehicle, in the order given;
// a new sheet every 24 vehicles. A number no code can carry leaves that code's place blank.
struct LabelVehicle {
    QString number;
    QString make;
};

constexpr int LabelColumns = 3;
constexpr int LabelRows = 8;
constexpr int LabelsPerSheet = LabelColumns * LabelRows;
constexpr double LabelWidthMm = 70;
constexpr double LabelHeightMm = 37;
constexpr double LabelSheetTopMm = 0.5;

// Where the codes and texts sit on a label, in millimetres from its top left corner.
QRectF labelQrMm();
QRectF labelCode128Mm();
QRectF labelNumberMm();
QRectF labelMakeMm();

// The label in place slot (0 to 23, row by row) of its sheet, in units from the paper's corner.
QRectF labelArea(int slot);

// The objects of the label for the index-th vehicle (from 1): imgQR<index>, imgCodice<index>,
// txtBici<index>, txtMarca<index>.
QString labelObjectName(const char* kind, int index);

Report labelSheet(const std::vector<LabelVehicle>& vehicles);

// The vehicles of every card of the fleet archive at archivePath that has a number, in number
// order (B-2 before B-10); none when there is no archive, nothing when it cannot be read.
std::optional<std::vector<LabelVehicle>> fleetLabels(const QString& archivePath);

} // namespace rf::Reports
