#include "ArchiveFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "storage/Durable.h"
#include "storage/FileLock.h"
#include "storage/WholeFile.h"

#include <algorithm>

namespace rf {

namespace {
constexpr qint64 ScanBlockRecords = 256; // about 1 MB for the largest record

// Whether every byte of the record on disk is the old or the new record's: the old record, the
// new one, or a write of the new one cut short.
bool oldNewOrTorn(const QByteArray& disk, const QByteArray& oldBytes, const QByteArray& newBytes)
{
    if (disk.size() != oldBytes.size() || disk.size() != newBytes.size())
        return false;
    for (qsizetype i = 0; i < disk.size(); ++i) {
        if (disk[i] != oldBytes[i] && disk[i] != newBytes[i])
            return false;
    }
    return true;
}

} // namespace

ArchiveFile::ArchiveFile(QString path, int recordSize) : m_path(std::move(path)), m_recordSize(recordSize) {}

ArchiveFile::~ArchiveFile()
{
    CloseArchive();
}

bool ArchiveFile::OpenArchive()
{
    // ReadWrite never truncates, so an existing file that fails to open is left exactly as it was;
    // ExistingOnly: a read never creates the file. Unbuffered: every write reaches the file at
    // once, never later.
    CloseArchive();
    m_readOnly = false;
    m_missing = false;
    m_notice = {};
    m_file.setFileName(m_path);
    const QIODevice::OpenMode mode = QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly;
    // Tried again once: another workstation may make the file between the open and the look.
    if (!m_file.open(mode) && !(QFileInfo::exists(m_path) && m_file.open(mode))) {
        // No file yet in a folder that is there: an empty archive, made by its first append. A
        // link to nothing is no missing file.
        const QFileInfo info(m_path);
        if (!info.exists() && !info.isSymLink() && info.dir().exists()) {
            m_missing = true;
            return true;
        }
        // An archive that cannot be written while a journal waits beside it is shown, not hidden.
        if (QFile::exists(m_path) && QFile::exists(journalPath()))
            return openForReadingOnly({ArchiveNotice::Kind::JournalPending, {}});
        return false;
    }
    if (!QFile::exists(journalPath()))
        return true;
    FileLock lock(m_path);
    if (!lock.lock() || !reopenLocked(false)) {
        if (m_notice.isEmpty())
            m_notice = {ArchiveNotice::Kind::JournalPending, {}};
        if (!m_file.isOpen() && !openForReadingOnly(m_notice))
            return false;
        m_readOnly = true;
    }
    return true;
}

bool ArchiveFile::reopenLocked(bool create)
{
    m_file.close();
    m_file.setFileName(m_path);
    const QIODevice::OpenMode mode = QIODevice::ReadWrite | QIODevice::Unbuffered;
    if (!m_file.open(mode | QIODevice::ExistingOnly)) {
        if (!create)
            return false;
        // The file is made only where none exists. A file another workstation made a moment ago
        // may not show on this machine yet (a network client's cache); opening it as if new
        // would write its first record over theirs, so it is waited for instead.
        const int patience = FileLock::timing().staleMs;
        const bool made = !fileIsThere(m_path, patience) && m_file.open(mode | QIODevice::NewOnly);
        if (!made && !(fileIsThere(m_path, patience) && m_file.open(mode | QIODevice::ExistingOnly)))
            return false;
    }
    m_missing = false;
    // A journal another workstation left meanwhile is replayed first; while it waits, nothing is
    // written, or this write could not be told apart from the one it undoes.
    return !QFile::exists(journalPath()) || (settleJournal() && !QFile::exists(journalPath()));
}

bool ArchiveFile::readsBack(qint64 offset, const QByteArray& record, qint64 size) const
{
    QFile check(m_path);
    if (!check.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    return Durable::currentSize(check) == size && check.seek(offset) && check.read(record.size()) == record;
}

bool ArchiveFile::openForReadingOnly(const ArchiveNotice& notice)
{
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    m_readOnly = true;
    m_notice = notice;
    return true;
}

QString ArchiveFile::journalPath() const
{
    return m_path + QStringLiteral(".journal");
}

// A journal left beside the archive means a rewrite was cut off: the record it names is put back
// as it was before, so no card ever shows fields of two versions. A journal is replayed only
// when it is this archive's, of one whole record on a record boundary, and the record on disk is
// the old one, the new one or a mix of the two; any other journal belongs to other data (a
// restored backup, a file replaced by another workstation) and is kept aside, untouched.
bool ArchiveFile::settleJournal()
{
    const Durable::JournalRead journal = Durable::readJournal(journalPath());
    using State = Durable::JournalRead::State;
    switch (journal.state) {
    case State::Missing:
        return true; // another workstation has just replayed it
    case State::Unreadable:
        return false;
    case State::Incomplete:
        // It announced a rewrite that never began: nothing to undo.
        return QFile::remove(journalPath());
    case State::Foreign:
    case State::Whole:
        break;
    }
    const Durable::JournalEntry& entry = journal.entry;
    QByteArray disk;
    const bool matches = journal.state == State::Whole && entry.archiveName == QFileInfo(m_path).fileName() &&
                         entry.recordSize == m_recordSize && entry.oldBytes.size() == m_recordSize &&
                         entry.offset >= 0 && entry.offset % m_recordSize == 0 &&
                         entry.offset + m_recordSize <= m_file.size() && m_file.seek(entry.offset) &&
                         (disk = m_file.read(m_recordSize)).size() == m_recordSize &&
                         oldNewOrTorn(disk, entry.oldBytes, entry.newBytes);
    if (!matches) {
        const QString aside = journalPath() + QStringLiteral(".") +
                              QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        if (!QFile::rename(journalPath(), aside))
            return false;
        m_notice = {ArchiveNotice::Kind::JournalSetAside, QFileInfo(aside).fileName()};
        return true;
    }
    if (!m_file.seek(entry.offset) || m_file.write(entry.oldBytes) != m_recordSize)
        return false;
    Durable::crashPoint("recover:write");
    if (!Durable::syncFile(m_file))
        return false;
    Durable::crashPoint("recover:sync");
    if (!QFile::remove(journalPath()))
        return false;
    Durable::crashPoint("recover:removed");
    return true;
}

qint64 ArchiveFile::RecordCount() const
{
    if (m_missing)
        return 0;
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
    if (record.size() != m_recordSize)
        return false;
    const Update done = update(position, [&record](QByteArray& onDisk) {
        onDisk = record;
        return true;
    });
    return done == Update::Written || done == Update::Unchanged;
}

ArchiveFile::Update ArchiveFile::update(qint64 position, const std::function<bool(QByteArray&)>& change)
{
    if ((!m_file.isOpen() && !m_missing) || m_readOnly)
        return Update::Failed;
    FileLock lock(m_path);
    if (!lock.lock())
        return Update::Failed;
    if (!reopenLocked(false))
        return QFileInfo::exists(m_path) ? Update::Failed : Update::NotFound;
    const qint64 size = Durable::currentSize(m_file);
    if (position < 1 || position > size / m_recordSize)
        return Update::NotFound;
    const qint64 offset = (position - 1) * m_recordSize;
    QByteArray old;
    if (!m_file.seek(offset) || (old = m_file.read(m_recordSize)).size() != m_recordSize)
        return Update::Failed;
    QByteArray record = old;
    if (!change(record) || record == old)
        return Update::Unchanged;
    if (record.size() != m_recordSize)
        return Update::Failed;
    // The old and new record go to the journal first, durably; only then is the record overwritten.
    if (!lock.stillHeld() || !Durable::writeJournal(journalPath(), {QFileInfo(m_path).fileName(),
                                                                    m_recordSize, offset, old, record}))
        return Update::Failed;
    Durable::crashPoint("rewrite:journal");
    bool written = m_file.seek(offset) && m_file.write(record) == m_recordSize;
    Durable::crashPoint("rewrite:write");
    written = written && Durable::syncFile(m_file) && readsBack(offset, record, size);
    Durable::crashPoint("rewrite:sync");
    // A journal left behind would undo this save at the next open: the save then fails instead.
    if (written && QFile::remove(journalPath())) {
        Durable::crashPoint("rewrite:removed");
        return Update::Written;
    }
    // Put the old record back now; if even that fails, the journal does it at the next open.
    if (m_file.seek(offset) && m_file.write(old) == m_recordSize && Durable::syncFile(m_file))
        QFile::remove(journalPath());
    return Update::Failed;
}

qint64 ArchiveFile::AppendRecord(const QByteArray& record)
{
    if ((!m_file.isOpen() && !m_missing) || record.size() != m_recordSize || m_readOnly)
        return -1;
    FileLock lock(m_path);
    if (!lock.lock() || !reopenLocked(true))
        return -1;
    // The size is taken under the lock, from the handle opened under it, so another
    // workstation's append that finished a moment ago is counted.
    const qint64 count = Durable::currentSize(m_file) / m_recordSize;
    const qint64 end = count * m_recordSize;
    if (!m_file.seek(end) || !lock.stillHeld())
        return -1;
    // What this append put at the end is cut away when it is not reported saved, but only while
    // the lock is still this writer's and the file ends within this record: another workstation
    // that took the lock over while this one hung on a share may have appended after it.
    const auto cutBack = [&] {
        QFile check(m_path);
        const qint64 now = check.open(QIODevice::ReadOnly) ? Durable::currentSize(check) : -1;
        if (now > end && now <= end + m_recordSize && lock.stillHeld() && m_file.resize(end))
            Durable::syncFile(m_file);
    };
    const bool written = m_file.write(record) == m_recordSize;
    Durable::crashPoint("append:write");
    if (!written || !Durable::syncFile(m_file)) {
        cutBack();
        return -1;
    }
    Durable::crashPoint("append:sync");
    // What the file shows must be what was written (a share may lose or reorder a write).
    if (!readsBack(end, record, end + m_recordSize)) {
        cutBack();
        return -1;
    }
    return count + 1;
}

bool ArchiveFile::ScanRecords(const std::function<bool(qint64, const char*)>& visit)
{
    if (m_missing)
        return true;
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
    m_missing = false;
}

} // namespace rf
