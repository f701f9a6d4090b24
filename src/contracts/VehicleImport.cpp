#include "VehicleImport.h"

#include "fleet/SchedaVeicolo.h"
#include "storage/RecordScan.h"

#include <QFileInfo>

namespace rf::Contracts {

std::optional<QStringList> vehicleNumbered(const QString& fleetArchive, const QString& number)
{
    NumberLookup found = lookUpVehicle(fleetArchive, number);
    if (found.match != NumberLookup::Match::One)
        return std::nullopt;
    return std::move(found.texts);
}

NumberLookup lookUpVehicle(const QString& fleetArchive, const QString& number)
{
    const QString wanted = number.trimmed();
    if (wanted.isEmpty() || !QFileInfo::exists(fleetArchive)) // a lookup never makes the archive
        return {};
    const RecordLayout& layout = TSchedaVeicolo();
    const int numberField = layout.indexOf(QStringLiteral("BiciNum"));
    NumberLookup found;
    int matches = 0;
    const ScanResult read = scanArchive(fleetArchive, layout, [&](const RecordView& card) {
        if (card.field(numberField).trimmed().compare(wanted, Qt::CaseInsensitive) != 0)
            return;
        if (++matches == 1)
            found.texts = card.texts();
    });
    if (read != ScanResult::Done)
        return {};
    found.match = matches == 0   ? NumberLookup::Match::None
                  : matches == 1 ? NumberLookup::Match::One
                                 : NumberLookup::Match::Several;
    if (found.match != NumberLookup::Match::One)
        found.texts.clear();
    return found;
}

} // namespace rf::Contracts
