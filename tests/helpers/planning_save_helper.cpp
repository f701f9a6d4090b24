// planning_save_helper <planning file> <parity> <rounds> <tag>: round after round, loads the
// planning file, books one day of its own (slot 2 * round + parity, text "<tag>-<round>") and saves
// it merged under the file's lock, as the grid does when it closes. Prints how many rounds were
// saved; exits 1 at the first round that could not be loaded or saved.
#include "planner/PlanningFile.h"
#include "storage/FileLock.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    const QString path = args[1];
    const int parity = args[2].toInt();
    const int rounds = args[3].toInt();
    const QString tag = args[4];
    // Two of these take turns for milliseconds; a lock held longer than this was abandoned.
    rf::FileLock::setTiming({3000, 20000});
    int saved = 0;
    for (int round = 0; round < rounds; ++round) {
        const int slot = 2 * round + parity;
        if (slot >= rf::Planning::DayCount)
            break;
        const rf::Planning::Loaded loaded = rf::Planning::load(path);
        if (loaded.status != rf::Planning::Loaded::Status::Read &&
            loaded.status != rf::Planning::Loaded::Status::Empty)
            break;
        rf::Planning::Days mine = loaded.days;
        mine[std::size_t(slot)] = tag + QLatin1Char('-') + QString::number(round);
        const rf::Planning::SaveResult result = rf::Planning::saveMerged(
            path, rf::Planning::Vehicle{QStringLiteral("7"), {}, {}, {}}, loaded.days, mine, loaded.status);
        if (!result.written)
            break;
        ++saved;
    }
    std::printf("%d\n", saved);
    std::fflush(stdout);
    return saved == rounds ? 0 : 1;
}
