#include "VehicleImport.h"

#include "fleet/SchedaVeicolo.h"
#include "storage/RecordScan.h"

#include <QFileInfo>

namespace rf::Contracts {

std::optional<QStringList> vehicleNumbered(const QString& fleetArchive, const QString& number)
{
    const QString wanted = number.trimmed();
    if (wanted.isEmpty() || !QFileInfo::exists(fleetArchive)) // a lookup never makes the archive
        return std::nullopt;
    const RecordLayout& layout = TSchedaVeicolo();
    const int numberField = layout.indexOf(QStringLiteral("BiciNum"));
    std::optional<QStringList> found;
    int matches = 0;
    const ScanResult read = scanArchive(fleetArchive, layout, [&](const RecordView& card) {
        if (card.field(numberField).trimmed().compare(wanted, Qt::CaseInsensitive) != 0)
            return;
        if (++matches == 1)
            found = card.texts();
    });
    if (read != ScanResult::Done || matches != 1)
        return std::nullopt;
    return found;
}

} // namespace rf::Contracts
