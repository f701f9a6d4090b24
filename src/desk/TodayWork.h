#pragma once

#include "contracts/ContractReturn.h"
#include "fleet/ServiceDue.h"
#include "planner/PlannerVehicles.h"
#include "storage/LineOrder.h"
#include "storage/RecordScan.h"

#include <QDate>
#include <QHash>
#include <QString>

#include <vector>

namespace rf::Today {

// What a day holds for the desk, read from the contracts archive, the planner and the workshop
// log: the contracts still out, those due back today, those past their end date, the planner's
// bookings that begin today for a bicycle no contract covers today yet (the pickups still to be
// drawn up), and the fleet's vehicles with workshop work due today or overdue.
struct Work {
    // Most urgent first: out by end date, due today by end time, late by days late, pickups by the
    // time written in the booking, service by how overdue; then by vehicle number.
    std::vector<ListEntry> out; // contractLine of each
    std::vector<ListEntry> dueToday;
    std::vector<ListEntry> late;
    std::vector<ListEntry> pickups; // "Bici n. NUMBER  MAKE  TEXT", position: the fleet card
    std::vector<ListEntry> service; // serviceLine of each, position: the fleet card
    ScanResult contracts = ScanResult::Done;
    // A log not read to its end leaves the service list empty: a missing entry would show work
    // as due that was done.
    ScanResult serviceLog = ScanResult::Done;
    // For a code read at the counter: each vehicle number (trimmed, in capitals) with its fleet
    // card, and with its contract still out (the last in the archive).
    QHash<QString, qint64> fleetCardOf;
    QHash<QString, qint64> contractOutOf;
};

// The day's work for today from the program folder. A pickup is a vehicle booked today for a text
// it was not booked for the day before. Work falls due by the rules of the folder's settings file.
Work dayWork(const QString& folder, const QDate& today);

// A contract's line in the day's lists: the bicycle first, then the customer, the days and the
// phone, short enough to be read whole.
QByteArray contractLine(const RecordView& record);

// Marks the contract of a line of the day's lists returned, in the contracts archive of folder.
Contracts::Returned markReturned(const QString& folder, qint64 position, const QByteArray& line);

// The line of a pickup.
QByteArray pickupLine(const Planning::Vehicle& vehicle, const QString& text);

// The line of a vehicle with work due: "Bici n. NUMBER  MAKE  ", the first work of due and how
// overdue (Service::dueText), then the others by name ("Tagliando scaduto da 12 giorni; anche
// Freni, Pneumatici").
QByteArray serviceLine(const Planning::Vehicle& vehicle, const std::vector<Service::Due>& due);

} // namespace rf::Today
