#pragma once

#include "common/ui/PrintChoiceDialog.h"

#include <QString>

#include <vector>

namespace rf {

class Context;

// What the yearly sheet shows of a planning grid: its vehicle, its year and every booked day,
// unsaved bookings included, as the grid stood when the dialog opened.
struct ShownPlanning {
    QString year;
    QString number, make, size;
    std::vector<bool> booked; // by day slot
};

// The yearly sheet of that grid, dated when the start button is pressed.
PrintChoiceDialog::Builder planningSheetBuilder(Context& context, ShownPlanning planning);

} // namespace rf
