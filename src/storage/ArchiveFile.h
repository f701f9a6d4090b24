#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

namespace rf {

// A file of fixed-size records and nothing else. One object serves one action: open, work, close.
// Every operation returns false on failure (file locked, folder not writable, disk full, position
// beyond the end); the caller then stops and shows its archive message.
class ArchiveFile {
public:
    ArchiveFile(QString path, int recordSize);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // Opens for reading and writing; a missing file is created empty. An existing file that
    // cannot be opened is an error and is left untouched. A rewrite that a crash cut off is
    // undone first (see WriteRecord).
    bool OpenArchive();
    // Whole records in the file; a trailing fragment is ignored. -1 on failure.
    qint64 RecordCount() const;
    // The record at 1-based position p.
    bool ReadRecord(qint64 position, QByteArray& record);
    // Replaces the record at p (1 <= p <= count) whole, under the archive's lock: the old record
    // is saved first in a journal beside the archive (synced), then overwritten and synced, then
    // the journal is removed. Whoever opens the archive after a crash in between finds the journal
    // and puts the old record back, so a record is always one version or the other.
    bool WriteRecord(qint64 position, const QByteArray& record);
    // Writes after the last whole record, under a lock beside the archive so that two workstations
    // appending together never overwrite each other, and syncs; returns the new position, or -1.
    // A failed append leaves the file as it was.
    qint64 AppendRecord(const QByteArray& record);
    // Calls visit(position, data) for every record in file order, reading in large blocks.
    // The visitor returns false to stop early. False if the file could not be read.
    bool ScanRecords(const std::function<bool(qint64 position, const char* data)>& visit);
    void CloseArchive();

    const QString& path() const { return m_path; }
    int recordSize() const { return m_recordSize; }

private:
    QString journalPath() const;
    void recoverInterruptedRewrite();

    QString m_path;
    int m_recordSize;
    QFile m_file;
};

// The archive message every window shows when an archive operation fails.
extern const char* const ArchiveAccessMessage;
// The information shown when browsing an archive with no records.
extern const char* const EmptyArchiveMessage;

} // namespace rf
