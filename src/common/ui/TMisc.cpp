#include "TMisc.h"

#include "storage/MessageBreaks.h"

#include <QDesktopServices>
#include <QDir>
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

namespace {
bool isAddress(const QString& target)
{
    const bool looksLikeAddress = target.contains(QLatin1String("://")) ||
                                  target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive) ||
                                  target.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
    return looksLikeAddress && !QFileInfo::exists(target);
}
} // namespace

bool TMisc::Open(const QString& sCommand)
{
    const QString target = resolveTarget(sCommand);
    if (target.isEmpty())
        return true;
    return QDesktopServices::openUrl(isAddress(target) ? QUrl::fromUserInput(target)
                                                       : QUrl::fromLocalFile(target));
}

QString TMisc::openFailure(const QString& sCommand)
{
    const QString target = resolveTarget(sCommand);
    QString text = QStringLiteral("Attenzione: il sistema non ha aperto ") +
                   QDir::toNativeSeparators(target) + QStringLiteral("." RF_BREAK_LF_CR);
    if (isAddress(target)) {
        text +=
            target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)
                ? QStringLiteral("Per scrivere una e-mail servono il pacchetto xdg-utils e un programma di "
                                 "posta elettronica.")
                : QStringLiteral("Per aprire un indirizzo web servono il pacchetto xdg-utils e un browser.");
    } else {
        text +=
            QStringLiteral("Per aprire i documenti servono il pacchetto xdg-utils e un programma adatto "
                           "(per i PDF, per esempio, un lettore di PDF). Il file si trova nella cartella ") +
            QDir::toNativeSeparators(QFileInfo(target).absolutePath()) + QLatin1Char('.');
    }
    return text;
}

} // namespace rf
