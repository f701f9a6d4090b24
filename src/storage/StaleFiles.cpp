#include "StaleFiles.h"

#include "storage/Attachments.h"
#include "storage/Backup.h"
#include "storage/DisplayCopy.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace rf {

namespace {

constexpr qint64 StaleAfterSecs = 60;

int removeIn(const QDir& folder, const QDateTime& limit)
{
    int removed = 0;
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (file.isSymLink() || file.lastModified() >= limit)
            continue;
        const bool stale = isWholeFileTemporary(file.fileName()) ||
                           (isDisplayCopyName(file.fileName()) && !displayCopyIsCurrent(file));
        if (stale && QFile::remove(file.filePath()))
            ++removed;
    }
    return removed;
}

// Whether nothing in the folder (itself included) was changed since limit.
bool untouchedSince(const QFileInfo& folder, const QDateTime& limit)
{
    if (folder.lastModified() >= limit)
        return false;
    QDirIterator it(folder.filePath(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().lastModified() >= limit)
            return false;
    }
    return true;
}

int removeStagingFolders(const QDir& program, const QDateTime& limit)
{
    if (QFileInfo::exists(program.filePath(QLatin1String(Backup::RestoreJournalName))))
        return 0;
    int removed = 0;
    for (const QFileInfo& folder : program.entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (folder.isSymLink() || !Backup::isStagingFolderName(folder.fileName()) ||
            !untouchedSince(folder, limit))
            continue;
        if (QDir(folder.filePath()).removeRecursively())
            ++removed;
    }
    return removed;
}

} // namespace

int removeStaleTemporaryFiles(const QString& programFolder, const QDateTime& now)
{
    const QDateTime limit = now.addSecs(-StaleAfterSecs);
    const QDir program(QDir::fromNativeSeparators(programFolder));
    return removeIn(program, limit) + removeIn(QDir(program.filePath(QStringLiteral("Autoparco"))), limit) +
           removeIn(QDir(attachmentsFolder(programFolder)), limit) + removeStagingFolders(program, limit);
}

} // namespace rf
