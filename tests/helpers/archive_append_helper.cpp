// archive_append_helper <archive> <record size> <count> <tag>: appends count records, each holding
// the tag and its number, opening and closing the archive for every record as a window would.
#include "storage/ArchiveFile.h"
#include "storage/CountedString.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    const int recordSize = args[2].toInt();
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        rf::ArchiveFile archive(args[1], recordSize);
        QByteArray record = rf::PutCounted(args[4] + QLatin1Char('-') + QString::number(i), recordSize - 1);
        if (!archive.OpenArchive() || archive.AppendRecord(record) < 0)
            return 1;
    }
    return 0;
}
