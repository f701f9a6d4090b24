#pragma once

#include "reports/Report.h"

#include <QImage>

#include <functional>

namespace rf::Reports {

// "Contratto Noleggio Bicicletta": the front of the rental contract, one A4 portrait page with
// 10 mm margins. Coloured bands head framed boxes whose rows and cells are ruled; every value
// object is named "txt" + the contract field it shows. bicycle is the small drawing printed
// between the customer and the vehicle boxes.
Report contractFront(const QImage& bicycle);

// Fills the front: portrait page, the logo, and every value object with its fixed prefix followed
// by the trimmed value. valueOf answers a contract field name ("Cliente", "Totale", ...) with the
// text to print.
void fillContractFront(Report& report, const QImage& logo,
                       const std::function<QString(const QString& field)>& valueOf);

// The contract fields printed on the front, in the order of the page.
QStringList contractFrontFields();

} // namespace rf::Reports
