#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QFileDevice;

// What makes a write survive a crash: syncing a file to the disk, and the rollback journal that
// lets an interrupted in-place rewrite be undone. The one place that speaks to the system directly.
namespace rf::Durable {

// Waits until what was written to the file is on the disk; false when the system says it failed.
bool SyncFile(QFileDevice& file);

// The journal of one in-place rewrite: where the record was and the bytes it held before.
struct JournalEntry {
    qint64 offset;
    QByteArray oldBytes;
};

// Writes the journal beside the archive and syncs it; false when it could not be made durable.
bool WriteJournal(const QString& journalPath, const JournalEntry& entry);
// The journal's entry, or nothing when there is none or it was not written whole (then the
// rewrite it announced never began).
std::optional<JournalEntry> ReadJournal(const QString& journalPath);

} // namespace rf::Durable
