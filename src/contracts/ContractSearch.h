#pragma once

#include "storage/RecordScan.h"
#include "storage/TextSearch.h"

#include <QDate>

#include <vector>

namespace rf::Contracts {

// The ten filters of the contract search, in the order Enter walks them (and two to a row on screen).
const std::vector<SearchFilterDef>& searchFilters();

// A contract's line in the search and not-returned lists: customer, phone, bicycle, make, start
// and end date, each fitted to its column, then the total, which so always starts at character 147.
QByteArray listLine(const RecordView& record);

// Whether the contract's vehicle is still out: its returned flag reads "No", and nothing else.
bool notReturned(const RecordView& record);

// Whether a contract still out should have been returned before today: its end date has passed.
// A contract without a readable end date is not counted late.
bool overdue(const RecordView& record, const QDate& today);
// The same rule for a contract known to be out whose end date was read already.
bool pastItsEnd(const QDate& endDate, const QDate& today);

// The count below the list of vehicles not returned: "3 veicoli fuori, di cui 1 in ritardo", the
// noun singular for one vehicle.
QString outCount(int out, int late);

} // namespace rf::Contracts
