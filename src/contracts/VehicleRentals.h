#pragma once

#include "fleet/ServiceDue.h"
#include "storage/RecordScan.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

namespace rf::Contracts {

// The days a contract kept its vehicle out: its start and end date (an end that is not a date, or
// comes before the start, counts as the start); nothing without a start date.
std::optional<Service::RentalSpan> rentalOf(const RecordView& contract);

// The days each vehicle (by number, trimmed) was out on rental, from the contracts archive of
// folder: each contract's rentalOf. Contracts without a vehicle or a start date are left out; a
// missing archive gives none and is not created.
QHash<QString, std::vector<Service::RentalSpan>> rentalsByVehicle(const QString& folder);

} // namespace rf::Contracts
