#include "ArchiveFile.h"

#include <QFileInfo>
#include <QLockFile>

#include "storage/Durable.h"

#include <algorithm>

namespace rf {

const char* const ArchiveAccessMessage =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";
const char* const EmptyArchiveMessage = "L'archivio non contiene nessuna scheda.";

namespace {
constexpr qint64 ScanBlockRecords = 256; // about 1 MB for the largest record
// A lock is held for milliseconds; one left by a crashed workstation counts as abandoned after a
// few seconds, and a save waits longer than that, so it takes the lock over and succeeds.
constexpr int StaleLockMs = 3000;
constexpr int LockTimeoutMs = 10000;
} // namespace

ArchiveFile::ArchiveFile(QString path, int recordSize) : m_path(std::move(path)), m_recordSize(recordSize)
{
}

ArchiveFile::~ArchiveFile()
{
    CloseArchive();
}

bool ArchiveFile::OpenArchive()
{
    // ReadWrite creates a missing file and never truncates, so an existing file that fails to open
    // is left exactly as it was. Unbuffered: every write reaches the file at once, never later.
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    recoverInterruptedRewrite();
    return true;
}

QString ArchiveFile::journalPath() const
{
    return m_path + QStringLiteral(".journal");
}

// A journal left beside the archive means a rewrite was cut off: the record it names is put back
// as it was before, so no card ever shows fields of two versions.
void ArchiveFile::recoverInterruptedRewrite()
{
    if (!QFile::exists(journalPath()))
        return;
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockTimeoutMs) || !QFile::exists(journalPath()))
        return; // another workstation is at it, or has just done it
    const std::optional<Durable::JournalEntry> entry = Durable::ReadJournal(journalPath());
    if (entry && entry->offset + entry->oldBytes.size() <= m_file.size()) {
        if (!m_file.seek(entry->offset) || m_file.write(entry->oldBytes) != entry->oldBytes.size() ||
            !Durable::SyncFile(m_file))
            return; // tried again at the next open
    }
    // A journal not written whole announced a rewrite that never began.
    QFile::remove(journalPath());
}

qint64 ArchiveFile::RecordCount() const
{
    if (!m_file.isOpen())
        return -1;
    return m_file.size() / m_recordSize;
}

bool ArchiveFile::ReadRecord(qint64 position, QByteArray& record)
{
    const qint64 count = RecordCount();
    if (position < 1 || position > count)
        return false;
    if (!m_file.seek((position - 1) * m_recordSize))
        return false;
    record = m_file.read(m_recordSize);
    return record.size() == m_recordSize;
}

bool ArchiveFile::WriteRecord(qint64 position, const QByteArray& record)
{
    if (record.size() != m_recordSize || !m_file.isOpen())
        return false;
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockTimeoutMs))
        return false;
    const qint64 count = RecordCount();
    if (position < 1 || position > count)
        return false;
    const qint64 offset = (position - 1) * m_recordSize;
    // The old record goes to the journal first, durably; only then is it overwritten in place.
    QByteArray old;
    if (!m_file.seek(offset) || (old = m_file.read(m_recordSize)).size() != m_recordSize)
        return false;
    if (!Durable::WriteJournal(journalPath(), {offset, old}))
        return false;
    const bool written =
        m_file.seek(offset) && m_file.write(record) == m_recordSize && Durable::SyncFile(m_file);
    if (!written) {
        // Put the old record back now; if even that fails, the journal does it at the next open.
        if (m_file.seek(offset) && m_file.write(old) == m_recordSize && Durable::SyncFile(m_file))
            QFile::remove(journalPath());
        return false;
    }
    QFile::remove(journalPath());
    return true;
}

qint64 ArchiveFile::AppendRecord(const QByteArray& record)
{
    if (!m_file.isOpen() || record.size() != m_recordSize)
        return -1;
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockTimeoutMs))
        return -1;
    // The size is taken under the lock, from the file itself, so another workstation's append
    // that finished a moment ago is counted.
    const qint64 count = QFileInfo(m_path).size() / m_recordSize;
    const qint64 end = count * m_recordSize;
    if (!m_file.seek(end))
        return -1;
    if (m_file.write(record) != m_recordSize || !Durable::SyncFile(m_file)) {
        // Whatever part of the record reached the file is cut away, still under the lock.
        m_file.resize(end);
        return -1;
    }
    return count + 1;
}

bool ArchiveFile::ScanRecords(const std::function<bool(qint64, const char*)>& visit)
{
    const qint64 count = RecordCount();
    if (count < 0 || !m_file.seek(0))
        return false;
    // One buffer serves every block: no memory is taken from and given back to the system per block.
    QByteArray block(qsizetype(std::min(ScanBlockRecords, count) * m_recordSize), Qt::Uninitialized);
    qint64 position = 0;
    while (position < count) {
        const qint64 inBlock = std::min(ScanBlockRecords, count - position);
        if (m_file.read(block.data(), inBlock * m_recordSize) != inBlock * m_recordSize)
            return false;
        for (qint64 i = 0; i < inBlock; ++i) {
            if (!visit(position + i + 1, block.constData() + i * m_recordSize))
                return true;
        }
        position += inBlock;
    }
    return true;
}

void ArchiveFile::CloseArchive()
{
    if (m_file.isOpen())
        m_file.close();
}

} // namespace rf
