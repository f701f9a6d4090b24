#include "Durable.h"

#include <QFile>
#include <QtEndian>

#include <array>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace rf::Durable {

namespace {

constexpr char Magic[4] = {'R', 'F', 'J', '1'};

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

bool SyncFile(QFileDevice& file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()))) != 0;
#else
    return ::fdatasync(file.handle()) == 0;
#endif
}

// Layout: "RFJ1", the record's byte offset (8 bytes) and length (4 bytes), little-endian, the old
// bytes, then a CRC-32 of everything before it.
bool WriteJournal(const QString& journalPath, const JournalEntry& entry)
{
    QByteArray content(Magic, sizeof Magic);
    char number[8];
    qToLittleEndian<qint64>(entry.offset, number);
    content.append(number, 8);
    qToLittleEndian<qint32>(qint32(entry.oldBytes.size()), number);
    content.append(number, 4);
    content += entry.oldBytes;
    qToLittleEndian<quint32>(crc32(content), number);
    content.append(number, 4);

    QFile file(journalPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size() || !SyncFile(file)) {
        file.close();
        QFile::remove(journalPath);
        return false;
    }
    return true;
}

std::optional<JournalEntry> ReadJournal(const QString& journalPath)
{
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    if (content.size() < 20 || !content.startsWith(QByteArray(Magic, sizeof Magic)))
        return std::nullopt;
    const qint64 offset = qFromLittleEndian<qint64>(content.constData() + 4);
    const qint32 size = qFromLittleEndian<qint32>(content.constData() + 12);
    if (size < 0 || offset < 0 || content.size() != 16 + qsizetype(size) + 4)
        return std::nullopt;
    const quint32 stored = qFromLittleEndian<quint32>(content.constData() + 16 + size);
    if (crc32(content.left(16 + size)) != stored)
        return std::nullopt;
    return JournalEntry{offset, content.mid(16, size)};
}

} // namespace rf::Durable
