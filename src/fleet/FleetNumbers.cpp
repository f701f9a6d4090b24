#include "FleetNumbers.h"

#include "fleet/SchedaVeicolo.h"
#include "storage/RecordScan.h"

#include <QFileInfo>

namespace rf::Fleet {

bool sameNumber(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

std::optional<NumberedCard> cardWithNumber(const QString& archivePath, const QString& number,
                                           qint64 ownPosition)
{
    if (number.trimmed().isEmpty() || !QFileInfo::exists(archivePath))
        return std::nullopt;
    const RecordLayout& layout = TSchedaVeicolo();
    static const int numberField = layout.indexOf(QStringLiteral("BiciNum"));
    static const int makeField = layout.indexOf(QStringLiteral("Marca"));
    std::optional<NumberedCard> found;
    scanArchive(archivePath, layout, [&](const RecordView& record) {
        if (!found && record.position() != ownPosition && sameNumber(record.field(numberField), number))
            found = NumberedCard{record.position(), record.field(numberField), record.field(makeField)};
    });
    return found;
}

} // namespace rf::Fleet
