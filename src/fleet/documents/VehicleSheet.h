#pragma once

#include "reports/Report.h"

#include <QImage>

#include <functional>

namespace rf::Reports {

// "Scheda Veicolo": one A4 portrait page with a title bar, the vehicle photo and the 27 fields of a
// fleet card, each in a framed box under a blue caption bar. Each value object is named after
// the card's edit ("txt" + field name), its caption bar "tit" + field name.
Report vehicleSheet();

// Where the photo goes on the sheet, in units, and the pixels a photo needs to fill it sharply.
QRectF vehicleSheetPhotoArea();
QSize vehicleSheetPhotoPixels();

// Fills the vehicle sheet: portrait page, the photo, and every value object with the trimmed
// value of its field, asked for by field name ("BiciNum") in record order.
void fillVehicleSheet(Report& report, const QImage& photo,
                      const std::function<QString(const QString& field)>& valueOf);

constexpr QRgb RoyalBlue = 0xFF4169E1;

} // namespace rf::Reports
