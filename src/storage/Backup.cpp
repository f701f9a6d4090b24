#include "Backup.h"

#include "storage/ArchiveFile.h"
#include "storage/Attachments.h"
#include "storage/DisplayCopy.h"
#include "storage/Durable.h"
#include "storage/FileLock.h"
#include "storage/WholeFile.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace rf::Backup {

namespace {

// Sizes a zip declares are added up capped at the largest qint64: a zip may declare anything, and
// a sum that wrapped around would pass for a small one.
qint64 addSize(qint64 total, quint64 size)
{
    constexpr quint64 Largest = quint64(std::numeric_limits<qint64>::max());
    return size >= Largest - quint64(std::max<qint64>(total, 0)) ? qint64(Largest) : total + qint64(size);
}

const QLatin1String PhotoFolder("Autoparco");
constexpr qint64 Chunk = 1 << 20;
// Archives are written fast rather than small: the copy is made while the shop waits.
constexpr int CompressionLevel = 1;
// Deflate cannot shrink anything more than about 1032 times; our files (padded records, pictures,
// documents) stay far below 100. An entry of some size claiming more than this is a trap.
constexpr qint64 MaxRatio = 500;
constexpr qint64 RatioCheckedFrom = 1 << 20;
// Room left free on the disk after a restore's staging copy, for the saves that follow.
constexpr qint64 SpaceMargin = 16 << 20;

std::function<void(const QString&, qint64)>& lockHoldObserver()
{
    static std::function<void(const QString&, qint64)> observer;
    return observer;
}

ProgramFiles& programFiles()
{
    static ProgramFiles files;
    return files;
}

bool isDataFolderName(const QString& name)
{
    return name.compare(PhotoFolder, Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String(AttachmentsFolderName), Qt::CaseInsensitive) == 0;
}

bool isDataFileName(const QString& name, bool topLevel)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    static const QRegularExpression notData(
        QStringLiteral("(\\.lock|\\.lock\\.next|\\.journal|\\.journal\\.\\d{8}-\\d{6})$|"
                       "^rotaflux_copia.*\\.zip$|^rotaflux_copia\\.txt$"),
        QRegularExpression::CaseInsensitiveOption);
    if (notData.match(name).hasMatch() || isWholeFileTemporary(name) || isDisplayCopyName(name))
        return false;
    if (!topLevel)
        return true;
    return !isDataFolderName(name) && !programFiles().holds(name);
}

bool isLockedKind(const QString& path)
{
    return path.endsWith(QLatin1String(".pro"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".pln"), Qt::CaseInsensitive);
}

// An archive's rewrite that a crash cut off is settled before the archive is copied, so the copy
// never holds a half-rewritten record without the journal that undoes it. The lock is held.
bool settleJournal(const QString& archivePath)
{
    const QString journal = archivePath + QStringLiteral(".journal");
    if (!QFile::exists(journal))
        return true;
    const Durable::JournalRead read = Durable::readJournal(journal);
    if (read.state == Durable::JournalRead::State::Whole && read.entry.recordSize > 0) {
        ArchiveFile archive(archivePath, read.entry.recordSize);
        if (archive.OpenArchive())
            archive.CloseArchive();
    }
    return !QFile::exists(journal);
}

Result failed(Problem problem, const QString& file)
{
    Result result;
    result.problem = problem;
    result.file = file;
    return result;
}

class Progress {
public:
    Progress(const ScanProgress& report, qint64 total) : m_report(report), m_total(total) {}
    bool advance(qint64 bytes)
    {
        m_done += bytes;
        return !m_report || m_report(m_done, m_total);
    }

private:
    const ScanProgress& m_report;
    qint64 m_total;
    qint64 m_done = 0;
};

// Copies source to out in blocks, reporting each one.
Problem copyContent(QIODevice& source, QIODevice& out, Progress& progress)
{
    QByteArray buffer(int(Chunk), Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(buffer.data(), Chunk);
        if (got < 0)
            return Problem::Unreadable;
        if (got == 0)
            return Problem::None;
        if (out.write(buffer.constData(), got) != got)
            return Problem::CannotWrite;
        if (!progress.advance(got))
            return Problem::Cancelled;
    }
}

