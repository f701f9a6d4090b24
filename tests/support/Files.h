#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace rf::Test {

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

// While this lives, file permissions bind this process as they bind a shop's user: root (as tests
// run in CI) acts as the unprivileged user "nobody" for file access; anyone else stays as is.
// Folders and files a test wants to reach must then be open to others (chmod).
class AsPlainUser {
public:
    AsPlainUser()
    {
#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            m_switched = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
#endif
    }
    ~AsPlainUser()
    {
#ifdef Q_OS_UNIX
        if (m_switched) {
            [[maybe_unused]] const int u = ::seteuid(0);
            [[maybe_unused]] const int g = ::setegid(0);
        }
#endif
    }
    AsPlainUser(const AsPlainUser&) = delete;
    AsPlainUser& operator=(const AsPlainUser&) = delete;

private:
    bool m_switched = false;
};

} // namespace rf::Test
