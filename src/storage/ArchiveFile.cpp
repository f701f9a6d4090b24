#include "ArchiveFile.h"

#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

namespace rf {

const char* const ArchiveAccessMessage =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";
const char* const EmptyArchiveMessage = "L'archivio non contiene nessuna scheda.";

namespace {
constexpr qint64 ScanBlockRecords = 256; // about 1 MB for the largest record
constexpr int LockTimeoutMs = 10000;
constexpr int StaleLockMs = 30000;
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
    // is left exactly as it was.
    m_file.setFileName(m_path);
    return m_file.open(QIODevice::ReadWrite);
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
    const qint64 count = RecordCount();
    if (position < 1 || position > count || record.size() != m_recordSize)
        return false;
    if (!m_file.seek((position - 1) * m_recordSize))
        return false;
    return m_file.write(record) == m_recordSize && m_file.flush();
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
    if (!m_file.seek(count * m_recordSize))
        return -1;
    if (m_file.write(record) != m_recordSize || !m_file.flush())
        return -1;
    return count + 1;
}

bool ArchiveFile::ScanRecords(const std::function<bool(qint64, const char*)>& visit)
{
    const qint64 count = RecordCount();
    if (count < 0 || !m_file.seek(0))
        return false;
    qint64 position = 0;
    while (position < count) {
        const qint64 inBlock = std::min(ScanBlockRecords, count - position);
        const QByteArray block = m_file.read(inBlock * m_recordSize);
        if (block.size() != inBlock * m_recordSize)
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
