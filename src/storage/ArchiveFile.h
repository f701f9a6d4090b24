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

    // Opens for reading and writing. A missing file is no error and is not created: it reads as an
    // empty archive, and the first append creates it. An existing file that cannot be opened is an
    // error and is left untouched. A rewrite that a crash cut off is undone first (see update).
    // When such a rewrite cannot be undone now (no lock, a read-only folder, a journal that cannot
    // be read or removed) the archive opens read-only and notice() says why: it is not written
    // until the journal has been replayed.
    bool OpenArchive();
    bool isReadOnly() const { return m_readOnly; }
    // What the user must be told about this archive's journal, or an empty notice.
    const ArchiveNotice& notice() const { return m_notice; }
    // Whole records in the file (0 when there is no file yet); a trailing fragment is ignored.
    // -1 when the archive is not open.
    qint64 RecordCount() const;
    // The record at 1-based position p.
    bool ReadRecord(qint64 position, QByteArray& record);

    // What became of an update.
    enum class Update {
        Written,   // the changed record is on the disk
        Unchanged, // change left the record as it was, or declined: nothing was written
        NotFound,  // no record at that position in the file the path names now
        Failed,    // lock, journal, write, sync or read-back failed: the record is as it was
    };
    // Reads, decides and writes one record under the archive's lock: the archive is opened again
    // once the lock is held, so the change always sees (and replaces) the record of the file the
    // path names now, never a stale copy or a file that was swapped meanwhile. change receives the
    // record on disk and edits it in place; returning false declines the write. The rewrite goes
    // through the journal: the old and new record are saved beside the archive (synced), the
    // record is overwritten and synced, read back, then the journal is removed. Whoever opens the
    // archive after a crash in between finds the journal and puts the old record back, so a
    // record is always one version or the other.
    Update update(qint64 position, const std::function<bool(QByteArray& record)>& change);
    // Replaces the record at p (1 <= p <= count) whole, through update.
    bool WriteRecord(qint64 position, const QByteArray& record);
    // Writes after the last whole record, under a lock beside the archive so that two workstations
    // appending together never overwrite each other; the file is opened again once the lock is
    // held and its size taken from that handle. After the sync the record and the size are read
    // back through a fresh handle: when they are not what was written (a network share that lost
    // the write), the append fails. Returns the new position, or -1; a failed append leaves the
    // file as it was.
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
    // Under the lock: opens whatever file the path names now (creating it when create is set) and
    // settles a journal left beside it.
    bool reopenLocked(bool create);
    // Whether the bytes at offset of the file the path names, read through a new handle, are
    // record, and the file's size is size.
    bool readsBack(qint64 offset, const QByteArray& record, qint64 size) const;

    QString m_path;
    int m_recordSize;
    QFile m_file;
    bool m_missing = false; // opened, but there is no file yet
    bool m_readOnly = false;
    ArchiveNotice m_notice;
};

} // namespace rf
