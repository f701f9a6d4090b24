// archive_append_helper <archive> <record size> <count> <tag>: appends count records, each holding
// the tag and its number, opening and closing the archive for every record as a window would.
// archive_append_helper <archive> <record size> rewrite: rewrites record 2 over and over, all of
// its bytes "A" then all "B", printing a dot after each, until it is killed.
// archive_append_helper <archive> <record size> append: appends records all of one letter over and
// over, printing a dot after each, until it is killed.
//
// The logged modes, for two workstations sharing one folder: every save is printed as it is
// reported, one line each, so a checker can tell afterwards whether anything reported saved was lost.
// archive_append_helper <archive> <record size> log-append <count> <tag>: appends count records
// "<tag>-<n>", printing "saved <position> <text>" for each, or "refused append <text>" and exit 1.
// archive_append_helper <archive> <record size> log-mixed <rounds> <tag>: appends its own card
// "<tag>-card", then round after round reads the card back (printing "lost <position> <expected>
// <found>" when it no longer holds what was saved last), rewrites it as "<tag>-card-<round>"
// (read-modify-write, as a card window saves) and appends "<tag>-<round>"; every save is printed as
// "saved <position> <text>", a refusal as "refused append|rewrite <text>" and exit 1.
// archive_append_helper <archive> <record size> check <log>...: reads the logs of the writers and
// the archive, prints each saved record that is not (or no longer) in its place, and a summary
// "saved=N lost=N refused=N conflicts=N"; exits 1 when anything reported saved was lost.
#include "storage/ArchiveFile.h"
#include "storage/CountedString.h"

#include "storage/Durable.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QStringList>

#include <cstdio>
#include <vector>

namespace {

void say(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Appends one record as a window does (open, append, close); the position, or -1.
qint64 appendText(const QString& path, int recordSize, const QString& text)
{
    rf::ArchiveFile archive(path, recordSize);
    if (!archive.OpenArchive())
        return -1;
    return archive.AppendRecord(rf::PutCounted(text, recordSize - 1));
}

// Appends one record and prints what it was told: "saved <position> <text>" or "refused append
// <text>". The position, or -1.
qint64 appendLogged(const QString& path, int recordSize, const QString& text)
{
    const qint64 position = appendText(path, recordSize, text);
    say(position < 0 ? QStringLiteral("refused append ") + text
                     : QStringLiteral("saved %1 %2").arg(position).arg(text));
    return position;
}

int logAppend(const QString& path, int recordSize, int count, const QString& tag)
{
    for (int i = 0; i < count; ++i) {
        if (appendLogged(path, recordSize, tag + QLatin1Char('-') + QString::number(i)) < 0)
            return 1;
    }
    return 0;
}

int logMixed(const QString& path, int recordSize, int rounds, const QString& tag)
{
    QString cardText = tag + QStringLiteral("-card");
    const qint64 card = appendLogged(path, recordSize, cardText);
    if (card < 0)
        return 1;
    for (int round = 0; round < rounds; ++round) {
        {
            rf::ArchiveFile archive(path, recordSize);
            QByteArray record;
            const bool read = archive.OpenArchive() && archive.ReadRecord(card, record);
            const QString found = read ? rf::GetCounted(record.constData(), recordSize - 1) : QString();
            if (found != cardText)
                say(QStringLiteral("lost %1 %2 %3")
                        .arg(card)
                        .arg(cardText, found.isEmpty() ? QStringLiteral("-") : found));
            const QString text = tag + QStringLiteral("-card-") + QString::number(round);
            if (!read || !archive.WriteRecord(card, rf::PutCounted(text, recordSize - 1))) {
                say(QStringLiteral("refused rewrite ") + text);
                return 1;
            }
            cardText = text;
            say(QStringLiteral("saved %1 %2").arg(card).arg(text));
        }
        if (appendLogged(path, recordSize, tag + QLatin1Char('-') + QString::number(round)) < 0)
            return 1;
    }
    return 0;
}

int check(const QString& path, int recordSize, const QStringList& logs)
{
    // Per writer, the last text it reported saved at each position. A position claimed by two
    // writers means one wrote over the other's record: at most one of them can still be there.
    std::vector<QMap<qint64, QString>> expected(std::size_t(logs.size()));
    int saved = 0, refused = 0, seenLost = 0, conflicts = 0;
    for (int i = 0; i < logs.size(); ++i) {
        QFile log(logs[i]);
        if (!log.open(QIODevice::ReadOnly | QIODevice::Text)) {
            say(QStringLiteral("cannot read log ") + logs[i]);
            return 2;
        }
        while (!log.atEnd()) {
            const QStringList words = QString::fromUtf8(log.readLine()).trimmed().split(QLatin1Char(' '));
            if (words.value(0) == QLatin1String("refused")) {
                ++refused;
                say(QStringLiteral("refused (%1): %2").arg(logs[i], words.mid(1).join(QLatin1Char(' '))));
            } else if (words.value(0) == QLatin1String("lost")) {
                ++seenLost;
                say(QStringLiteral("seen lost meanwhile (%1): %2")
                        .arg(logs[i], words.mid(1).join(QLatin1Char(' '))));
            } else if (words.value(0) == QLatin1String("saved") && words.size() == 3) {
                ++saved;
                expected[std::size_t(i)][words[1].toLongLong()] = words[2];
            }
        }
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        for (std::size_t j = i + 1; j < expected.size(); ++j) {
            for (auto it = expected[i].cbegin(); it != expected[i].cend(); ++it) {
                if (expected[j].contains(it.key())) {
                    ++conflicts;
                    say(QStringLiteral("position %1 reported saved by two writers: %2 and %3")
                            .arg(it.key())
                            .arg(it.value(), expected[j][it.key()]));
                }
            }
        }
    }
    rf::ArchiveFile archive(path, recordSize);
    if (!archive.OpenArchive()) {
        say(QStringLiteral("cannot open ") + path);
        return 2;
    }
    QHash<qint64, QString> onDisk;
    archive.ScanRecords([&](qint64 position, const char* data) {
        onDisk.insert(position, rf::GetCounted(data, recordSize - 1));
        return true;
    });
    int lost = 0;
    for (const QMap<qint64, QString>& writer : expected) {
        for (auto it = writer.cbegin(); it != writer.cend(); ++it) {
            if (onDisk.value(it.key()) != it.value()) {
                ++lost;
                say(QStringLiteral("lost: %1 at %2, found \"%3\"")
                        .arg(it.value())
                        .arg(it.key())
                        .arg(onDisk.value(it.key())));
            }
        }
    }
    say(QStringLiteral("saved=%1 lost=%2 refused=%3 conflicts=%4 seen-lost=%5 records=%6")
            .arg(saved)
            .arg(lost)
            .arg(refused)
            .arg(conflicts)
            .arg(seenLost)
            .arg(onDisk.size()));
    return lost + conflicts + seenLost > 0 ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    // As a workstation does once it knows its data folder.
    if (args.size() >= 2)
        rf::Durable::shareWithFolderGroup(QFileInfo(args[1]).absolutePath());
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
    if (args[3] == QLatin1String("check"))
        return check(args[1], recordSize, args.mid(4));
    if (args.size() != 6 && (args[3] == QLatin1String("log-append") || args[3] == QLatin1String("log-mixed")))
        return 2;
    if (args[3] == QLatin1String("log-append"))
        return logAppend(args[1], recordSize, args[4].toInt(), args[5]);
    if (args[3] == QLatin1String("log-mixed"))
        return logMixed(args[1], recordSize, args[4].toInt(), args[5]);
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