// Copies one file into a new entry of zip; info names the entry and gives its date.
Problem addEntry(QuaZip& zip, const QString& path, const QuaZipNewInfo& info, Progress& progress)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return Problem::Unreadable;
    QuaZipFile entry(&zip);
    if (!entry.open(QIODevice::WriteOnly, info, nullptr, 0, Z_DEFLATED, CompressionLevel))
        return Problem::CannotWrite;
    const Problem problem = copyContent(source, entry, progress);
    if (problem != Problem::None)
        return problem;
    entry.close();
    return entry.getZipError() == ZIP_OK ? Problem::None : Problem::CannotWrite;
}

// Copies a locked file raw to copyPath while its lock is held, and reports how long it was held.
Problem copyUnderLock(const QString& path, const QString& name, const QString& copyPath, Progress& progress)
{
    FileLock lock(path);
    if (!lock.lock())
        return Problem::Busy;
    QElapsedTimer held;
    held.start();
    Problem problem = Problem::None;
    if (name.endsWith(QLatin1String(".pro"), Qt::CaseInsensitive) && !settleJournal(path)) {
        problem = Problem::Pending;
    } else {
        QFile source(path);
        QFile copy(copyPath);
        if (!source.open(QIODevice::ReadOnly))
            problem = Problem::Unreadable;
        else if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            problem = Problem::CannotWrite;
        else
            problem = copyContent(source, copy, progress);
    }
    lock.unlock();
    if (lockHoldObserver())
        lockHoldObserver()(name, held.nsecsElapsed());
    return problem;
}

// Whether an entry's name is a plain relative path that stays inside the folder.
bool staysInside(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1Char(':')))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString& part : parts)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    return true;
}

// The folders a path passes through: "a/b/c" gives "a" and "a/b".
QStringList parentsOf(const QString& name)
{
    QStringList parents;
    for (int at = name.indexOf(QLatin1Char('/')); at > 0; at = name.indexOf(QLatin1Char('/'), at + 1))
        parents.append(name.left(at));
    return parents;
}

// Checks the zip's names and sizes without reading its content: the names of the files to restore.
Result namesOf(QuaZip& zip, QStringList& names)
{
    bool marked = false;
    bool archive = false;
    QSet<QString> seen;
    QSet<QString> folders;
    std::vector<EntrySize> sizes;
    QuaZipFileInfo64 info;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        if (!zip.getCurrentFileInfo(&info))
            return failed(Problem::Damaged, {});
        const QString name = info.name;
        if (name.endsWith(QLatin1Char('/')))
            continue; // a folder entry
        if (seen.contains(name))
            return failed(Problem::Duplicate, name);
        seen.insert(name);
        sizes.push_back({name, qint64(info.compressedSize), qint64(info.uncompressedSize)});
        if (name == QLatin1String(MarkerName)) {
            marked = true;
            continue;
        }
        if (!name.contains(QLatin1Char('/')) && isDataFolderName(name))
            return failed(Problem::WrongKind, name);
        if (!staysInside(name) || !isDataPath(name))
            return failed(Problem::UnsafePath, name);
        if (!name.contains(QLatin1Char('/')) && name.endsWith(QLatin1String(".pro"), Qt::CaseInsensitive))
            archive = true;
        for (const QString& parent : parentsOf(name))
            folders.insert(parent);
        names.append(name);
    }
    if (zip.getZipError() != UNZ_OK)
        return failed(Problem::Damaged, {});
    for (const QString& name : std::as_const(names))
        if (folders.contains(name))
            return failed(Problem::WrongKind, name);
    if (!marked && !archive)
        return failed(Problem::Foreign, {});
    return checkSizes(sizes, -1);
}

