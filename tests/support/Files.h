#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace rf::test {

// Writes bytes to a file outside the code under test; false when it could not.
inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file's bytes, or "<unreadable>" so that a missing file never equals an empty one.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every write to a regular file fails while this lives, for root as well.
class FileWritesFail {
public:
    FileWritesFail()
    {
#ifdef Q_OS_UNIX
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = m_saved;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
#endif
    }
    ~FileWritesFail()
    {
#ifdef Q_OS_UNIX
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
#endif
    }

private:
#ifdef Q_OS_UNIX
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
#endif
};

} // namespace rf::test
