#pragma once

#include "reports/Report.h"

#include <QDateTime>
#include <QImage>

#include <functional>

namespace rf::Reports {

// "Scheda Verifica Stato Bici": the vehicle condition sheet handed over with a rental, one A4
// portrait page with 10 mm margins. It repeats the parties, the vehicle and the rental period of
// the contract, offers two side views of a bicycle on which the shop marks damage by hand with the
// letter codes of the legend, and shows the defects found at the return. Value objects are named
// "txt" + the contract field they show and print the same prefixes as the contract's front.
Report conditionSheet();

// Fills the sheet: portrait page, the logo, the two bicycle views (bikeLeft goes into the left
// frame, "LATO DESTRO", and is the drawing as it is; bikeRight goes into the right frame,
// "LATO SINISTRO", and is its mirror image), every value object with its prefix followed by the
// trimmed value that valueOf gives for the contract field ("Cliente", "Difetti", ...), and the
// footer with the moment of printing.
void fillConditionSheet(Report& report, const QImage& logo, const QImage& bikeLeft, const QImage& bikeRight,
                        const QDateTime& printedAt,
                        const std::function<QString(const QString& field)>& valueOf);

// The footer text for a moment of printing: "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss".
QString printedAtText(const QDateTime& printedAt);

// The contract fields printed on the sheet, in the order of the page.
QStringList conditionSheetFields();

} // namespace rf::Reports