// Reads every entry of the zip (checking its checksum and that it inflates to no more than it
// declared) and hands each file's content to a sink when one is given (sink(name) returns where
// the content goes). Before any content is read, beforeContent (when given) may refuse the zip
// from its names and sizes.
Result readZip(const QString& zipPath, const ScanProgress& report,
               const std::function<Result(const QStringList& names, qint64 total)>& beforeContent,
               const std::function<QFileDevice*(const QString& name)>& sink)
{
    if (!QFileInfo(zipPath).isFile())
        return failed(Problem::Unreadable, zipPath);
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdUnzip))
        return failed(Problem::Damaged, {});
    QStringList names;
    Result result = namesOf(zip, names);
    if (!result.ok())
        return result;
    qint64 total = 0;
    const QList<QuaZipFileInfo64> infos = zip.getFileInfoList64();
    for (const QuaZipFileInfo64& info : infos)
        total = addSize(total, info.uncompressedSize);
    if (beforeContent) {
        result = beforeContent(names, total);
        if (!result.ok())
            return result;
    }
    const QSet<QString> wanted(names.begin(), names.end());
    Progress progress(report, total);
    QByteArray buffer(int(Chunk), Qt::Uninitialized);
    QuaZipFileInfo64 info;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        if (!zip.getCurrentFileInfo(&info))
            return failed(Problem::Damaged, {});
        const QString name = info.name;
        if (name.endsWith(QLatin1Char('/')))
            continue;
        QuaZipFile entry(&zip);
        if (!entry.open(QIODevice::ReadOnly))
            return failed(Problem::Damaged, name);
        QFileDevice* out = sink && wanted.contains(name) ? sink(name) : nullptr;
        if (sink && wanted.contains(name) && !out)
            return failed(Problem::CannotWrite, name);
        qint64 inflated = 0;
        for (;;) {
            const qint64 got = entry.read(buffer.data(), Chunk);
            if (got < 0)
                return failed(Problem::Damaged, name);
            if (got == 0)
                break;
            inflated += got;
            if (inflated > qint64(info.uncompressedSize))
                return failed(Problem::Oversized, name);
            if (out && out->write(buffer.constData(), got) != got)
                return failed(Problem::CannotWrite, name);
            if (!progress.advance(got))
                return failed(Problem::Cancelled, {});
        }
        // The checksum is compared when the entry is closed.
        entry.close();
        if (entry.getZipError() != UNZ_OK)
            return failed(Problem::Damaged, name);
        if (out) {
            if (!Durable::syncFile(*out))
                return failed(Problem::CannotWrite, name);
            out->close();
            if (out->error() != QFileDevice::NoError)
                return failed(Problem::CannotWrite, name);
            ++result.files;
        }
    }
    if (zip.getZipError() != UNZ_OK)
        return failed(Problem::Damaged, {});
    return result;
}

// What the folder holds where the zip's files go: a folder where a file goes (or the reverse) is
// refused, and so is a link on the way, which a restore would write through.
Result checkPlaces(const QDir& root, const QStringList& names)
{
    QSet<QString> checkedFolders;
    for (const QString& name : names) {
        for (const QString& parent : parentsOf(name)) {
            if (checkedFolders.contains(parent))
                continue;
            checkedFolders.insert(parent);
            const QString path = root.filePath(parent);
            if (isLink(path))
                return failed(Problem::Link, parent);
            if (QFileInfo::exists(path) && !QFileInfo(path).isDir())
                return failed(Problem::WrongKind, name);
        }
        const QString path = root.filePath(name);
        if (isLink(path))
            return failed(Problem::Link, name);
        if (QFileInfo(path).isDir())
            return failed(Problem::WrongKind, name);
    }
    return {};
}

// ---- the restore journal ------------------------------------------------------------------------
//
// Text, UTF-8, one line each: the header, the staging folder's name, the folder of the replaced
// files, each file in the order of its move (percent-encoded relative path), and "fine". It is
// written whole or not at all (WholeFileWriter), so one that can be read at all lists every move.
// A file's move is: the old one (when there is one) into the replaced folder, then the new one
// from the staging folder into its place. Where each file is tells which steps were done.

const QByteArray JournalHeader = "Rotaflux ripristino 1";
const QByteArray JournalEnd = "fine";

struct Journal {
    QString staging; // folder names inside the data folder
    QString aside;
    QStringList names;
};

QByteArray journalText(const Journal& journal)
{
    QByteArray text = JournalHeader + '\n' + journal.staging.toUtf8() + '\n' + journal.aside.toUtf8() + '\n';
    for (const QString& name : journal.names)
        text += name.toUtf8().toPercentEncoding("/") + '\n';
    return text + JournalEnd + '\n';
}

