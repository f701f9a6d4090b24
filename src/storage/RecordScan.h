#pragma once

#include "storage/RecordLayout.h"

#include <QString>

#include <functional>
#include <optional>

namespace rf {

// One record met by a scan: its position and its bytes, each field decoded only when asked for.
class RecordView {
public:
    RecordView(const RecordLayout& layout, const char* data, qint64 position)
        : m_layout(layout), m_data(data), m_position(position)
    {
    }
    qint64 position() const { return m_position; }
    const RecordLayout& layout() const { return m_layout; }
    // The trimmed text of the field at index.
    QString field(int index) const;
    // The same as stored bytes (Windows-1252), trimmed alike, pointing into the record: no copy, so
    // valid only while the record is (copy the bytes to keep them).
    QByteArray fieldBytes(int index) const;
    // Every field, in record order.
    QStringList texts() const { return m_layout.decode(m_data); }

private:
    const RecordLayout& m_layout;
    const char* m_data;
    qint64 m_position;
};

// Called now and then during a long scan with the records done so far and the total; returning
// false cancels the scan.
using ScanProgress = std::function<bool(qint64 done, qint64 total)>;

enum class ScanResult { Done, Failed, Cancelled };

// Opens the archive (a missing one is created empty), shows visit every whole record in file
// order, reading the file in large blocks, and closes it. An archive that cannot be opened or read
// is Failed; the records visited before the failure stay visited.
ScanResult scanArchive(const QString& path, const RecordLayout& layout,
                       const std::function<void(const RecordView&)>& visit,
                       const ScanProgress& progress = {});

// The position of the record a list line was made from. The record at position is taken when its
// line (lineOf, compared trimmed) is still line; otherwise, as the archive changed meanwhile, the
// last record in file order whose line is equal. -1 when none is, or the archive cannot be read.
qint64 locateRecord(const QString& path, const RecordLayout& layout, qint64 position, const QByteArray& line,
                    const std::function<QByteArray(const RecordView&)>& lineOf);

// The texts of the record at position, or nothing when it cannot be read.
std::optional<QStringList> readArchiveRecord(const QString& path, const RecordLayout& layout,
                                             qint64 position);

} // namespace rf
