#include "VehicleRentals.h"

#include "contracts/SchedaContratto.h"
#include "storage/Amounts.h"
#include "storage/Cp1252.h"

#include <QDir>
#include <QFileInfo>

namespace rf::Contracts {

std::optional<Service::RentalSpan> rentalOf(const RecordView& contract)
{
    static const int start = TSchedaContratto().indexOf(QStringLiteral("DataInizio"));
    static const int end = TSchedaContratto().indexOf(QStringLiteral("DataFine"));
    const QDate from = parseStoredDate(contract.fieldBytes(start));
    if (!from.isValid())
        return std::nullopt;
    const QDate to = parseStoredDate(contract.fieldBytes(end));
    return Service::RentalSpan{from, to.isValid() && to >= from ? to : from};
}

QHash<QString, std::vector<Service::RentalSpan>> rentalsByVehicle(const QString& folder)
{
    QHash<QString, std::vector<Service::RentalSpan>> rentals;
    const QString path = QDir(folder).filePath(QLatin1String(ArchiveName));
    if (!QFileInfo::exists(path))
        return rentals;
    static const int bicycle = TSchedaContratto().indexOf(QStringLiteral("BiciNum"));
    scanArchive(path, TSchedaContratto(), [&](const RecordView& record) {
        const QByteArray number = record.fieldBytes(bicycle);
        if (number.isEmpty())
            return;
        if (const std::optional<Service::RentalSpan> rental = rentalOf(record))
            rentals[Cp1252::decode(number)].push_back(*rental);
    });
    return rentals;
}

} // namespace rf::Contracts