// The journal, or nothing when it is missing or not one of ours (then it is left alone).
std::optional<Journal> readRestoreJournal(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.size() < 5 || lines[0] != JournalHeader || lines[lines.size() - 2] != JournalEnd ||
        !lines.back().isEmpty())
        return std::nullopt;
    Journal journal{QString::fromUtf8(lines[1]), QString::fromUtf8(lines[2]), {}};
    if (!journal.staging.startsWith(QLatin1String(RestoreStagingPrefix)) || !staysInside(journal.staging) ||
        journal.staging.contains(QLatin1Char('/')) || !staysInside(journal.aside) ||
        journal.aside.contains(QLatin1Char('/')))
        return std::nullopt;
    for (int i = 3; i < lines.size() - 2; ++i) {
        const QString name = QString::fromUtf8(QByteArray::fromPercentEncoding(lines[i]));
        if (!staysInside(name) || !isDataPath(name))
            return std::nullopt;
        journal.names.append(name);
    }
    return journal;
}

bool exists(const QString& path)
{
    return QFileInfo::exists(path) || isLink(path);
}

bool moveFile(const QString& from, const QString& to)
{
    return QDir().mkpath(QFileInfo(to).absolutePath()) && QFile::rename(from, to);
}

// Makes the renames in every folder the journal touches durable.
void syncFolders(const QDir& root, const Journal& journal)
{
    std::set<QString> folders{root.path(), root.filePath(journal.aside)};
    for (const QString& name : journal.names)
        for (const QString& parent : parentsOf(name)) {
            folders.insert(root.filePath(parent));
            folders.insert(QDir(root.filePath(journal.aside)).filePath(parent));
        }
    for (const QString& folder : folders)
        if (QFileInfo(folder).isDir())
            Durable::syncFolder(folder);
}

// Does the moves not done yet, in order. False at the first one that fails.
bool moveForward(const QDir& root, const Journal& journal)
{
    const QDir stage(root.filePath(journal.staging));
    const QDir aside(root.filePath(journal.aside));
    for (const QString& name : journal.names) {
        const QString staged = stage.filePath(name);
        if (!QFileInfo::exists(staged))
            continue; // already in place
        const QString target = root.filePath(name);
        if (exists(target)) {
            if (exists(aside.filePath(name)) || !moveFile(target, aside.filePath(name)))
                return false;
            Durable::crashPoint("restore:aside");
        }
        if (!moveFile(staged, target))
            return false;
        Durable::crashPoint("restore:placed");
    }
    return true;
}

// Undoes the moves done, last first: each new file back into the staging folder, each old one
// back into its place. False when one cannot be undone.
bool moveBack(const QDir& root, const Journal& journal)
{
    const QDir stage(root.filePath(journal.staging));
    const QDir aside(root.filePath(journal.aside));
    bool whole = true;
    for (auto it = journal.names.rbegin(); it != journal.names.rend(); ++it) {
        const QString target = root.filePath(*it);
        const QString staged = stage.filePath(*it);
        const QString old = aside.filePath(*it);
        if (!QFileInfo::exists(staged) && exists(target) && !moveFile(target, staged)) {
            whole = false;
            continue;
        }
        if (exists(old) && !exists(target) && !moveFile(old, target))
            whole = false;
    }
    return whole;
}

bool holdsFiles(const QString& folder)
{
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    return it.hasNext();
}

// Removes the journal and the staging folder once the folder is settled, and the replaced
// folder when nothing is left in it.
void closeJournal(const QDir& root, const Journal& journal)
{
    QFile::remove(root.filePath(QLatin1String(RestoreJournalName)));
    Durable::syncFolder(root.path());
    QDir(root.filePath(journal.staging)).removeRecursively();
    if (!holdsFiles(root.filePath(journal.aside)))
        QDir(root.filePath(journal.aside)).removeRecursively();
}

// Takes the locks of the archives and planning files among names, which no save may change while
// they move.
bool lockAll(const QDir& root, const QStringList& names, std::vector<std::unique_ptr<FileLock>>& locks,
             QString* busy)
{
    for (const QString& name : names) {
        if (!isLockedKind(name))
            continue;
        locks.push_back(std::make_unique<FileLock>(root.filePath(name)));
        if (!locks.back()->lock()) {
            if (busy)
                *busy = name;
            return false;
        }
    }
    return true;
}

// Settles the journal's moves with its lock and the files' locks held: finished when possible,
// undone otherwise.
Recovery settle(const QDir& root, const Journal& journal)
{
    if (moveForward(root, journal)) {
        syncFolders(root, journal);
        Durable::crashPoint("restore:moved");
        closeJournal(root, journal);
        return Recovery::Finished;
    }
    const bool undone = moveBack(root, journal);
    syncFolders(root, journal);
    if (!undone)
        return Recovery::Failed;
    closeJournal(root, journal);
    return Recovery::RolledBack;
}

