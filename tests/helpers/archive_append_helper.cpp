// archive_append_helper <archive> <record size> <count> <tag>: appends count records, each holding
// the tag and its number, opening and closing the archive for every record as a window would.
// archive_append_helper <archive> <record size> rewrite: rewrites record 2 over and over, all of
// its bytes "A" then all "B", printing a dot after each, until it is killed.
// archive_append_helper <archive> <record size> append: appends records all of one letter over and
// over, printing a dot after each, until it is killed.
#include "storage/ArchiveFile.h"
#include "storage/CountedString.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    const int recordSize = args[2].toInt();
    if (args[3] == QLatin1String("rewrite") || args[3] == QLatin1String("append")) {
        const bool rewrite = args[3] == QLatin1String("rewrite");
        for (int i = 0;; ++i) {
            rf::ArchiveFile archive(args[1], recordSize);
            const QByteArray record(recordSize, char('A' + i % 2));
            if (!archive.OpenArchive())
                return 1;
            if (rewrite ? !archive.WriteRecord(2, record) : archive.AppendRecord(record) < 0)
                return 1;
            std::fputc('.', stdout);
            std::fflush(stdout);
        }
    }
    if (args.size() != 5)
        return 2;
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        rf::ArchiveFile archive(args[1], recordSize);
        QByteArray record = rf::PutCounted(args[4] + QLatin1Char('-') + QString::number(i), recordSize - 1);
        if (!archive.OpenArchive() || archive.AppendRecord(record) < 0)
            return 1;
    }
    return 0;
}
