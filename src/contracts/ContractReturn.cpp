#include "ContractReturn.h"

#include "contracts/SchedaContratto.h"
#include "storage/ArchiveFile.h"

namespace rf::Contracts {

Returned markReturned(const QString& archivePath, qint64 position, const QByteArray& line,
                      const std::function<QByteArray(const RecordView&)>& lineOf)
{
    const RecordLayout& layout = TSchedaContratto();
    const qint64 found = locateRecord(archivePath, layout, position, line, lineOf);
    if (found <= 0)
        return Returned::NotFound;
    ArchiveFile archive(archivePath, layout.size());
    if (!archive.OpenArchive())
        return Returned::Failed;
    if (archive.isReadOnly())
        return Returned::ReadOnly;
    bool moved = false;
    const ArchiveFile::Update done = archive.update(found, [&](QByteArray& record) {
        if (lineOf(RecordView(layout, record.constData(), found)).trimmed() != line.trimmed()) {
            moved = true;
            return false;
        }
        QStringList texts = layout.decode(record.constData());
        texts[ReturnedField] = returnedYes();
        record = layout.encode(texts);
        return true;
    });
    switch (done) {
    case ArchiveFile::Update::Written:
        return Returned::Done;
    case ArchiveFile::Update::Unchanged:
        return moved ? Returned::NotFound : Returned::Done;
    case ArchiveFile::Update::NotFound:
        return Returned::NotFound;
    case ArchiveFile::Update::Failed:
        break;
    }
    return Returned::Failed;
}

} // namespace rf::Contracts
