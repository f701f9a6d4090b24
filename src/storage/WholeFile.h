#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace rf {

// Commits a QSaveFile only when everything written really reached the disk: the buffered data is
// flushed first, since a failure there would otherwise go unnoticed and replace the old file with
// an incomplete one.
bool CommitWhole(QSaveFile& file);

// Replaces the file at path with content, whole or not at all.
bool WriteWholeFile(const QString& path, const QByteArray& content);

} // namespace rf
