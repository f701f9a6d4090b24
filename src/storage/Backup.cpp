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
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace rf::Backup {

namespace {

const QLatin1String PhotoFolder("Autoparco");
// The password file: a data file, although it is named like the program's libraries.
const QLatin1String PasswordFile("unins000.dll");
constexpr qint64 Chunk = 1 << 20;
// Archives are written fast rather than small: the copy is made while the shop waits.
constexpr int CompressionLevel = 1;

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
    const QString lower = name.toLower();
    if (lower == QLatin1String("rotaflux") || lower == QLatin1String("rotaflux.exe") ||
        lower == QLatin1String("guida.pdf"))
        return false;
    return !lower.endsWith(QLatin1String(".dll")) || lower == PasswordFile;
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

// Copies one data file into a new entry of zip; the caller holds its lock where it has one.
Problem addEntry(QuaZip& zip, const QString& path, const QString& name, Progress& progress)
{
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return Problem::Unreadable;
    QuaZipFile entry(&zip);
    if (!entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name, path), nullptr, 0, Z_DEFLATED,
                    CompressionLevel))
        return Problem::CannotWrite;
    QByteArray buffer(int(Chunk), Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(buffer.data(), Chunk);
        if (got < 0)
            return Problem::Unreadable;
        if (got == 0)
            break;
        if (entry.write(buffer.constData(), got) != got)
            return Problem::CannotWrite;
        if (!progress.advance(got))
            return Problem::Cancelled;
    }
    entry.close();
    return entry.getZipError() == ZIP_OK ? Problem::None : Problem::CannotWrite;
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

// Checks the zip's names without reading its content: the names of the files to restore.
Result namesOf(QuaZip& zip, QStringList& names)
{
    bool marked = false;
    bool archive = false;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        const QString name = zip.getCurrentFileName();
        if (name.endsWith(QLatin1Char('/')))
            continue; // a folder entry
        if (name == QLatin1String(MarkerName)) {
            marked = true;
            continue;
        }
        if (!staysInside(name) || !isDataPath(name))
            return failed(Problem::UnsafePath, name);
        if (!name.contains(QLatin1Char('/')) && name.endsWith(QLatin1String(".pro"), Qt::CaseInsensitive))
            archive = true;
        names.append(name);
    }
    if (zip.getZipError() != UNZ_OK)
        return failed(Problem::Damaged, {});
    if (!marked && !archive)
        return failed(Problem::Foreign, {});
    return {};
}

// Reads every entry of the zip (checking its checksum) and hands each file's content to a sink
// when one is given (sink(name) returns where the content goes).
Result readZip(const QString& zipPath, const ScanProgress& report,
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
        total += qint64(info.uncompressedSize);
    Progress progress(report, total);
    QByteArray buffer(int(Chunk), Qt::Uninitialized);
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        const QString name = zip.getCurrentFileName();
        if (name.endsWith(QLatin1Char('/')))
            continue;
        QuaZipFile entry(&zip);
        if (!entry.open(QIODevice::ReadOnly))
            return failed(Problem::Damaged, name);
        QFileDevice* out = sink && names.contains(name) ? sink(name) : nullptr;
        if (sink && names.contains(name) && !out)
            return failed(Problem::CannotWrite, name);
        for (;;) {
            const qint64 got = entry.read(buffer.data(), Chunk);
            if (got < 0)
                return failed(Problem::Damaged, name);
            if (got == 0)
                break;
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

// A file put in place by a restore, and where the one it replaced went.
struct Placed {
    QString target;
    QString aside; // empty when nothing was replaced
};

void undo(const std::vector<Placed>& placed)
{
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        QFile::remove(it->target);
        if (!it->aside.isEmpty())
            QFile::rename(it->aside, it->target);
    }
}

} // namespace

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

QStringList dataFiles(const QString& folder)
{
    const QDir root(QDir::fromNativeSeparators(folder));
    QStringList found;
    const QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo& file : root.entryInfoList(filters))
        if (!file.isSymLink() && isDataPath(file.fileName()))
            found.append(file.fileName());
    for (const QString& sub : {QString(PhotoFolder), QString::fromLatin1(AttachmentsFolderName)}) {
        const QFileInfo subFolder(root.filePath(sub));
        if (!subFolder.isDir() || subFolder.isSymLink())
            continue;
        QDirIterator it(subFolder.filePath(), filters, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo file(it.next());
            const QString relative = root.relativeFilePath(file.filePath());
            if (!file.isSymLink() && !relative.startsWith(QLatin1String("..")) && isDataPath(relative))
                found.append(relative);
        }
    }
    found.sort();
    return found;
}

