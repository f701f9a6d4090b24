#pragma once

#include "storage/Spreadsheet.h"

namespace rf::Contracts {

constexpr const char* ExportFileName = "Contratti_Noleggio_Bici.xls";
constexpr const char* ExportWorksheet = "Contratti Noleggio Bici";

// The 25 exported columns of a contract.
const std::vector<ExportColumn>& exportColumns();

} // namespace rf::Contracts
