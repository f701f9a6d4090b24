#pragma once

#include "storage/RecordScan.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace rf {

// Backups of the data folder: one zip of every data file, with relative paths, and its restore.
//
// What is data: every file of the folder itself, and every file under the photo folder
// (Autoparco) and the attachments folder (Documenti_Allegati), except
// - the program's own files, which the application names (setProgramFiles): a data folder that is
//   also the program's folder holds them beside the data;
// - locks ("*.lock", "*.lock.next"), journals ("*.journal" and the ones kept aside,
//   "*.journal.<date-time>"), the temporaries of whole-file writes, display copies of photos;
// - backups ("Rotaflux_copia*.zip") and the backup's own marker (Rotaflux_copia.txt);
// - links, and any other subfolder (the "Sostituiti_..." folders of earlier restores among them);
//   the links are named in the result, so the user learns what the copy lacks;
// - a file named like one of the two data folders, which can only be a folder.
// Everything else counts, whatever its name, so a file the user put in the folder is never lost.
namespace Backup {

constexpr const char* MarkerName = "Rotaflux_copia.txt";
// A restore's list of moves, written before the first one, so a restore cut off by a crash is
// finished at the next start (finishInterruptedRestore).
constexpr const char* RestoreJournalName = ".rotaflux-ripristino.journal";
// The hidden working folders of a restore (the zip unpacked) and of a backup (raw copies of the
// archives), inside the data folder: ".rotaflux-ripristino-XXXXXX", ".rotaflux-copia-XXXXXX".
constexpr const char* RestoreStagingPrefix = ".rotaflux-ripristino-";
constexpr const char* BackupStagingPrefix = ".rotaflux-copia-";

enum class Problem {
    None,
    Cancelled,   // the user cancelled: nothing was written or changed
    Unreadable,  // a data file (or the zip) could not be read
    Busy,        // another workstation held a file's lock too long
    Pending,     // an archive's interrupted rewrite could not be settled first
    CannotWrite, // the zip, or a restored file, could not be written or put in place
    Damaged,     // the zip is damaged (unreadable, a checksum does not match)
    Foreign,     // the zip is not a backup of this program
    UnsafePath,  // an entry's name points outside the folder, or at a file that is not data
    NoSpace,     // the zip's files need more room than the data folder's disk has free
    Oversized,   // an entry claims (or inflates to) more than its compressed size can honestly hold
    WrongKind,   // an entry is a file where the folder holds (or needs) a folder, or the reverse
    Duplicate,   // the zip holds the same entry twice
    Link,        // a restore would write through a link in the data folder (file names it)
    Unfinished,  // a restore cut off earlier could not be settled first (another one is running)
};

struct Result {
    Problem problem = Problem::None;
    QString file;           // the file or entry concerned, when there is one
    int files = 0;          // files written to the zip, or restored
    QString replacedFolder; // where a restore moved the files it replaced; empty when none
    QStringList skipped;    // what a backup left out: links, relative paths with "/"
    qint64 needed = 0;      // NoSpace: the bytes the restore needs, and those free
    qint64 available = 0;
    bool ok() const { return problem == Problem::None; }
};

// The program's own files that may stand at the top of a data folder: never copied nor restored.
// Names are compared without regard to case.
struct ProgramFiles {
    QStringList names;      // whole names ("Guida.pdf")
    QStringList suffixes;   // kinds of file ("*.dll" as ".dll")
    QStringList dataAnyway; // names of such a kind that are data all the same
    bool holds(const QString& name) const;
};
// Tells backups which files are the program's; until then none is. Set once at start.
void setProgramFiles(ProgramFiles files);

// Whether a path relative to the data folder ("/" between parts) names a data file by its name.
bool isDataPath(const QString& relativePath);
// The data files of the folder, relative paths with "/", sorted. The links met on the way (to a
// file or to a folder, the photo folder itself among them) are left out and, when skipped is
// given, listed there.
QStringList dataFiles(const QString& folder, QStringList* skipped = nullptr);

// The sizes of one entry of a zip, as its directory declares them.
struct EntrySize {
    QString name;
    qint64 compressed = 0;
    qint64 declared = 0;
};
// Whether a zip's declared sizes may be unpacked: each entry within a ratio that deflate can
// honestly reach on our data (Oversized), and all of them, with a margin, within available bytes
// (NoSpace; available < 0 skips this check).
Result checkSizes(const std::vector<EntrySize>& entries, qint64 available);

// Called with each file whose lock a backup held and for how long (ns); the benchmark and the
// tests watch the holds through it. Empty by default.
void setLockHoldObserver(std::function<void(const QString& file, qint64 nanoseconds)> observer);

// "Rotaflux_copia_YYYY-MM-DD_HHMM.zip" and "Sostituiti_YYYY-MM-DD_HHMM".
QString backupFileName(const QDateTime& when);
QString replacedFolderName(const QDateTime& when);

// Writes the data files of folder into the zip at zipPath, with the marker entry. Archives and
// planning files are copied raw into a working folder under their lock, so no save lands in the
// middle of a copy, and compressed from there after the lock is let go: other workstations wait
// for a disk-speed copy, never for the compression. The zip appears only complete; a failure or
// a cancel (progress returned false) leaves no zip. Result::skipped names the links left out.
Result writeBackup(const QString& folder, const QString& zipPath, const ScanProgress& progress = {},
                   const QDateTime& when = QDateTime::currentDateTime());

// Reads the whole zip: refuses one that cannot be read or whose checksums do not match
// (Damaged), one that is not ours (Foreign: neither the marker nor an archive at its top), one
// with an entry that would land outside the data files (UnsafePath), one whose sizes cannot be
// honest (Oversized), and one with an entry twice (Duplicate) or both as a file and a folder, or
// a file named like a data folder (WrongKind).
Result checkBackup(const QString& zipPath);

// Puts the zip's files into folder. The zip is read whole into a staging folder first, after its
// declared sizes were checked against the free space, so a refused, damaged or cancelled one
// changes nothing; an entry whose kind differs from what the folder holds (WrongKind), or whose
// path passes through a link (Link), is refused before anything is written. Then the moves are
// written to the restore journal, and each file takes its place; an existing file it replaces is
// first moved into folder/Sostituiti_YYYY-MM-DD_HHMM (same relative path), and the new file keeps
// its permissions. Data files that the zip does not hold are left as they are. A restore cut off
// before is finished first.
Result restoreBackup(const QString& zipPath, const QString& folder, const ScanProgress& progress = {},
                     const QDateTime& when = QDateTime::currentDateTime());

enum class Recovery {
    None,       // no restore was left behind
    Finished,   // a restore cut off part-way was finished: the folder holds the zip's files
    RolledBack, // it could not be finished and was undone: the folder is as it was before it
    Failed,     // neither could be done now (the journal is kept for the next attempt)
};
// Settles a restore that a crash cut off, from its journal: every file of the folder ends either
// all old or all new, and the staging folder is removed. Called at start-up and before a restore.
Recovery finishInterruptedRestore(const QString& folder);

// Whether a name is one of the working folders of a restore or a backup.
bool isStagingFolderName(const QString& name);

} // namespace Backup

} // namespace rf
