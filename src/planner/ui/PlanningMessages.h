#pragma once

#include "fleet/ServiceLog.h"
#include "planner/PlanningFile.h"

#include <QString>

// The texts that tell the user what became of a planning file: why it can only be looked at, why
// a save failed, and what another workstation or an outside hand did to it meanwhile. Shared by
// the grid and the contract booking.
class QWidget;

namespace rf {
class Messages;
}

namespace rf::PlanningMessages {

// The fleet has no vehicle to plan.
QString noVehicles();

// The day dialog's title line for a day of a year: "Prenotazione del 12 maggio 2026 ".
QString dayTitle(int slot, const QString& year);
// A year's bookings of a vehicle could not be read: the first sentence of the warning, which the
// caller ends with what follows from it.
QString unreadableYear(const QString& year);
// A year's bookings of a vehicle can be looked at but not changed, and why.
QString readOnlyYear(const QString& year, const QString& path, WriteProblem why, const ArchiveNotice& notice);

// Why a planning file that was read cannot be written: its permissions, a link, the folder, or
// an interrupted rewrite still waiting (notice).
QString readOnlyReason(const QString& path, WriteProblem why, const ArchiveNotice& notice);
// Why a save did not happen.
QString saveFailureReason(const QString& path, const Planning::SaveResult& result);
// The days both workstations changed, each with the text kept and the text replaced; empty when none.
QString conflictsText(const std::vector<Planning::Conflict>& conflicts);
// What the user must know when the file had been removed or damaged before the save; empty when not.
QString meanwhileText(const QString& path, Planning::SaveResult::Meanwhile meanwhile);

// Whether days a vehicle spends in the workshop may be booked all the same: the user is asked,
// the stay named ("IN OFFICINA: ..."), with No as the default; true when there is no stay.
bool workshopAgreed(Messages& messages, QWidget* owner, const Service::Entry* stay);

// Tells the user, file by file, what another workstation or an outside hand did meanwhile to the
// files a save wrote; returns the file that could not be written (for the caller to say what
// follows from it), or null.
const Planning::BookingWritten::File* tellWritten(Messages& messages, QWidget* owner,
                                                  const Planning::BookingWritten& written);

} // namespace rf::PlanningMessages
