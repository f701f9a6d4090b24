#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

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

} // namespace rf::test
