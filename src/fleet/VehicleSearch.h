#pragma once

#include "storage/RecordScan.h"
#include "storage/TextSearch.h"

#include <vector>

namespace rf::Fleet {

// The ten filters of the vehicle search, in the order Enter walks them.
const std::vector<SearchFilterDef>& searchFilters();

// The columns every vehicle line begins with: number, make, size and colour fitted to their widths,
// then "  Anno: ", ready for more.
LineBuilder columns(const RecordView& record);

// A vehicle's line in the search results: number, make, size, colour, year and state, each but
// the last fitted to its column.
QByteArray searchLine(const RecordView& record);

} // namespace rf::Fleet
