#include "PlannerVehicles.h"

#include "fleet/SchedaVeicolo.h"
#include "fleet/VehicleSearch.h"

namespace rf::Planning {

QByteArray vehicleLine(const RecordView& card)
{
    static const int year = TSchedaVeicolo().indexOf(QStringLiteral("Anno"));
    return Fleet::columns(card).field(year).take();
}

} // namespace rf::Planning
