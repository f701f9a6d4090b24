#include "StaleFiles.h"

#include "storage/Attachments.h"
#include "storage/DisplayCopy.h"
#include "storage/WholeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace rf {

namespace {

constexpr qint64 StaleAfterSecs = 60;

int removeIn(const QDir& folder)
{
    const QDateTime limit = QDateTime::currentDateTime().addSecs(-StaleAfterSecs);
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

} // namespace

int removeStaleTemporaryFiles(const QString& programFolder)
{
    const QDir program(QDir::fromNativeSeparators(programFolder));
    return removeIn(program) + removeIn(QDir(program.filePath(QStringLiteral("Autoparco")))) +
           removeIn(QDir(attachmentsFolder(programFolder)));
}

} // namespace rf
