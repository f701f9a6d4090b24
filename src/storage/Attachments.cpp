#include "Attachments.h"

#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace rf {
namespace {

// Streams source into target through a temporary file in the target's folder, which replaces
// the target only once the whole copy has been written.
AttachResult copyReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return AttachResult::Failed;
    WholeFileWriter out(target);
    if (!out.open())
        return out.problem() == WriteProblem::Link ? AttachResult::Link : AttachResult::Failed;
    QByteArray buffer(256 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0)
            return AttachResult::Failed;
        if (got == 0)
            break;
        if (!out.write(buffer.constData(), got))
            return AttachResult::Failed;
    }
    if (out.commit())
        return AttachResult::Copied;
    return out.problem() == WriteProblem::Link ? AttachResult::Link : AttachResult::Failed;
}

} // namespace

const std::vector<FieldDef>& attachmentFields()
{
    static const std::vector<FieldDef> fields{{"File01", 250}, {"File02", 250}, {"File03", 250},
                                              {"Desc01", 250}, {"Desc02", 250}, {"Desc03", 250}};
    return fields;
}

QString attachmentsFolder(const QString& programFolder)
{
    return QDir(QDir::fromNativeSeparators(programFolder)).filePath(QLatin1String(AttachmentsFolderName));
}

bool isPlainAttachmentName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 32 || c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return false;
    }
    return true;
}

QString attachedFilePath(const QString& programFolder, const QString& name)
{
    if (!isPlainAttachmentName(name))
        return {};
    return QDir::toNativeSeparators(QDir(attachmentsFolder(programFolder)).filePath(name));
}

AttachResult attachFile(const QString& programFolder, const QString& sourcePath,
                        const std::function<bool()>& confirmOverwrite)
{
    const QFileInfo source(QDir::fromNativeSeparators(sourcePath));
    const QString name = source.fileName();
    if (!isPlainAttachmentName(name))
        return AttachResult::Failed;

    const QString folder = attachmentsFolder(programFolder);
    if (!QDir().mkpath(folder))
        return AttachResult::Failed;

    const QString target = QDir(folder).filePath(name);
    const QFileInfo stored(target);
    if (isLink(target))
        return AttachResult::Link; // never written through, never asked about
    if (stored.exists()) {
        // Picking the stored copy itself: copying it onto itself could only harm it.
        if (source.exists() && source == stored)
            return AttachResult::SameFile;
        if (!confirmOverwrite || !confirmOverwrite())
            return AttachResult::Cancelled;
    }
    return copyReplacing(source.filePath(), target);
}

} // namespace rf
