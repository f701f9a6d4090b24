#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

// Two users of one shop, in one group, sharing a data folder made group-writable and setgid
// (chmod 2775), each with the usual umask 022: each must read and write what the other saved,
// and take over a lock the other left when its program crashed. Run as root, the test plays the
// two users with setpriv; anyone else cannot, and the test says so.
class SharedFolderTest : public QObject {
    Q_OBJECT

    static constexpr int Group = 40000;
    static constexpr int Anna = 40001;
    static constexpr int Bruno = 40002;

    // Runs a helper as user, in the shop's group, with umask 022; its exit code.
    static int runAs(int user, const QString& program, const QStringList& arguments, qint64* pid = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=%1").arg(user),
                                  QStringLiteral("--regid=%1").arg(Group), QStringLiteral("--clear-groups"),
                                  QStringLiteral("sh"), QStringLiteral("-c"),
                                  QStringLiteral("umask 022; exec \"$0\" \"$@\""), program} +
                          arguments);
        if (!process.waitForStarted(10000))
            return -1;
        if (pid)
            *pid = process.processId();
        if (!process.waitForFinished(60000))
            return -2;
        if (process.exitStatus() != QProcess::NormalExit)
            return -3;
        return process.exitCode();
    }

private slots:
    void usersOfOneGroupWorkOnEachOthersFiles()
    {
#ifndef Q_OS_UNIX
        QSKIP("POSIX users and groups only");
#else
        if (::geteuid() != 0)
            QSKIP("needs root to play two users of one group (run ./test.sh as root, as CI does)");
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("setpriv (util-linux) is not installed");
        QTemporaryDir base;
        QVERIFY(::chmod(QFile::encodeName(base.path()).constData(), 0755) == 0);
        const QString data = base.filePath(QStringLiteral("rotaflux"));
        QVERIFY(QDir().mkdir(data));
        QVERIFY(::chown(QFile::encodeName(data).constData(), 0, Group) == 0);
        QVERIFY(::chmod(QFile::encodeName(data).constData(), 02775) == 0);
        const QString archive = QDir(data).filePath(QStringLiteral("Contratti_Noleggio_Bici.pro"));
        const QString planning =
            QDir(data).filePath(QStringLiteral("Prenotazioni bicicletta 7 anno 2026.pln"));
        const QString append = QStringLiteral(ARCHIVE_APPEND_HELPER);
        const QString book = QStringLiteral(PLANNING_SAVE_HELPER);

        // Anna makes the archive and the planning file; Bruno appends, rewrites and books in them.
        QCOMPARE(
            runAs(Anna, append, {archive, QStringLiteral("4253"), QStringLiteral("2"), QStringLiteral("A")}),
            0);
        QCOMPARE(
            runAs(Bruno, append, {archive, QStringLiteral("4253"), QStringLiteral("2"), QStringLiteral("B")}),
            0);
        QCOMPARE(runAs(Bruno, append,
                       {archive, QStringLiteral("4253"), QStringLiteral("log-mixed"), QStringLiteral("1"),
                        QStringLiteral("B")}),
                 0);
        QCOMPARE(runAs(Anna, book, {planning, QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("A")}),
                 0);
        QCOMPARE(
            runAs(Bruno, book, {planning, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("B")}), 0);
        QCOMPARE(QFileInfo(archive).size(), qint64(4253 * 6));

        // Anna's program crashed holding the archive's lock: a lock file that is hers, mode 0644,
        // naming a process of this machine that has ended. Bruno's save takes it over.
        qint64 ended = 0;
        QCOMPARE(runAs(Anna, QStringLiteral("true"), {}, &ended), 0);
        QFile lock(archive + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(ended) + "\nRotaflux\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QVERIFY(::chown(QFile::encodeName(lock.fileName()).constData(), Anna, Group) == 0);
        QVERIFY(::chmod(QFile::encodeName(lock.fileName()).constData(), 0644) == 0);
        QCOMPARE(
            runAs(Bruno, append, {archive, QStringLiteral("4253"), QStringLiteral("1"), QStringLiteral("C")}),
            0);
        QVERIFY(!lock.exists());

        // Everything the two made is the group's to read and write.
        QDirIterator all(data, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
        while (all.hasNext()) {
            const QString path = all.next();
            struct stat info;
            QVERIFY(::stat(QFile::encodeName(path).constData(), &info) == 0);
            QVERIFY2((info.st_mode & 0060) == 0060, qPrintable(path));
            QCOMPARE(int(info.st_gid), Group);
        }
#endif
    }
};

RF_REGISTER_TEST(SharedFolderTest)
#include "SharedFolderTest.moc"
