#include "TMisc.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace rf {

QString TMisc::resolveTarget(const QString& sCommand)
{
    QString target = sCommand.trimmed();
    if (target.size() >= 2 && target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')))
        target = target.mid(1, target.size() - 2);
    return target;
}

void TMisc::Open(const QString& sCommand)
{
    const QString target = resolveTarget(sCommand);
    if (target.isEmpty())
        return;
    QUrl url;
    const bool looksLikeAddress = target.contains(QLatin1String("://")) ||
                                  target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive) ||
                                  target.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
    if (looksLikeAddress && !QFileInfo::exists(target))
        url = QUrl::fromUserInput(target);
    else
        url = QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url);
}

} // namespace rf
