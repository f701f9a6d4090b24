#pragma once

#include "fleet/ServiceLog.h"

#include <QDate>
#include <QString>

namespace rf::Test {

// An entry of the workshop log for the vehicle number, with the texts the tests look for.
inline Service::Entry serviceEntry(const QString& number, const QDate& date, const QString& work,
                                   const QString& cost = {})
{
    Service::Entry entry;
    entry.vehicleNumber = number;
    entry.date = date;
    entry.work = work;
    entry.cost = cost;
    return entry;
}

} // namespace rf::Test
