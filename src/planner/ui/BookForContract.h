#pragma once

#include "common/ui/PlannerBooking.h"

namespace rf {

class Context;

// After a contract was saved: offers to book (or move) its days in the planner and writes them,
// asking again before replacing days booked for someone else. The contract stays saved whatever
// happens here; each problem is told in a message.
void bookForContract(Context& context, QWidget* owner, const BookingRequest& request);

} // namespace rf
