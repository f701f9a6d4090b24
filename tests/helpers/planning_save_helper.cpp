// planning_save_helper <planning file> <parity> <rounds> <tag> [log]: round after round, loads the
// planning file, books one day of its own (slot 2 * round + parity, text "<tag>-<round>") and saves
// it merged under the file's lock, as the grid does when it closes. Prints how many rounds were
// saved; exits 1 at the first round that could not be loaded or saved.
// With "log", every save is printed as it is reported, "saved <slot> <text>", a refusal as
// "refused <slot> <text> <why>", and a day of its own that a later load no longer finds as
// "lost <slot> <expected> <found>", before the count.
// planning_save_helper <planning file> check <log>...: reads the logs and the file (never creating
// or changing it), prints each day reported saved that is not there and a summary
// "saved=N lost=N refused=N seen-lost=N"; exits 1 when anything reported saved was lost.
#include "planner/PlanningFile.h"
#include "storage/FileLock.h"

#include "storage/Durable.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStringList>

#include <cstdio>

namespace {

void say(const QString& line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString why(const rf::Planning::SaveResult& result)
{
    if (result.lockRefused)
        return QStringLiteral("lock");
    if (result.problem != rf::WriteProblem::None)
        return QStringLiteral("write");
    return QStringLiteral("unreadable");
}

int check(const QString& path, const QStringList& logs)
{
    QMap<int, QString> expected;
    int saved = 0, refused = 0, seenLost = 0;
    for (const QString& name : logs) {
        QFile log(name);
        if (!log.open(QIODevice::ReadOnly | QIODevice::Text)) {
            say(QStringLiteral("cannot read log ") + name);
            return 2;
        }
        while (!log.atEnd()) {
            const QStringList words = QString::fromUtf8(log.readLine()).trimmed().split(QLatin1Char(' '));
            if (words.value(0) == QLatin1String("refused")) {
                ++refused;
                say(QStringLiteral("refused (%1): %2").arg(name, words.mid(1).join(QLatin1Char(' '))));
            } else if (words.value(0) == QLatin1String("lost")) {
                ++seenLost;
                say(QStringLiteral("seen lost meanwhile (%1): %2")
                        .arg(name, words.mid(1).join(QLatin1Char(' '))));
            } else if (words.value(0) == QLatin1String("saved") && words.size() == 3) {
                ++saved;
                expected[words[1].toInt()] = words[2];
            }
        }
    }
    const rf::Planning::Loaded loaded = rf::Planning::peek(path);
    if (loaded.status != rf::Planning::Loaded::Status::Read &&
        loaded.status != rf::Planning::Loaded::Status::Empty) {
        say(QStringLiteral("cannot read ") + path);
        return 2;
    }
    int lost = 0;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QString& found = loaded.days[std::size_t(it.key())];
        if (found != it.value()) {
            ++lost;
            say(QStringLiteral("lost: %1 on day %2, found \"%3\"").arg(it.value()).arg(it.key()).arg(found));
        }
    }
    say(QStringLiteral("saved=%1 lost=%2 refused=%3 seen-lost=%4")
            .arg(saved)
            .arg(lost)
            .arg(refused)
            .arg(seenLost));
    return lost + seenLost > 0 ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    // As a workstation does once it knows its data folder.
    if (args.size() >= 2)
        rf::Durable::shareWithFolderGroup(QFileInfo(args[1]).absolutePath());
    if (args.size() >= 3 && args[2] == QLatin1String("check"))
        return check(args[1], args.mid(3));
    const bool logged = args.size() == 6 && args[5] == QLatin1String("log");
    if (args.size() != 5 && !logged)
        return 2;
    const QString path = args[1];
    const int parity = args[2].toInt();
    const int rounds = args[3].toInt();
    const QString tag = args[4];
    // Two of these take turns for milliseconds; a lock held longer than this was abandoned.
    rf::FileLock::setTiming({3000, 20000});
    int saved = 0;
    QMap<int, QString> mySaves;
    for (int round = 0; round < rounds; ++round) {
        const int slot = 2 * round + parity;
        if (slot >= rf::Planning::DayCount)
            break;
        const QString text = tag + QLatin1Char('-') + QString::number(round);
        const rf::Planning::Loaded loaded = rf::Planning::load(path);
        if (loaded.status != rf::Planning::Loaded::Status::Read &&
            loaded.status != rf::Planning::Loaded::Status::Empty) {
            if (logged)
                say(QStringLiteral("refused %1 %2 load-%3-%4")
                        .arg(slot)
                        .arg(text)
                        .arg(loaded.status == rf::Planning::Loaded::Status::Unreadable
                                 ? QStringLiteral("unreadable")
                                 : QStringLiteral("readonly"))
                        .arg(int(loaded.why)));
            break;
        }
        if (logged) {
            for (auto it = mySaves.cbegin(); it != mySaves.cend(); ++it) {
                const QString& found = loaded.days[std::size_t(it.key())];
                if (found != it.value())
                    say(QStringLiteral("lost %1 %2 %3")
                            .arg(it.key())
                            .arg(it.value(), found.isEmpty() ? QStringLiteral("-") : found));
            }
        }
        rf::Planning::Days mine = loaded.days;
        mine[std::size_t(slot)] = text;
        const rf::Planning::SaveResult result = rf::Planning::saveMerged(
            path, rf::Planning::Vehicle{QStringLiteral("7"), {}, {}, {}}, loaded.days, mine, loaded.status);
        if (!result.written) {
            if (logged)
                say(QStringLiteral("refused %1 %2 %3").arg(slot).arg(text, why(result)));
            break;
        }
        mySaves[slot] = text;
        if (logged)
            say(QStringLiteral("saved %1 %2").arg(slot).arg(text));
        ++saved;
    }
    std::printf("%d\n", saved);
    std::fflush(stdout);
    return saved == rounds ? 0 : 1;
}
