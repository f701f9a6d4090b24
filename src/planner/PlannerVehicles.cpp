#include "PlannerVehicles.h"

#include "fleet/SchedaVeicolo.h"
#include "fleet/VehicleSearch.h"
#include "storage/LineOrder.h"
#include "storage/NumberOrder.h"

#include <QHash>

#include <algorithm>

namespace rf::Planning {

QByteArray vehicleLine(const RecordView& card)
{
    static const int year = TSchedaVeicolo().indexOf(QStringLiteral("Anno"));
    return Fleet::columns(card).field(year).take();
}

std::vector<FleetVehicle> fleetVehicles(const QString& path)
{
    const RecordLayout& layout = TSchedaVeicolo();
    static const int number = layout.indexOf(QStringLiteral("BiciNum"));
    static const int make = layout.indexOf(QStringLiteral("Marca"));
    static const int colour = layout.indexOf(QStringLiteral("Colore"));
    static const int size = layout.indexOf(QStringLiteral("Taglia"));
    LineSorter order;
    QHash<qint64, Vehicle> vehicles;
    scanArchive(path, layout, [&](const RecordView& card) {
        const QString biciNum = card.field(number).trimmed();
        if (biciNum.isEmpty())
            return;
        order.add({vehicleLine(card), card.position()});
        vehicles.insert(card.position(), {biciNum, card.field(make).trimmed(), card.field(colour).trimmed(),
                                          card.field(size).trimmed()});
    });
    std::vector<FleetVehicle> fleet;
    for (ListEntry& entry : order.finish())
        fleet.push_back({entry.position, std::move(entry.line), vehicles.value(entry.position)});
    // Numbers read as a shop counts them (B-2 before B-10); cards with the same number keep the
    // order of their lines.
    std::stable_sort(fleet.begin(), fleet.end(), [](const FleetVehicle& a, const FleetVehicle& b) {
        return numberOrderLess(a.vehicle.number, b.vehicle.number);
    });
    return fleet;
}

} // namespace rf::Planning
