#include "DataFolder.h"

#include "app/PasswordStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace rf::DataFolder {

QString fromArguments(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--cartella") && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (argument.startsWith(QLatin1String("--cartella=")))
            return argument.mid(int(qstrlen("--cartella=")));
    }
    return {};
}

bool isWritable(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("rotaflux-prova-XXXXXX.tmp")));
    return probe.open();
}

QString suggested()
{
    return QDir::home().filePath(QStringLiteral("Rotaflux"));
}

bool holdsOurData(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return false;
    if (QFileInfo::exists(dir.filePath(QString::fromLatin1(PasswordStore::FileName))))
        return true;
    return !dir.entryList({QStringLiteral("*.pro"), QStringLiteral("*.pln"), QStringLiteral("Rotaflux.ini")},
                          QDir::Files | QDir::Hidden)
                .isEmpty();
}

Choice choose(const QStringList& arguments, const QString& programFolder, const QString& remembered,
              bool programFolderAllowed)
{
    const QString named = fromArguments(arguments);
    if (!named.isEmpty()) {
        const QString folder = QDir(named).absolutePath();
        return {QFileInfo(folder).isDir() ? Choice::Source::Argument : Choice::Source::Unreachable, folder};
    }
    if (programFolderAllowed && isWritable(programFolder))
        return {Choice::Source::ProgramFolder, programFolder};
    if (!remembered.isEmpty())
        return {holdsOurData(remembered) ? Choice::Source::Remembered : Choice::Source::Unreachable,
                remembered};
    return {};
}

bool prepare(const QString& folder, const QString& templateFolder, Create create)
{
    if (!QFileInfo(folder).isDir() && (create == Create::Never || !QDir().mkpath(folder)))
        return false;
    if (!isWritable(folder))
        return false;
    const QString password = QDir(folder).filePath(QString::fromLatin1(PasswordStore::FileName));
    const QString first = QDir(templateFolder).filePath(QString::fromLatin1(PasswordStore::FileName));
    if (!QFileInfo::exists(password) && QFileInfo::exists(first) && QFile::copy(first, password))
        QFile(password).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                       QFile::WriteGroup);
    return true;
}

} // namespace rf::DataFolder
