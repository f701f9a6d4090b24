#include "planner/PlanningFile.h"
#include "storage/Durable.h"
#include "storage/FileLock.h"
#include "support/Crash.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace rf;
using namespace rf::Test;

Q_DECLARE_METATYPE(rf::Planning::SaveResult::Meanwhile)

namespace {

const Planning::Vehicle Vehicle{QStringLiteral("7"), QStringLiteral("Atala City"), QStringLiteral("Rosso"),
                                QStringLiteral("M")};

Planning::Days daysWith(std::initializer_list<std::pair<int, const char*>> booked)
{
    Planning::Days days;
    for (const auto& [slot, text] : booked)
        days[std::size_t(slot)] = QString::fromUtf8(text);
    return days;
}

// A planning file name so long that the folder takes NAME.lock and NAME.journal beside it but no
// temporary file of a whole-file write (whose name is 20 characters longer): the save must then
// rewrite the record in place.
QString tooLongForATemporary(const QTemporaryDir& dir)
{
    return dir.filePath(QStringLiteral("p").repeated(236) + QStringLiteral(".pln"));
}

} // namespace

class PlanningSaveTest : public QObject {
    Q_OBJECT
private slots:
    void changesUnderTheGridAreMergedOrOverruled_data()
    {
        using Meanwhile = Planning::SaveResult::Meanwhile;
        QTest::addColumn<QString>("change");
        QTest::addColumn<Meanwhile>("meanwhile");
        QTest::addColumn<QStringList>("stored"); // slot=text
        // Another workstation's edit is merged in; a file removed or damaged is not such an edit,
        // and this side's days are written as they are.
        QTest::newRow("booked elsewhere")
            << "other" << Meanwhile::Unchanged << QStringList{"0=Rossi", "1=Qui", "9=Blu"};
        QTest::newRow("removed") << "remove" << Meanwhile::Removed
                                 << QStringList{"0=Rossi", "1=Qui", "2=Verdi"};
        QTest::newRow("cut to 100 bytes")
            << "cut" << Meanwhile::Damaged << QStringList{"0=Rossi", "1=Qui", "2=Verdi"};
        QTest::newRow("emptied") << "empty" << Meanwhile::Damaged
                                 << QStringList{"0=Rossi", "1=Qui", "2=Verdi"};
    }

    void changesUnderTheGridAreMergedOrOverruled()
    {
        QFETCH(QString, change);
        QFETCH(Planning::SaveResult::Meanwhile, meanwhile);
        QFETCH(QStringList, stored);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.pln"));
        QVERIFY(Planning::save(path, Vehicle, daysWith({{0, "Rossi"}, {2, "Verdi"}})));
        const Planning::Loaded loaded = Planning::load(path);
        QCOMPARE(loaded.status, Planning::Loaded::Status::Read);
        Planning::Days mine = loaded.days;
        mine[1] = QStringLiteral("Qui");
        if (change == QLatin1String("other"))
            QVERIFY(Planning::save(path, Vehicle, daysWith({{0, "Rossi"}, {9, "Blu"}})));
        else if (change == QLatin1String("remove"))
            QVERIFY(QFile::remove(path));
        else
            QVERIFY(QFile::resize(path, change == QLatin1String("cut") ? 100 : 0));
        const Planning::SaveResult result =
            Planning::saveMerged(path, Vehicle, loaded.days, mine, loaded.status);
        QVERIFY(result.written);
        QCOMPARE(result.meanwhile, meanwhile);
        QVERIFY(result.conflicts.empty());
        Planning::Days expected;
        for (const QString& entry : stored)
            expected[std::size_t(entry.section(QLatin1Char('='), 0, 0).toInt())] =
                entry.section(QLatin1Char('='), 1);
        QCOMPARE(Planning::load(path).days, expected);
        QCOMPARE(result.stored, expected);
        QCOMPARE(QFileInfo(path).size(), qint64(Planning::RecordSize));
    }

    void conflictsNameTheTextKeptAndTheTextReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.pln"));
        QVERIFY(Planning::save(path, Vehicle, daysWith({{0, "Rossi"}})));
        const Planning::Loaded loaded = Planning::load(path);
        QVERIFY(Planning::save(path, Vehicle, daysWith({{0, "Gialli 333"}, {4, "Blu"}, {5, "Neri"}})));
        const Planning::SaveResult result =
            Planning::saveMerged(path, Vehicle, loaded.days,
                                 daysWith({{0, " Verdi "}, {4, "Blu"}, {5, "Bianchi"}}), loaded.status);
        QVERIFY(result.written);
        QCOMPARE(int(result.conflicts.size()), 2);
        QCOMPARE(result.conflicts[0].slot, 0);
        QCOMPARE(result.conflicts[0].kept, QStringLiteral("Verdi"));
        QCOMPARE(result.conflicts[0].replaced, QStringLiteral("Gialli 333"));
        QCOMPARE(result.conflicts[1].slot, 5);
        QCOMPARE(result.conflicts[1].replaced, QStringLiteral("Neri"));
    }

    void unreadableFilesAreNeverReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("short") << "short";
        QTest::newRow("folder") << "folder";
    }

    void unreadableFilesAreNeverReplaced()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.pln"));
        QByteArray bytes;
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("p.pln")));
        } else {
            QVERIFY(Planning::save(path, Vehicle, daysWith({{0, "Rossi"}})));
            QVERIFY(QFile::resize(path, 18000));
            bytes = readFile(path);
        }
        const Planning::Loaded loaded = Planning::load(path);
        QCOMPARE(loaded.status, Planning::Loaded::Status::Unreadable);
        QCOMPARE(Planning::peek(path).status, Planning::Loaded::Status::Unreadable);
        QVERIFY(
            !Planning::saveMerged(path, Vehicle, loaded.days, daysWith({{3, "Qui"}}), loaded.status).written);
        QVERIFY(!Planning::save(path, Vehicle, daysWith({{3, "Qui"}})));
        if (kind == QLatin1String("folder"))
            QVERIFY(QFileInfo(path).isDir());
        else
            QCOMPARE(readFile(path), bytes);
    }

    void readOnlyFilesAreReadAndNothingIsCreated()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.pln"));
        QVERIFY(Planning::save(path, Vehicle, daysWith({{0, "Rossi"}})));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
        const QString missing = dir.filePath(QStringLiteral("q.pln"));
        Planning::Loaded loaded, none;
        {
            AsPlainUser plain;
            loaded = Planning::load(path);
        }
        // A folder that takes no file: the planning cannot even be created, and nothing is.
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555)));
        {
            AsPlainUser plain;
            none = Planning::load(missing);
        }
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
        QCOMPARE(loaded.status, Planning::Loaded::Status::ReadOnly);
        QCOMPARE(loaded.why, WriteProblem::ReadOnly);
        QCOMPARE(loaded.days[0], QStringLiteral("Rossi"));
        QCOMPARE(none.status, Planning::Loaded::Status::ReadOnly);
        QCOMPARE(none.why, WriteProblem::NoTemporary);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.pln")});
    }

    void aFolderRefusingTheTemporaryFileGetsTheRecordInPlace_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty file") << 0;
        QTest::newRow("a record and more") << Planning::RecordSize + 4;
    }

    void aFolderRefusingTheTemporaryFileGetsTheRecordInPlace()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = tooLongForATemporary(dir);
        QVERIFY(writeFile(path, size > 0 ? QByteArray(size - 4, '\0') + "coda" : QByteArray()));
        WriteProblem why = WriteProblem::None;
        QVERIFY(!writeWholeFile(path, QByteArray(10, 'x'), &why));
        QCOMPARE(why, WriteProblem::NoTemporary); // the case this fixture stands for
        const Planning::Loaded loaded = Planning::load(path);
        const Planning::SaveResult result =
            Planning::saveMerged(path, Vehicle, loaded.days, daysWith({{0, "Rossi"}}), loaded.status);
        QVERIFY(result.written);
        QCOMPARE(Planning::load(path).days[0], QStringLiteral("Rossi"));
        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes.size(), std::max(size, Planning::RecordSize));
        if (size > Planning::RecordSize)
            QVERIFY(bytes.endsWith("coda"));
        QVERIFY(!QFile::exists(path + QStringLiteral(".journal")));
    }

    void aCrashDuringASaveLeavesTheOldOrTheNewBookings_data()
    {
        QTest::addColumn<QString>("point");
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<bool>("newKept");
        QTest::newRow("temporary written") << "whole:temporary" << false << false;
        QTest::newRow("file replaced") << "whole:replaced" << false << true;
        QTest::newRow("journal written") << "rewrite:journal" << true << false;
        QTest::newRow("record written") << "rewrite:write" << true << false;
        QTest::newRow("record synced") << "rewrite:sync" << true << false;
    }

    void aCrashDuringASaveLeavesTheOldOrTheNewBookings()
    {
        QFETCH(QString, point);
        QFETCH(bool, inPlace);
        QFETCH(bool, newKept);
        QTemporaryDir dir;
        const QString path = inPlace ? tooLongForATemporary(dir) : dir.filePath(QStringLiteral("p.pln"));
        QVERIFY(Planning::save(path, Vehicle, daysWith({{0, "Vecchio"}})) || inPlace);
        if (inPlace)
            QVERIFY(writeFile(path, QByteArray(Planning::RecordSize, '\0').replace(234, 8, "\x07Vecchio")));
        const Planning::Loaded loaded = Planning::load(path);
        QCOMPARE(loaded.days[0], QStringLiteral("Vecchio"));
        bool crashed = false;
        try {
            rf::Test::CrashAt crash(point.toLatin1());
            Planning::saveMerged(path, Vehicle, loaded.days, daysWith({{0, "Nuovo"}, {1, "Nuovo"}}),
                                 loaded.status);
        } catch (const rf::Test::Crash&) {
            crashed = true;
        }
        QVERIFY(crashed);
        // Opened again, as the next grid does: an interrupted rewrite is undone first.
        const Planning::Loaded after = Planning::load(path);
        QCOMPARE(after.status, Planning::Loaded::Status::Read);
        QCOMPARE(after.days[0], newKept ? QStringLiteral("Nuovo") : QStringLiteral("Vecchio"));
        QCOMPARE(after.days[1], newKept ? QStringLiteral("Nuovo") : QString());
        QCOMPARE(QFileInfo(path).size(), qint64(Planning::RecordSize));
    }

    void twoProcessesSavingTogetherKeepEveryBooking()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(Planning::fileName(QStringLiteral("7"), QStringLiteral("2024")));
        constexpr int Rounds = 180;
        QProcess a, b;
        a.start(QStringLiteral(PLANNING_SAVE_HELPER),
                {path, QStringLiteral("0"), QString::number(Rounds), QStringLiteral("A")});
        b.start(QStringLiteral(PLANNING_SAVE_HELPER),
                {path, QStringLiteral("1"), QString::number(Rounds), QStringLiteral("B")});
        QVERIFY(a.waitForFinished(120000));
        QVERIFY(b.waitForFinished(120000));
        const int savedA = a.readAllStandardOutput().trimmed().toInt();
        const int savedB = b.readAllStandardOutput().trimmed().toInt();
        // A helper that could not save says so and stops; every round it did save must be there.
        QVERIFY2(a.exitCode() == 0 || savedA < Rounds, "A reported failure without saying where");
        QVERIFY2(b.exitCode() == 0 || savedB < Rounds, "B reported failure without saying where");
        QVERIFY(savedA + savedB > 0);
        const Planning::Days days = Planning::load(path).days;
        for (const auto& [tag, parity, saved] : {std::tuple{"A", 0, savedA}, std::tuple{"B", 1, savedB}}) {
            for (int round = 0; round < saved; ++round)
                QCOMPARE(days[std::size_t(2 * round + parity)],
                         QString::fromLatin1(tag) + QLatin1Char('-') + QString::number(round));
        }
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
    }
};

RF_REGISTER_TEST(PlanningSaveTest)
#include "PlanningSaveTest.moc"