// Unpacks the zip into the staging folder and swaps its files in, under the journal.
Result stageAndSwap(const QString& zipPath, const QDir& root, const QString& stagingName,
                    const ScanProgress& report, const QDateTime& when)
{
    const QDir stage(root.filePath(stagingName));
    std::unique_ptr<QFile> current;
    QStringList names;
    const auto beforeContent = [&](const QStringList& entries, qint64 total) {
        Result places = checkPlaces(root, entries);
        if (!places.ok())
            return places;
        const QStorageInfo disk(root.path());
        Result sizes;
        if (disk.isValid() && total > disk.bytesAvailable() - SpaceMargin) {
            sizes.problem = Problem::NoSpace;
            sizes.needed = addSize(total, SpaceMargin);
            sizes.available = disk.bytesAvailable();
        }
        return sizes;
    };
    Result result = readZip(zipPath, report, beforeContent, [&](const QString& name) -> QFileDevice* {
        const QString path = stage.filePath(name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return nullptr;
        current = std::make_unique<QFile>(path);
        if (!current->open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return nullptr;
        names.append(name);
        return current.get();
    });
    current.reset();
    if (!result.ok())
        return result;

    // No save of another window or workstation may land between the two renames of a file.
    const QString journalPath = root.filePath(QLatin1String(RestoreJournalName));
    FileLock journalLock(journalPath);
    if (!journalLock.lock())
        return failed(Problem::Busy, QLatin1String(RestoreJournalName));
    std::vector<std::unique_ptr<FileLock>> locks;
    QString busy;
    if (!lockAll(root, names, locks, &busy))
        return failed(Problem::Busy, busy);
    // What the folder holds may have changed while the zip was read.
    const Result places = checkPlaces(root, names);
    if (!places.ok())
        return places;

    Journal journal{stagingName, replacedFolderName(when), names};
    for (int n = 2; root.exists(journal.aside); ++n)
        journal.aside = replacedFolderName(when) + QStringLiteral("_%1").arg(n);
    for (const QString& name : names) {
        const QFileInfo old(root.filePath(name));
        if (old.exists()) {
            // The "user" flags say what this process may do (all, for an administrator), not the
            // file's own mode: only the owner, group and others' flags are carried over.
            const QFile::Permissions userFlags = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
            QFile::setPermissions(stage.filePath(name), old.permissions() & ~userFlags);
            result.replacedFolder = root.filePath(journal.aside);
        }
    }
    if (!writeWholeFile(journalPath, journalText(journal)))
        return failed(Problem::CannotWrite, QLatin1String(RestoreJournalName));
    Durable::syncFolder(root.path());
    Durable::crashPoint("restore:journal");

    switch (settle(root, journal)) {
    case Recovery::Finished:
        return result;
    case Recovery::None:
    case Recovery::RolledBack:
    case Recovery::Failed:
        break;
    }
    return failed(Problem::CannotWrite, {});
}

} // namespace

bool ProgramFiles::holds(const QString& name) const
{
    const auto named = [&name](const QStringList& list) { return list.contains(name, Qt::CaseInsensitive); };
    if (named(names))
        return true;
    return !named(dataAnyway) &&
           std::any_of(suffixes.begin(), suffixes.end(),
                       [&name](const QString& suffix) { return name.endsWith(suffix, Qt::CaseInsensitive); });
}

void setProgramFiles(ProgramFiles files)
{
    programFiles() = std::move(files);
}

bool isDataPath(const QString& relativePath)
{
    const QStringList parts = relativePath.split(QLatin1Char('/'));
    if (parts.size() == 1)
        return isDataFileName(parts.front(), true);
    if (parts.front() != PhotoFolder && parts.front() != QLatin1String(AttachmentsFolderName))
        return false;
    for (const QString& part : parts)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    return isDataFileName(parts.back(), false);
}

QStringList dataFiles(const QString& folder, QStringList* skipped)
{
    const QDir root(QDir::fromNativeSeparators(folder));
    QStringList found;
    QStringList links;
    const QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& file : root.entryInfoList(filters)) {
        if (!isDataPath(file.fileName()))
            continue;
        if (isLink(file.filePath()))
            links.append(file.fileName());
        else
            found.append(file.fileName());
    }
    for (const QString& sub : {QString(PhotoFolder), QString::fromLatin1(AttachmentsFolderName)}) {
        const QString subPath = root.filePath(sub);
        if (isLink(subPath)) {
            links.append(sub);
            continue;
        }
        if (!QFileInfo(subPath).isDir())
            continue;
        QDirIterator it(subPath, filters | QDir::Dirs, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo file(it.next());
            const QString relative = root.relativeFilePath(file.filePath());
            if (relative.startsWith(QLatin1String("..")))
                continue;
            if (isLink(file.filePath()))
                links.append(relative);
            else if (file.isFile() && isDataPath(relative))
                found.append(relative);
        }
    }
    found.sort();
    links.sort();
    if (skipped)
        *skipped = links;
    return found;
}

