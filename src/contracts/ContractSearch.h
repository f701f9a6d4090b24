#pragma once

#include "storage/RecordScan.h"
#include "storage/TextSearch.h"

#include <vector>

namespace rf::Contracts {

// The ten filters of the contract search, in the order Enter walks them (and two to a row on screen).
const std::vector<SearchFilterDef>& SearchFilters();

// A contract's line in the search and not-returned lists: customer, phone, bicycle, make, start
// and end date, each fitted to its column, then the total, which so always starts at character 147.
QByteArray ListLine(const RecordView& record);

// Whether the contract's vehicle is still out: its returned flag reads "No", and nothing else.
bool NotReturned(const RecordView& record);

} // namespace rf::Contracts
