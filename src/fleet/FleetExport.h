#pragma once

#include "storage/Spreadsheet.h"

namespace rf::Fleet {

constexpr const char* ExportFileName = "Parco_Veicoli.xls";
constexpr const char* ExportWorksheet = "Parco Veicoli";

// The 25 exported columns of a vehicle card.
const std::vector<ExportColumn>& exportColumns();

} // namespace rf::Fleet