Result checkSizes(const std::vector<EntrySize>& entries, qint64 available)
{
    qint64 total = 0;
    for (const EntrySize& entry : entries) {
        if (entry.declared < 0 || entry.compressed < 0 ||
            (entry.declared > RatioCheckedFrom &&
             entry.declared / std::max<qint64>(entry.compressed, 1) > MaxRatio))
            return failed(Problem::Oversized, entry.name);
        total = addSize(total, quint64(entry.declared));
    }
    if (available >= 0 && total > available - SpaceMargin) {
        Result result = failed(Problem::NoSpace, {});
        result.needed = addSize(total, SpaceMargin);
        result.available = available;
        return result;
    }
    return {};
}

void setLockHoldObserver(std::function<void(const QString&, qint64)> observer)
{
    lockHoldObserver() = std::move(observer);
}

bool isStagingFolderName(const QString& name)
{
    static const QRegularExpression staging(
        QStringLiteral("^\\.rotaflux-(ripristino|copia)-[A-Za-z0-9]{6}$"));
    return staging.match(name).hasMatch();
}

QString backupFileName(const QDateTime& when)
{
    return QStringLiteral("Rotaflux_copia_%1.zip").arg(when.toString(QStringLiteral("yyyy-MM-dd_HHmm")));
}

QString replacedFolderName(const QDateTime& when)
{
    return QStringLiteral("Sostituiti_%1").arg(when.toString(QStringLiteral("yyyy-MM-dd_HHmm")));
}

namespace {

// What a backup copies: its bytes (the progress's total, raw copies included), and whether the
// archives go through raw copies in the staging folder.
struct BackupPlan {
    qint64 total = 0;
    bool rawCopies = false;
};

BackupPlan planBackup(const QDir& root, const QStringList& files, const QTemporaryDir& staging)
{
    BackupPlan plan;
    qint64 largestLocked = 0;
    for (const QString& name : files) {
        const qint64 size = QFileInfo(root.filePath(name)).size();
        plan.total += size;
        if (isLockedKind(name))
            largestLocked = std::max(largestLocked, size);
    }
    // A raw copy must never take the room the shop's saves need: on a nearly full disk the
    // archives are compressed under their locks, slowly but without a copy.
    const QStorageInfo disk(root.path());
    plan.rawCopies =
        staging.isValid() && (!disk.isValid() || largestLocked + SpaceMargin <= disk.bytesAvailable());
    if (plan.rawCopies)
        for (const QString& name : files)
            if (isLockedKind(name))
                plan.total += QFileInfo(root.filePath(name)).size();
    return plan;
}

// The entry that tells a backup of ours from any other zip, with the moment it was made.
bool addMarker(QuaZip& zip, const QDateTime& when)
{
    QuaZipFile marker(&zip);
    const QByteArray text = "Rotaflux: copia di sicurezza dei dati del " +
                            when.toString(QStringLiteral("dd/MM/yyyy HH:mm")).toLatin1() + "\r\n";
    QuaZipNewInfo info{QLatin1String(MarkerName)};
    info.dateTime = when;
    if (!marker.open(QIODevice::WriteOnly, info) || marker.write(text) != text.size())
        return false;
    marker.close();
    return marker.getZipError() == ZIP_OK;
}

// Adds the data file name to zip. An archive goes through a raw copy at copyPath, made under its
// lock, when there is one; otherwise it is compressed under its lock as it is.
Problem addDataFile(QuaZip& zip, const QDir& root, const QString& name, const QString& copyPath,
                    Progress& progress)
{
    const QString path = root.filePath(name);
    const QuaZipNewInfo info(name, path);
    if (!isLockedKind(name))
        return addEntry(zip, path, info, progress);
    if (!copyPath.isEmpty()) {
        Problem problem = copyUnderLock(path, name, copyPath, progress);
        if (problem == Problem::None)
            problem = addEntry(zip, copyPath, info, progress);
        QFile::remove(copyPath);
        return problem;
    }
    FileLock lock(path);
    if (!lock.lock())
        return Problem::Busy;
    QElapsedTimer held;
    held.start();
    const Problem problem = name.endsWith(QLatin1String(".pro"), Qt::CaseInsensitive) && !settleJournal(path)
                                ? Problem::Pending
                                : addEntry(zip, path, info, progress);
    lock.unlock();
    if (lockHoldObserver())
        lockHoldObserver()(name, held.nsecsElapsed());
    return problem;
}

} // namespace

