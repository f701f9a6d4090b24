#include "VehicleRentals.h"

#include "contracts/SchedaContratto.h"
#include "storage/Amounts.h"
#include "storage/Cp1252.h"
#include "storage/RecordScan.h"

#include <QDir>
#include <QFileInfo>

namespace rf::Contracts {

QHash<QString, std::vector<Service::RentalSpan>> rentalsByVehicle(const QString& folder)
{
    QHash<QString, std::vector<Service::RentalSpan>> rentals;
    const QString path = QDir(folder).filePath(QLatin1String(ArchiveName));
    if (!QFileInfo::exists(path))
        return rentals;
    const RecordLayout& layout = TSchedaContratto();
    static const int bicycle = layout.indexOf(QStringLiteral("BiciNum"));
    static const int start = layout.indexOf(QStringLiteral("DataInizio"));
    static const int end = layout.indexOf(QStringLiteral("DataFine"));
    scanArchive(path, layout, [&](const RecordView& record) {
        const QByteArray number = record.fieldBytes(bicycle);
        const QDate from = parseStoredDate(record.fieldBytes(start));
        if (number.isEmpty() || !from.isValid())
            return;
        const QDate to = parseStoredDate(record.fieldBytes(end));
        rentals[Cp1252::decode(number)].push_back({from, to.isValid() && to >= from ? to : from});
    });
    return rentals;
}

} // namespace rf::Contracts
