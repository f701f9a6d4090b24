// record_edit_helper plays another workstation editing a contract in place.
// record_edit_helper <archive> set <position> <field> <value>: sets one field of the record, as a
// card saved elsewhere would; exits 1 when it could not be written.
// record_edit_helper <archive> count <position> <field> <n>: n times, reads the field as a number
// and writes it back one higher, each time in one read-modify-write; prints how many landed.
// record_edit_helper <file> hold <stale ms>: takes the file's lock, prints "held" and keeps it
// until its standard input closes.
#include "contracts/SchedaContratto.h"
#include "storage/ArchiveFile.h"
#include "storage/FileLock.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

bool setField(const QString& path, qint64 position, int field,
              const std::function<QString(const QString&)>& value)
{
    const rf::RecordLayout& layout = rf::TSchedaContratto();
    rf::ArchiveFile archive(path, layout.size());
    if (!archive.OpenArchive())
        return false;
    const rf::ArchiveFile::Update done = archive.update(position, [&](QByteArray& record) {
        QStringList texts = layout.decode(record);
        texts[field] = value(texts[field]);
        record = layout.encode(texts);
        return true;
    });
    return done == rf::ArchiveFile::Update::Written || done == rf::ArchiveFile::Update::Unchanged;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[2] == QLatin1String("hold")) {
        rf::FileLock::setTiming({args[3].toInt(), 20000});
        rf::FileLock lock(args[1]);
        if (!lock.lock())
            return 1;
        std::printf("held\n");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    if (args.size() != 6)
        return 2;
    rf::FileLock::setTiming({3000, 20000});
    const QString path = args[1];
    const qint64 position = args[3].toLongLong();
    const int field = rf::TSchedaContratto().indexOf(args[4]);
    if (field < 0)
        return 2;
    if (args[2] == QLatin1String("set"))
        return setField(path, position, field, [&](const QString&) { return args[5]; }) ? 0 : 1;
    if (args[2] != QLatin1String("count"))
        return 2;
    const int rounds = args[5].toInt();
    int landed = 0;
    for (int i = 0; i < rounds; ++i) {
        if (setField(path, position, field,
                     [](const QString& text) { return QString::number(text.toInt() + 1); }))
            ++landed;
    }
    std::printf("%d\n", landed);
    std::fflush(stdout);
    return landed == rounds ? 0 : 1;
}
