#include "RecordScan.h"

#include "storage/ArchiveFile.h"
#include "storage/CountedString.h"

namespace rf {

namespace {
constexpr qint64 ProgressEvery = 2048; // records between two progress reports
}

QString RecordView::field(int index) const
{
    return GetCounted(m_data + m_layout.offset(index), m_layout.capacity(index));
}

ScanResult ScanArchive(const QString& path, const RecordLayout& layout,
                       const std::function<void(const RecordView&)>& visit, const ScanProgress& progress)
{
    ArchiveFile archive(path, layout.size());
    if (!archive.OpenArchive())
        return ScanResult::Failed;
    const qint64 total = archive.RecordCount();
    bool cancelled = false;
    const bool read = archive.ScanRecords([&](qint64 position, const char* data) {
        if (progress && position % ProgressEvery == 0 && !progress(position, total)) {
            cancelled = true;
            return false;
        }
        visit(RecordView(layout, data, position));
        return true;
    });
    archive.CloseArchive();
    if (cancelled)
        return ScanResult::Cancelled;
    return read ? ScanResult::Done : ScanResult::Failed;
}

qint64 LocateRecord(const QString& path, const RecordLayout& layout, qint64 position, const QString& line,
                    const std::function<QString(const RecordView&)>& lineOf)
{
    const QString wanted = line.trimmed();
    ArchiveFile archive(path, layout.size());
    if (!archive.OpenArchive())
        return -1;
    QByteArray record;
    if (archive.ReadRecord(position, record) &&
        lineOf(RecordView(layout, record.constData(), position)).trimmed() == wanted)
        return position;
    qint64 found = -1;
    const bool read = archive.ScanRecords([&](qint64 p, const char* data) {
        if (lineOf(RecordView(layout, data, p)).trimmed() == wanted)
            found = p;
        return true;
    });
    return read ? found : -1;
}

std::optional<QStringList> ReadArchiveRecord(const QString& path, const RecordLayout& layout, qint64 position)
{
    ArchiveFile archive(path, layout.size());
    QByteArray record;
    if (!archive.OpenArchive() || !archive.ReadRecord(position, record))
        return std::nullopt;
    return layout.decode(record);
}

} // namespace rf
