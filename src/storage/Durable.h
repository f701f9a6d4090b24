#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QFileDevice;

// What makes a write survive a crash: syncing a file to the disk, replacing a file by another in
// one step, and the rollback journal that lets an interrupted in-place rewrite be undone. The one
// place that speaks to the system directly.
namespace rf::Durable {

// Waits until what was written to the file is on the disk; false when the system says it failed.
bool syncFile(QFileDevice& file);
// Puts from in the place of to in one step, replacing it; the name to never shows a half file.
bool replaceFile(const QString& from, const QString& to);
// Makes a rename in the folder durable (nothing to do where the system has no such call).
void syncFolder(const QString& folder);

// Whether a process of this machine with that id is still running (also when it belongs to another
// user). Used to tell at once that a lock left on this machine was abandoned.
bool processRunning(qint64 pid);
// Files and folders this process makes from now on get the data folder's group rights: where the
// folder is group-writable (a shop's shared folder, "chmod 2775" with its users in one group),
// they are group-readable and group-writable too, whatever the user's umask, so that every user
// of the group can read and write what another saved. Elsewhere nothing changes.
void shareWithFolderGroup(const QString& folder);
// The size of an open file as the file system holds it now, asked of it rather than of this
// machine's cache: a network client may keep showing a size from before another workstation's
// append for a second. Falls back to the ordinary size where the system cannot be asked so.
qint64 currentSize(const QFileDevice& file);

// The places where a crash can cut a write short, in the order a write passes them. A test
// installs a hook that stops the write there (by throwing) to see what a crash leaves behind.
void crashPoint(const char* name);
void setCrashHook(std::function<void(const char* name)> hook);

// The journal of one in-place rewrite: which archive, which record, its bytes before and after.
struct JournalEntry {
    QString archiveName; // the archive's file name, without folder
    int recordSize = 0;
    qint64 offset = 0;
    QByteArray oldBytes;
    QByteArray newBytes;
};

// Writes the journal beside the archive and syncs it; false when it could not be made durable
// (then nothing of it is left).
bool writeJournal(const QString& journalPath, const JournalEntry& entry);

struct JournalRead {
    enum class State {
        Missing,    // no journal
        Unreadable, // there, but it cannot be opened or read: keep it
        Incomplete, // ours, not written whole: the rewrite it announced never began
        Foreign,    // not a journal of this program's: keep it aside, never replay it
        Whole,      // a journal written whole
    } state = State::Missing;
    JournalEntry entry;
};
JournalRead readJournal(const QString& journalPath);

} // namespace rf::Durable
