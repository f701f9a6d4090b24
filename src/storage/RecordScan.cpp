#include "RecordScan.h"

#include "storage/ArchiveFile.h"
#include "storage/CountedString.h"

#include <algorithm>

namespace rf {

namespace {
constexpr qint64 ProgressEvery = 2048; // records between two progress reports
}

QString RecordView::field(int index) const
{
    return GetCounted(m_data + m_layout.offset(index), m_layout.capacity(index));
}

QByteArray RecordView::fieldBytes(int index) const
{
    const char* field = m_data + m_layout.offset(index);
    const int length = std::min(int(static_cast<unsigned char>(field[0])), m_layout.capacity(index));
    const char* text = field + 1;
    int start = 0;
    int end = length;
    while (start < end && static_cast<unsigned char>(text[start]) <= 32)
        ++start;
    while (end > start && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return QByteArray::fromRawData(text + start, end - start);
}

ScanResult scanArchive(const QString& path, const RecordLayout& layout,
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

qint64 locateRecord(const QString& path, const RecordLayout& layout, qint64 position, const QByteArray& line,
                    const std::function<QByteArray(const RecordView&)>& lineOf)
{
    const QByteArray wanted = line.trimmed();
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

std::optional<QStringList> readArchiveRecord(const QString& path, const RecordLayout& layout, qint64 position)
{
    ArchiveFile archive(path, layout.size());
    QByteArray record;
    if (!archive.OpenArchive() || !archive.ReadRecord(position, record))
        return std::nullopt;
    return layout.decode(record);
}

} // namespace rf
