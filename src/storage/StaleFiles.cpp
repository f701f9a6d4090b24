#include "StaleFiles.h"

#include "storage/Attachments.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <functional>

namespace rf {

namespace {

constexpr qint64 StaleAfterSecs = 60;

int removeIn(const QDir& folder, const std::function<bool(const QString& base)>& ours)
{
    // What a temporary file of a whole-file write is named: the file's name and six letters or digits.
    static const QRegularExpression temporary(QStringLiteral("^(.+)\\.[A-Za-z0-9]{6}$"));
    const QDateTime limit = QDateTime::currentDateTime().addSecs(-StaleAfterSecs);
    int removed = 0;
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch m = temporary.match(file.fileName());
        if (m.hasMatch() && ours(m.captured(1)) && file.lastModified() < limit && QFile::remove(file.filePath()))
            ++removed;
    }
    return removed;
}

} // namespace

int RemoveStaleTemporaryFiles(const QString& programFolder)
{
    static const QRegularExpression programFiles(
        QStringLiteral("^(Rotaflux\\.ini|unins000\\.dll|Logo\\.bmp|.+\\.xls|.+\\.pln|.+\\.pro)$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression photos(QStringLiteral("^Scheda_Veicolo_\\d*\\.jpg$"));
    const QDir program(QDir::fromNativeSeparators(programFolder));
    const QDir attachments(attachmentsFolder(programFolder));
    int removed = removeIn(program, [](const QString& base) { return programFiles.match(base).hasMatch(); });
    removed += removeIn(QDir(program.filePath(QStringLiteral("Autoparco"))),
                        [](const QString& base) { return photos.match(base).hasMatch(); });
    // Attachments may have any name: only a replacement of a file still there is surely ours.
    removed += removeIn(attachments, [&attachments](const QString& base) { return attachments.exists(base); });
    return removed;
}

} // namespace rf