Result writeBackup(const QString& folder, const QString& zipPath, const ScanProgress& report,
                   const QDateTime& when)
{
    const QDir root(QDir::fromNativeSeparators(folder));
    Result result;
    const QStringList files = dataFiles(folder, &result.skipped);
    // The archives' raw copies go to a working folder beside them: the same disk, so the copy runs
    // at its speed. Where none can be made, an archive is compressed under its lock as it is.
    QTemporaryDir staging(root.filePath(QLatin1String(BackupStagingPrefix) + QStringLiteral("XXXXXX")));
    const BackupPlan plan = planBackup(root, files, staging);
    Progress progress(report, plan.total);

    WholeFileWriter out(zipPath);
    if (!out.open())
        return failed(Problem::CannotWrite, zipPath);
    QuaZip zip(&out.device());
    zip.setAutoClose(false);
    zip.setZip64Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        return failed(Problem::CannotWrite, zipPath);

    const auto fail = [&](Problem problem, const QString& file) {
        zip.close();
        return failed(problem, file);
    };
    if (!addMarker(zip, when))
        return fail(Problem::CannotWrite, zipPath);
    const QString copy = plan.rawCopies ? QDir(staging.path()).filePath(QStringLiteral("copia")) : QString();
    for (const QString& name : files) {
        const Problem problem = addDataFile(zip, root, name, copy, progress);
        if (problem != Problem::None)
            return fail(problem, name);
        ++result.files;
    }
    zip.close();
    if (zip.getZipError() != ZIP_OK || !out.commit())
        return failed(Problem::CannotWrite, zipPath);
    return result;
}

Result checkBackup(const QString& zipPath)
{
    return readZip(zipPath, {}, {}, {});
}

Result restoreBackup(const QString& zipPath, const QString& folder, const ScanProgress& report,
                     const QDateTime& when)
{
    const QDir root(QDir::fromNativeSeparators(folder));
    if (finishInterruptedRestore(root.path()) == Recovery::Failed)
        return failed(Problem::Unfinished, {});
    // The staging folder sits inside the data folder, so each file takes its place by a rename. It
    // is removed by hand, not by QTemporaryDir: after a crash the journal still needs it.
    QTemporaryDir staging(root.filePath(QLatin1String(RestoreStagingPrefix) + QStringLiteral("XXXXXX")));
    if (!staging.isValid())
        return failed(Problem::CannotWrite, folder);
    staging.setAutoRemove(false);
    const QString stagingName = QFileInfo(staging.path()).fileName();
    const Result result = stageAndSwap(zipPath, root, stagingName, report, when);
    if (!QFile::exists(root.filePath(QLatin1String(RestoreJournalName))))
        QDir(staging.path()).removeRecursively();
    return result;
}

Recovery finishInterruptedRestore(const QString& folder)
{
    const QDir root(QDir::fromNativeSeparators(folder));
    const QString journalPath = root.filePath(QLatin1String(RestoreJournalName));
    if (!QFile::exists(journalPath))
        return Recovery::None;
    FileLock journalLock(journalPath);
    if (!journalLock.lock())
        return Recovery::Failed;
    if (!QFile::exists(journalPath))
        return Recovery::None; // settled by another workstation meanwhile
    const std::optional<Journal> journal = readRestoreJournal(journalPath);
    if (!journal)
        return Recovery::Failed;
    std::vector<std::unique_ptr<FileLock>> locks;
    if (!lockAll(root, journal->names, locks, nullptr))
        return Recovery::Failed;
    return settle(root, *journal);
}

} // namespace rf::Backup
