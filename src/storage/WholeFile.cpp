#include "WholeFile.h"

#include "storage/Durable.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#ifdef __linux__
#include <fcntl.h>
#endif

namespace rf {

namespace {
const QLatin1String TemporaryMarker(".rotaflux-");
const QLatin1String TemporaryEnd(".tmp");
} // namespace

bool isLink(const QString& path)
{
    const QFileInfo info(path);
    return info.isSymbolicLink() || info.isJunction();
}

bool fileIsThere(const QString& path, int timeoutMs)
{
    if (QFileInfo::exists(path))
        return true;
    const QFileInfo info(path);
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity names = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity names = Qt::CaseSensitive;
#endif
    const QStringList listed =
        info.dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!listed.contains(info.fileName(), names))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(path) && waited.elapsed() < timeoutMs)
        QThread::msleep(20);
    return true;
}

bool isWholeFileTemporary(const QString& fileName)
{
    static const QRegularExpression ours(QStringLiteral("^.+\\.rotaflux-[A-Za-z0-9]{6}\\.tmp$"));
    return ours.match(fileName).hasMatch();
}

WholeFileWriter::WholeFileWriter(QString target) : m_target(std::move(target)) {}

WholeFileWriter::~WholeFileWriter()
{
    cancel();
}

bool WholeFileWriter::open()
{
    const QFileInfo target(m_target);
    if (isLink(m_target)) {
        m_problem = WriteProblem::Link;
        return false;
    }
    if (target.exists()) {
        // Opening for reading and writing writes nothing and asks the system itself, with this
        // process's effective rights, whether the file may be written. Not for writing alone: some
        // clients of SMB shares drop the connection when a file opened only for writing is asked
        // its size.
        QFile probe(m_target);
        if (!target.isFile() || !probe.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
            m_problem = WriteProblem::ReadOnly;
            return false;
        }
#ifdef __linux__
        // The old content's cached pages are given back now (the file itself stays as it is): the
        // new content then lands in memory just freed, instead of memory the system must first
        // fetch, which costs as much as the writing when the file is large.
        ::posix_fadvise(probe.handle(), 0, 0, POSIX_FADV_DONTNEED);
#endif
    }
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 16; ++attempt) {
        QString name = m_target + TemporaryMarker;
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
        name += TemporaryEnd;
        m_temporary.setFileName(name);
        if (m_temporary.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            // The new file keeps the old one's permissions, as a file edited in place would.
            if (target.exists())
                m_temporary.setPermissions(target.permissions());
            m_problem = WriteProblem::None;
            return true;
        }
        if (m_temporary.error() != QFileDevice::OpenError || !QFileInfo::exists(name))
            break; // not a clash of names: the folder refuses new files
    }
    m_problem = WriteProblem::NoTemporary;
    return false;
}

bool WholeFileWriter::write(const char* data, qint64 size)
{
    if (!m_temporary.isOpen() || m_temporary.write(data, size) != size) {
        m_problem = WriteProblem::Failed;
        return false;
    }
    m_written += size;
#ifdef __linux__
    // A long file is handed to the disk while the rest is still being made, so that the sync at
    // the end waits only for the last part. Only a hint: where the system cannot, the sync does it.
    constexpr qint64 WritebackBytes = 8 << 20;
    if (m_written - m_handedToDisk >= WritebackBytes && m_temporary.flush()) {
        ::sync_file_range(m_temporary.handle(), m_handedToDisk, m_written - m_handedToDisk,
                          SYNC_FILE_RANGE_WRITE);
        m_handedToDisk = m_written;
    }
#endif
    return true;
}

bool WholeFileWriter::commit()
{
    if (!m_temporary.isOpen() || m_problem != WriteProblem::None ||
        m_temporary.error() != QFileDevice::NoError || !Durable::syncFile(m_temporary)) {
        m_problem = WriteProblem::Failed;
        cancel();
        return false;
    }
    m_temporary.close();
    Durable::crashPoint("whole:temporary");
    // A link made in the file's place meanwhile is refused all the same.
    if (isLink(m_target)) {
        m_problem = WriteProblem::Link;
        cancel();
        return false;
    }
    if (!Durable::replaceFile(m_temporary.fileName(), m_target)) {
        m_problem = WriteProblem::Failed;
        cancel();
        return false;
    }
    m_temporary.setFileName(QString());
    Durable::syncFolder(QFileInfo(m_target).absolutePath());
    Durable::crashPoint("whole:replaced");
    return true;
}

void WholeFileWriter::cancel()
{
    if (m_temporary.fileName().isEmpty())
        return;
    m_temporary.close();
    QFile::remove(m_temporary.fileName());
    m_temporary.setFileName(QString());
}

bool writeWholeFile(const QString& path, const QByteArray& content, WriteProblem* problem)
{
    WholeFileWriter file(path);
    const bool written = file.open() && file.write(content) && file.commit();
    if (problem)
        *problem = file.problem();
    return written;
}

bool commitWhole(QSaveFile& file)
{
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace rf
