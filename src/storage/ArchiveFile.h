#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

namespace rf {

// A file of fixed-size records and nothing else. One object serves one action: open, work, close.
// Every operation returns false on failure (file locked, folder not writable, disk full, position
// beyond the end); the caller then stops and shows its archive message.
// What opening an archive found that the user must be told; the window words it.
struct ArchiveNotice {
    enum class Kind {
        None,
        JournalPending,  // an interrupted rewrite could not be undone: the archive is open read-only
        JournalSetAside, // a journal beside the archive belonged to other data and was kept aside
    };
    Kind kind = Kind::None;
    QString asideName; // the name the journal was kept under, for JournalSetAside

    bool isEmpty() const { return kind == Kind::None; }
    bool operator==(const ArchiveNotice& other) const
    {
        return kind == other.kind && asideName == other.asideName;
    }
    bool operator!=(const ArchiveNotice& other) const { return !(*this == other); }
};

class ArchiveFile {
public:
    ArchiveFile(QString path, int recordSize);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // Opens for reading and writing; a missing file is created empty. An existing file that
    // cannot be opened is an error and is left untouched. A rewrite that a crash cut off is
    // undone first (see WriteRecord). When such a rewrite cannot be undone now (no lock, a
    // read-only folder, a journal that cannot be read or removed) the archive opens read-only and
    // notice() says why: it is not written until the journal has been replayed.
    bool OpenArchive();
    bool isReadOnly() const { return m_readOnly; }
    // What the user must be told about this archive's journal, or an empty notice.
    const ArchiveNotice& notice() const { return m_notice; }
    // Whole records in the file; a trailing fragment is ignored. -1 on failure.
    qint64 RecordCount() const;
    // The record at 1-based position p.
    bool ReadRecord(qint64 position, QByteArray& record);
    // Replaces the record at p (1 <= p <= count) whole, under the archive's lock: the old and new
    // record are saved first in a journal beside the archive (synced), then the record is
    // overwritten and synced, then the journal is removed; a journal that cannot be removed makes
    // the save fail, with the old record put back. Whoever opens the archive after a crash in
    // between finds the journal and puts the old record back, so a record is always one version
    // or the other.
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

    QString journalPath() const;

private:
    // Replays or sets aside a journal found beside the archive; the lock must be held. False
    // while a journal is still pending.
    bool settleJournal();
    bool openForReadingOnly(const ArchiveNotice& notice);

    QString m_path;
    int m_recordSize;
    QFile m_file;
    bool m_readOnly = false;
    ArchiveNotice m_notice;
};

} // namespace rf
