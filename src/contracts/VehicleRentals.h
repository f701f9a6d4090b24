#pragma once

#include "fleet/ServiceDue.h"

#include <QHash>
#include <QString>

#include <vector>

namespace rf::Contracts {

// The days each vehicle (by number, trimmed) was out on rental, from the contracts archive of
// folder: each contract's start and end date (an end that is not a date counts as the start).
// Contracts without a vehicle or a start date are left out; a missing archive gives none and is
// not created.
QHash<QString, std::vector<Service::RentalSpan>> rentalsByVehicle(const QString& folder);

} // namespace rf::Contracts