QString backupFileName(const QDateTime& when)
{
    return QStringLiteral("Rotaflux_copia_%1.zip").arg(when.toString(QStringLiteral("yyyy-MM-dd_HHmm")));
}

QString replacedFolderName(const QDateTime& when)
{
    return QStringLiteral("Sostituiti_%1").arg(when.toString(QStringLiteral("yyyy-MM-dd_HHmm")));
}

Result writeBackup(const QString& folder, const QString& zipPath, const ScanProgress& report,
                   const QDateTime& when)
{
    const QDir root(QDir::fromNativeSeparators(folder));
    const QStringList files = dataFiles(folder);
    qint64 total = 0;
    for (const QString& name : files)
        total += QFileInfo(root.filePath(name)).size();
    Progress progress(report, total);

    WholeFileWriter out(zipPath);
    if (!out.open())
        return failed(Problem::CannotWrite, zipPath);
    QuaZip zip(&out.device());
    zip.setAutoClose(false);
    zip.setZip64Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        return failed(Problem::CannotWrite, zipPath);

    Result result;
    const auto fail = [&](Problem problem, const QString& file) {
        zip.close();
        return failed(problem, file);
    };
    {
        QuaZipFile marker(&zip);
        const QByteArray text = "Rotaflux: copia di sicurezza dei dati del " +
                                when.toString(QStringLiteral("dd/MM/yyyy HH:mm")).toLatin1() + "\r\n";
        QuaZipNewInfo info{QLatin1String(MarkerName)};
        info.dateTime = when;
        if (!marker.open(QIODevice::WriteOnly, info) || marker.write(text) != text.size())
            return fail(Problem::CannotWrite, zipPath);
        marker.close();
        if (marker.getZipError() != ZIP_OK)
            return fail(Problem::CannotWrite, zipPath);
    }
    for (const QString& name : files) {
        const QString path = root.filePath(name);
        FileLock lock(path);
        if (isLockedKind(name)) {
            if (!lock.lock())
                return fail(Problem::Busy, name);
            if (name.endsWith(QLatin1String(".pro"), Qt::CaseInsensitive) && !settleJournal(path))
                return fail(Problem::Pending, name);
        }
        const Problem problem = addEntry(zip, path, name, progress);
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
    return readZip(zipPath, {}, {});
}

Result restoreBackup(const QString& zipPath, const QString& folder, const ScanProgress& report,
                     const QDateTime& when)
{
    const QDir root(QDir::fromNativeSeparators(folder));
    // The staging folder sits inside the data folder, so each file takes its place by a rename.
    QTemporaryDir staging(root.filePath(QStringLiteral(".rotaflux-ripristino-XXXXXX")));
    if (!staging.isValid())
        return failed(Problem::CannotWrite, folder);
    const QDir stage(staging.path());
    std::unique_ptr<QFile> current;
    QStringList names;
    Result result = readZip(zipPath, report, [&](const QString& name) -> QFileDevice* {
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
    std::vector<std::unique_ptr<FileLock>> locks;
    for (const QString& name : names) {
        if (!isLockedKind(name))
            continue;
        locks.push_back(std::make_unique<FileLock>(root.filePath(name)));
        if (!locks.back()->lock())
            return failed(Problem::Busy, name);
    }

    QString asideName = replacedFolderName(when);
    for (int n = 2; root.exists(asideName); ++n)
        asideName = replacedFolderName(when) + QStringLiteral("_%1").arg(n);
    const QDir aside(root.filePath(asideName));
    std::vector<Placed> placed;
    for (const QString& name : names) {
        Placed step{root.filePath(name), {}};
        if (QFileInfo::exists(step.target) || QFileInfo(step.target).isSymLink()) {
            step.aside = aside.filePath(name);
            if (!QDir().mkpath(QFileInfo(step.aside).absolutePath()) ||
                !QFile::rename(step.target, step.aside)) {
                undo(placed);
                return failed(Problem::CannotWrite, name);
            }
            result.replacedFolder = aside.path();
        }
        if (!QDir().mkpath(QFileInfo(step.target).absolutePath()) ||
            !QFile::rename(stage.filePath(name), step.target)) {
            if (!step.aside.isEmpty())
                QFile::rename(step.aside, step.target);
            undo(placed);
            return failed(Problem::CannotWrite, name);
        }
        placed.push_back(step);
    }
    Durable::syncFolder(root.path());
    return result;
}

} // namespace rf::Backup
