#pragma once

#include "storage/RecordScan.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace rf {

// Backups of the data folder: one zip of every data file, with relative paths, and its restore.
//
// What is data: every file of the folder itself, and every file under the photo folder
// (Autoparco) and the attachments folder (Documenti_Allegati), except
// - the program's own files: the executable (Rotaflux, Rotaflux.exe), the help document
//   (Guida.pdf) and the libraries beside it (*.dll, but the password file unins000.dll is data);
// - locks ("*.lock", "*.lock.next"), journals ("*.journal" and the ones kept aside,
//   "*.journal.<date-time>"), the temporaries of whole-file writes, display copies of photos;
// - backups ("Rotaflux_copia*.zip") and the backup's own marker (Rotaflux_copia.txt);
// - links, and any other subfolder (the "Sostituiti_..." folders of earlier restores among them).
// Everything else counts, whatever its name, so a file the user put in the folder is never lost.
namespace Backup {

constexpr const char* MarkerName = "Rotaflux_copia.txt";

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
};

struct Result {
    Problem problem = Problem::None;
    QString file;           // the file or entry concerned, when there is one
    int files = 0;          // files written to the zip, or restored
    QString replacedFolder; // where a restore moved the files it replaced; empty when none
    bool ok() const { return problem == Problem::None; }
};

// Whether a path relative to the data folder ("/" between parts) names a data file by its name.
bool isDataPath(const QString& relativePath);
// The data files of the folder, relative paths with "/", sorted.
QStringList dataFiles(const QString& folder);

// "Rotaflux_copia_YYYY-MM-DD_HHMM.zip" and "Sostituiti_YYYY-MM-DD_HHMM".
QString backupFileName(const QDateTime& when);
QString replacedFolderName(const QDateTime& when);

// Writes the data files of folder into the zip at zipPath, with the marker entry. Archives and
// planning files are copied under their lock, so no save lands in the middle of a copy. The zip
// appears only complete; a failure or a cancel (progress returned false) leaves no zip.
Result writeBackup(const QString& folder, const QString& zipPath, const ScanProgress& progress = {},
                   const QDateTime& when = QDateTime::currentDateTime());

// Reads the whole zip: refuses one that cannot be read or whose checksums do not match
// (Damaged), one that is not ours (Foreign: neither the marker nor an archive at its top), and
// one with an entry that would land outside the data files (UnsafePath).
Result checkBackup(const QString& zipPath);

// Puts the zip's files into folder. The zip is read whole into a staging folder first, so a
// refused, damaged or cancelled one changes nothing; then each file takes its place, and an
// existing file it replaces is first moved into folder/Sostituiti_YYYY-MM-DD_HHMM (same relative
// path). Data files that the zip does not hold are left as they are.
Result restoreBackup(const QString& zipPath, const QString& folder, const ScanProgress& progress = {},
                     const QDateTime& when = QDateTime::currentDateTime());

} // namespace Backup

} // namespace rf
