#include "Durable.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <array>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rf::Durable {

namespace {

constexpr char Magic[4] = {'R', 'F', 'J', '2'};

quint32 crc32(const QByteArray& data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data)
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

} // namespace

std::function<void(const char*)>& crashHook()
{
    static std::function<void(const char*)> hook;
    return hook;
}

void crashPoint(const char* name)
{
    if (crashHook())
        crashHook()(name);
}

bool processRunning(qint64 pid)
{
    if (pid <= 0)
        return false;
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
#endif
}

void setCrashHook(std::function<void(const char*)> hook)
{
    crashHook() = std::move(hook);
}

bool syncFile(QFileDevice& file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))) != 0;
#else
    return ::fdatasync(file.handle()) == 0;
#endif
}

bool replaceFile(const QString& from, const QString& to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

void shareWithFolderGroup(const QString& folder)
{
#ifndef Q_OS_WIN
    struct stat info;
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        !(info.st_mode & S_IWGRP))
        return;
    const mode_t current = ::umask(0);
    ::umask(current & ~mode_t(S_IRWXG));
#else
    Q_UNUSED(folder);
#endif
}

qint64 currentSize(const QFileDevice& file)
{
#if defined(__linux__) && defined(STATX_SIZE)
    struct statx info;
    if (file.handle() >= 0 &&
        ::statx(file.handle(), "", AT_EMPTY_PATH | AT_STATX_FORCE_SYNC, STATX_SIZE, &info) == 0 &&
        (info.stx_mask & STATX_SIZE))
        return qint64(info.stx_size);
#endif
    return file.size();
}

void syncFolder(const QString& folder)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

// Layout, little-endian: "RFJ2", the archive's file name (2-byte length, UTF-8), the record size
// (4 bytes), the record's byte offset (8) and length (4), the old bytes, the new bytes, then a
// CRC-32 of everything before it.
bool writeJournal(const QString& journalPath, const JournalEntry& entry)
{
    if (entry.newBytes.size() != entry.oldBytes.size())
        return false;
    const QByteArray name = entry.archiveName.toUtf8();
    QByteArray content(Magic, sizeof Magic);
    char number[8];
    qToLittleEndian<quint16>(quint16(name.size()), number);
    content.append(number, 2);
    content += name;
    qToLittleEndian<qint32>(entry.recordSize, number);
    content.append(number, 4);
    qToLittleEndian<qint64>(entry.offset, number);
    content.append(number, 8);
    qToLittleEndian<qint32>(qint32(entry.oldBytes.size()), number);
    content.append(number, 4);
    content += entry.oldBytes;
    content += entry.newBytes;
    qToLittleEndian<quint32>(crc32(content), number);
    content.append(number, 4);

    QFile file(journalPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size() || !syncFile(file)) {
        file.close();
        QFile::remove(journalPath);
        return false;
    }
    return true;
}

JournalRead readJournal(const QString& journalPath)
{
    JournalRead read;
    QFile file(journalPath);
    if (!file.exists())
        return read;
    read.state = JournalRead::State::Unreadable;
    if (!file.open(QIODevice::ReadOnly))
        return read;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return read;
    read.state = JournalRead::State::Foreign;
    if (!content.startsWith(QByteArray(Magic, sizeof Magic)))
        return read;
    // From here on the journal is ours: one that ends early or fails its check was cut off while
    // it was being written, before the rewrite it announces began.
    read.state = JournalRead::State::Incomplete;
    qsizetype at = sizeof Magic;
    const auto need = [&](qsizetype bytes) { return bytes >= 0 && content.size() - at >= bytes; };
    if (!need(2))
        return read;
    const quint16 nameSize = qFromLittleEndian<quint16>(content.constData() + at);
    at += 2;
    if (!need(qsizetype(nameSize) + 16))
        return read;
    read.entry.archiveName = QString::fromUtf8(content.constData() + at, nameSize);
    at += nameSize;
    read.entry.recordSize = qFromLittleEndian<qint32>(content.constData() + at);
    read.entry.offset = qFromLittleEndian<qint64>(content.constData() + at + 4);
    const qint32 size = qFromLittleEndian<qint32>(content.constData() + at + 12);
    at += 16;
    if (size < 0 || !need(2 * qsizetype(size) + 4))
        return read;
    const quint32 stored = qFromLittleEndian<quint32>(content.constData() + at + 2 * qsizetype(size));
    if (content.size() != at + 2 * qsizetype(size) + 4 ||
        crc32(content.left(at + 2 * qsizetype(size))) != stored)
        return read;
    read.entry.oldBytes = content.mid(at, size);
    read.entry.newBytes = content.mid(at + size, size);
    read.state = JournalRead::State::Whole;
    return read;
}

} // namespace rf::Durable
