#include "DisplayCopy.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace rf {

namespace {

const QRegularExpression& copyName()
{
    static const QRegularExpression name(QStringLiteral("^(.+)\\.[0-9]+-[0-9]+\\.vista\\.jpg$"));
    return name;
}

} // namespace

QString displayCopyPath(const QFileInfo& picture)
{
    if (!picture.isFile())
        return {};
    return picture.absoluteFilePath() + QStringLiteral(".%1-%2.vista.jpg")
                                            .arg(picture.size())
                                            .arg(picture.lastModified().toMSecsSinceEpoch());
}

bool isDisplayCopyName(const QString& fileName, QString* pictureName)
{
    const QRegularExpressionMatch match = copyName().match(fileName);
    if (match.hasMatch() && pictureName)
        *pictureName = match.captured(1);
    return match.hasMatch();
}

bool displayCopyIsCurrent(const QFileInfo& copy)
{
    QString pictureName;
    if (!isDisplayCopyName(copy.fileName(), &pictureName))
        return false;
    return QFileInfo(displayCopyPath(QFileInfo(copy.dir().filePath(pictureName)))).fileName() ==
           copy.fileName();
}

} // namespace rf
