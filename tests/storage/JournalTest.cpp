#include "storage/ArchiveFile.h"
#include "storage/Attachments.h"
#include "storage/Durable.h"
#include "storage/FileLock.h"
#include "storage/StaleFiles.h"
#include "storage/WholeFile.h"
#include "support/Crash.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using rf::Test::AsPlainUser;
using rf::Test::Crash;
using rf::Test::CrashAt;
using rf::Test::readFile;
using rf::Test::writeFile;

namespace {

constexpr int Size = 64;
const QByteArray Old(Size, 'o');
const QByteArray New(Size, 'n');
const QByteArray Other(Size, 'z');

// An archive of three records "a", old, "c", and the journal of a rewrite of record 2 that a
// crash cut off, with the record on disk as given.
struct CutOffRewrite {
    QTemporaryDir dir;
    QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
    QString journal = archive + QStringLiteral(".journal");

    explicit CutOffRewrite(const QByteArray& onDisk, Durable::JournalEntry entry = {})
    {
        writeFile(archive, QByteArray(Size, 'a') + onDisk + QByteArray(Size, 'c'));
        if (entry.archiveName.isEmpty())
            entry = {QStringLiteral("Contratti.pro"), Size, Size, Old, New};
        Durable::writeJournal(journal, entry);
    }
    QByteArray record(int position) const { return readFile(archive).mid((position - 1) * Size, Size); }
    QStringList asides() const
    {
        return QDir(dir.path()).entryList({QStringLiteral("Contratti.pro.journal.*")}, QDir::Files);
    }
};

QByteArray torn()
{
    return New.left(Size / 2) + Old.mid(Size / 2);
}

} // namespace

class JournalTest : public QObject {
    Q_OBJECT
private slots:
    void init() { FileLock::setTiming({200, 400}); }
    void cleanup()
    {
        FileLock::setTiming({});
        Durable::setCrashHook({});
    }

    // Every place a rewrite, an append or a whole-file write can be cut short leaves the old
    // version or the new one, never a mix, and the next open finds the archive writable.
    void crashPointsLeaveOneVersionOrTheOther_data()
    {
        QTest::addColumn<QByteArray>("point");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("rewrite: journal written") << QByteArray("rewrite:journal") << Old;
        QTest::newRow("rewrite: record written") << QByteArray("rewrite:write") << Old;
        QTest::newRow("rewrite: record synced") << QByteArray("rewrite:sync") << Old;
        QTest::newRow("rewrite: journal removed") << QByteArray("rewrite:removed") << New;
    }
    void crashPointsLeaveOneVersionOrTheOther()
    {
        QFETCH(QByteArray, point);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
        QVERIFY(writeFile(archive, Old + Old));
        {
            CrashAt crash(point);
            ArchiveFile file(archive, Size);
            QVERIFY(file.OpenArchive());
            QVERIFY_THROWS_EXCEPTION(Crash, file.WriteRecord(2, New));
        }
        ArchiveFile file(archive, Size);
        QVERIFY(file.OpenArchive());
        QVERIFY(!file.isReadOnly());
        QVERIFY(file.notice().isEmpty());
        QCOMPARE(readFile(archive), Old + after);
        QVERIFY(!QFile::exists(archive + QStringLiteral(".journal")));
        QVERIFY(file.WriteRecord(2, Other));
        QCOMPARE(readFile(archive), Old + Other);
    }

    void crashedAppendLeavesWholeRecords_data()
    {
        QTest::addColumn<QByteArray>("point");
        QTest::newRow("record written") << QByteArray("append:write");
        QTest::newRow("record synced") << QByteArray("append:sync");
    }
    void crashedAppendLeavesWholeRecords()
    {
        QFETCH(QByteArray, point);
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
        QVERIFY(writeFile(archive, Old));
        {
            CrashAt crash(point);
            ArchiveFile file(archive, Size);
            QVERIFY(file.OpenArchive());
            QVERIFY_THROWS_EXCEPTION(Crash, file.AppendRecord(New));
        }
        ArchiveFile file(archive, Size);
        QVERIFY(file.OpenArchive());
        QCOMPARE(file.AppendRecord(Other), 3);
        QCOMPARE(readFile(archive), Old + New + Other);
    }

    // A recovery cut short is itself recovered by the next open.
    void crashedRecoveryIsFinishedByTheNextOpen_data()
    {
        QTest::addColumn<QByteArray>("point");
        QTest::newRow("old record written") << QByteArray("recover:write");
        QTest::newRow("old record synced") << QByteArray("recover:sync");
        QTest::newRow("journal removed") << QByteArray("recover:removed");
    }
    void crashedRecoveryIsFinishedByTheNextOpen()
    {
        QFETCH(QByteArray, point);
        CutOffRewrite cut(torn());
        {
            CrashAt crash(point);
            ArchiveFile file(cut.archive, Size);
            QVERIFY_THROWS_EXCEPTION(Crash, file.OpenArchive());
        }
        ArchiveFile file(cut.archive, Size);
        QVERIFY(file.OpenArchive());
        QVERIFY(!file.isReadOnly());
        QCOMPARE(cut.record(2), Old);
        QVERIFY(!QFile::exists(cut.journal));
    }

    void crashedWholeFileWriteLeavesOldOrNew_data()
    {
        QTest::addColumn<QByteArray>("point");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("temporary written") << QByteArray("whole:temporary") << QByteArray("vecchio");
        QTest::newRow("file replaced") << QByteArray("whole:replaced") << QByteArray("nuovo");
    }
    void crashedWholeFileWriteLeavesOldOrNew()
    {
        QFETCH(QByteArray, point);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Rotaflux.ini"));
        QVERIFY(writeFile(path, "vecchio"));
        {
            CrashAt crash(point);
            QVERIFY_THROWS_EXCEPTION(Crash, writeWholeFile(path, "nuovo"));
        }
        QCOMPARE(readFile(path), after);
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
            QVERIFY2(name == QLatin1String("Rotaflux.ini") || isWholeFileTemporary(name), qPrintable(name));
    }

    // A journal is replayed only over the record it was written for; anything else is another
    // archive's (a restored backup, a file replaced by another workstation) and is kept aside.
    void journalIsReplayedOnlyOverItsOwnRecord_data()
    {
        QTest::addColumn<QByteArray>("onDisk");
        QTest::addColumn<int>(
            "kind"); // 0 as written, 1 other archive, 2 other size, 3 misaligned, 4 two records
        QTest::addColumn<bool>("replayed");
        QTest::newRow("torn write") << torn() << 0 << true;
        QTest::newRow("new record whole") << New << 0 << true;
        QTest::newRow("old record") << Old << 0 << true;
        QTest::newRow("restored from a backup") << Other << 0 << false;
        QTest::newRow("another archive's journal") << torn() << 1 << false;
        QTest::newRow("another record size") << torn() << 2 << false;
        QTest::newRow("not on a record boundary") << torn() << 3 << false;
        QTest::newRow("two records") << torn() << 4 << false;
    }
    void journalIsReplayedOnlyOverItsOwnRecord()
    {
        QFETCH(QByteArray, onDisk);
        QFETCH(int, kind);
        QFETCH(bool, replayed);
        Durable::JournalEntry entry{QStringLiteral("Contratti.pro"), Size, Size, Old, New};
        if (kind == 1)
            entry.archiveName = QStringLiteral("Parco_Veicoli.pro");
        if (kind == 2)
            entry.recordSize = Size / 2;
        if (kind == 3)
            entry.offset = Size / 2;
        if (kind == 4)
            entry = {QStringLiteral("Contratti.pro"), Size, Size, Old + Old, New + New};
        CutOffRewrite cut(onDisk, entry);
        ArchiveFile file(cut.archive, Size);
        QVERIFY(file.OpenArchive());
        QVERIFY(!file.isReadOnly());
        QVERIFY(!QFile::exists(cut.journal));
        QCOMPARE(cut.record(1), QByteArray(Size, 'a'));
        QCOMPARE(cut.record(3), QByteArray(Size, 'c'));
        if (replayed) {
            QCOMPARE(cut.record(2), Old);
            QVERIFY(file.notice().isEmpty());
            QVERIFY(cut.asides().isEmpty());
        } else {
            QCOMPARE(cut.record(2), onDisk);
            QCOMPARE(cut.asides().size(), 1);
            QCOMPARE(file.notice().kind, ArchiveNotice::Kind::JournalSetAside);
            QVERIFY(cut.asides().first().endsWith(file.notice().asideName));
        }
    }

    void journalThatIsNotOursIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("journal");
        QTest::newRow("another program's file") << QByteArray("appunti del martedì");
        QTest::newRow("older format") << QByteArray("RFJ1") + QByteArray(80, '\0');
    }
    void journalThatIsNotOursIsKeptAside()
    {
        QFETCH(QByteArray, journal);
        CutOffRewrite cut(Old);
        QVERIFY(writeFile(cut.journal, journal));
        ArchiveFile file(cut.archive, Size);
        QVERIFY(file.OpenArchive());
        QCOMPARE(cut.asides().size(), 1);
        QCOMPARE(readFile(cut.dir.filePath(cut.asides().first())), journal);
        QVERIFY(!file.notice().isEmpty());
    }

    void journalCutOffWhileWrittenIsDropped()
    {
        CutOffRewrite cut(Other);
        const QByteArray journal = readFile(cut.journal);
        QVERIFY(writeFile(cut.journal, journal.left(journal.size() - 7)));
        ArchiveFile file(cut.archive, Size);
        QVERIFY(file.OpenArchive());
        QCOMPARE(cut.record(2), Other); // the rewrite it announced never began
        QVERIFY(!QFile::exists(cut.journal));
        QVERIFY(file.notice().isEmpty() && cut.asides().isEmpty());
    }

    // A journal that cannot be replayed now is kept, the archive opens read-only with a notice,
    // and nothing is written over it until it has been replayed.
    void pendingJournalKeepsTheArchiveReadOnly_data()
    {
        QTest::addColumn<int>("why"); // 0 lock held elsewhere, 1 journal unreadable, 2 folder read-only
        QTest::newRow("lock held by another workstation") << 0;
        QTest::newRow("journal cannot be read") << 1;
        QTest::newRow("folder read-only") << 2;
    }
    void pendingJournalKeepsTheArchiveReadOnly()
    {
        QFETCH(int, why);
        CutOffRewrite cut(torn());
        const QByteArray journal = readFile(cut.journal);
        QLockFile held(cut.archive + QStringLiteral(".lock"));
        FileLock::setTiming({60000, 300});
        if (why == 0)
            QVERIFY(held.tryLock(0));
        QFile::setPermissions(cut.dir.path(),
                              why == 2 ? QFileDevice::Permissions(0x7755) : QFileDevice::Permissions(0x7777));
        QFile::setPermissions(cut.archive, QFileDevice::Permissions(0x6666));
        if (why == 1)
            QFile::setPermissions(cut.journal, {});
        {
            AsPlainUser plain;
            ArchiveFile file(cut.archive, Size);
            QVERIFY(file.OpenArchive());
            QVERIFY(file.isReadOnly());
            QCOMPARE(file.notice().kind, ArchiveNotice::Kind::JournalPending);
            QByteArray record;
            QVERIFY(file.ReadRecord(1, record));
            QVERIFY(!file.WriteRecord(1, Other));
            QCOMPARE(file.AppendRecord(Other), -1);
        }
        QFile::setPermissions(cut.journal, QFileDevice::Permissions(0x6644));
        QCOMPARE(readFile(cut.journal), journal);
        QCOMPARE(readFile(cut.archive), QByteArray(Size, 'a') + torn() + QByteArray(Size, 'c'));
        // Once the lock and the folder are free again, the next open replays it.
        held.unlock();
        QFile::setPermissions(cut.dir.path(), QFileDevice::Permissions(0x7700));
        ArchiveFile file(cut.archive, Size);
        QVERIFY(file.OpenArchive());
        QVERIFY(!file.isReadOnly());
        QCOMPARE(cut.record(2), Old);
    }

    // A journal that cannot be removed after the write would undo the save at the next open:
    // the save fails instead, with the old record in place.
    void journalThatCannotBeRemovedFailsTheSave()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
        const QString journal = archive + QStringLiteral(".journal");
        QVERIFY(writeFile(archive, Old + Old));
        Durable::setCrashHook([&](const char* name) {
            if (QByteArray(name) != "rewrite:sync")
                return;
            // Another program holds the journal: here, a folder in its place that cannot be removed.
            QFile::remove(journal);
            QDir().mkpath(journal + QStringLiteral("/aperto"));
        });
        ArchiveFile file(archive, Size);
        QVERIFY(file.OpenArchive());
        QVERIFY(!file.WriteRecord(2, New));
        Durable::setCrashHook({});
        QCOMPARE(readFile(archive), Old + Old);
    }

    // A workstation appending without pause does not starve another's save.
    void busyWorkstationLetsAnotherSaveLand()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
        FileLock::setTiming({3000, 3000});
        QProcess busy;
        busy.start(QStringLiteral(ARCHIVE_APPEND_HELPER),
                   {archive, QString::number(Size), QStringLiteral("append")});
        QVERIFY(busy.waitForStarted());
        QVERIFY(busy.waitForReadyRead(10000));
        for (int i = 0; i < 30; ++i) {
            ArchiveFile file(archive, Size);
            QVERIFY(file.OpenArchive());
            QVERIFY2(file.AppendRecord(Other) > 0, qPrintable(QStringLiteral("save %1 did not land").arg(i)));
        }
        busy.kill();
        QVERIFY(busy.waitForFinished(10000));
    }

    // A lock is judged by whether its holder keeps it alive, never by its file's time against
    // this machine's clock: workstations' and servers' clocks differ by minutes.
    void liveHolderKeepsItsLockWhateverTheFileTimes()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
        QProcess holder;
        holder.start(QStringLiteral(RECORD_EDIT_HELPER),
                     {archive, QStringLiteral("hold"), QStringLiteral("200")});
        QVERIFY(holder.waitForReadyRead(10000));
        // The lock's time as a server an hour behind, then an hour ahead, would give it.
        for (const int hours : {-1, 1}) {
            QFile lockFile(archive + QStringLiteral(".lock"));
            QVERIFY(lockFile.open(QIODevice::ReadWrite));
            lockFile.setFileTime(QDateTime::currentDateTime().addSecs(hours * 3600),
                                 QFileDevice::FileModificationTime);
            lockFile.close();
            FileLock::setTiming({200, 1000}); // five times the stale time
            FileLock lock(archive);
            QVERIFY(!lock.lock());
        }
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        FileLock lock(archive);
        QVERIFY(lock.lock());
    }

    // What a workstation that crashed leaves: the lock of a save, its claim of the next turn, the
    // gate folder of a lock it was taking or removing at that instant.
    void lockOfACrashedWorkstationIsTakenOver_data()
    {
        QTest::addColumn<bool>("lockLeft");
        QTest::addColumn<bool>("claimLeft");
        QTest::addColumn<bool>("gateLeft");
        QTest::newRow("lock and claim") << true << true << false;
        QTest::newRow("gate while taking the lock") << false << false << true;
        QTest::newRow("gate while removing an abandoned lock") << true << false << true;
    }
    void lockOfACrashedWorkstationIsTakenOver()
    {
        QFETCH(bool, lockLeft);
        QFETCH(bool, claimLeft);
        QFETCH(bool, gateLeft);
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
        if (lockLeft)
            QVERIFY(writeFile(archive + QStringLiteral(".lock"), "4242\nRotaflux\naltra-postazione\n"));
        if (claimLeft)
            QVERIFY(writeFile(archive + QStringLiteral(".lock.next"), "4242-abc"));
        if (gateLeft)
            QVERIFY(QDir().mkdir(archive + QStringLiteral(".lock.gate")));
        FileLock::setTiming({200, 2000});
        ArchiveFile file(archive, Size);
        QVERIFY(file.OpenArchive());
        QCOMPARE(file.AppendRecord(Old), 1);
        // Released as it should be: nothing of the lock is left behind.
        for (const char* left : {".lock", ".lock.next", ".lock.gate"})
            QVERIFY2(!QFileInfo::exists(archive + QLatin1String(left)), left);
    }

    // Only the program's own temporary files are ever removed at start, and only old ones.
    void startUpCleanupRemovesOnlyOurTemporaryFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("aged");
        QTest::addColumn<bool>("removed");
        QTest::newRow("ours, ini") << "Rotaflux.ini.rotaflux-AbC123.tmp" << true << true;
        QTest::newRow("ours, planning")
            << "Prenotazioni bicicletta 7 anno 2024.pln.rotaflux-x9Y8z7.tmp" << true << true;
        QTest::newRow("ours, photo") << "Autoparco/Scheda_Veicolo_3.jpg.rotaflux-q1W2e3.tmp" << true << true;
        QTest::newRow("ours, attachment")
            << "Documenti_Allegati/fattura.pdf.rotaflux-ZZZ999.tmp" << true << true;
        QTest::newRow("ours, still being written") << "Rotaflux.ini.rotaflux-Xy9876.tmp" << false << false;
        QTest::newRow("archive copy by month") << "Contratti_Noleggio_Bici.pro.201912" << true << false;
        QTest::newRow("archive backup") << "Contratti_Noleggio_Bici.pro.backup" << true << false;
        QTest::newRow("fleet copy") << "Parco_Veicoli.pro.copia1" << true << false;
        QTest::newRow("sheet copy") << "Parco_Veicoli.xls.giugno" << true << false;
        QTest::newRow("planning copy") << "Prenotazioni bicicletta 7 anno 2024.pln.vecchi" << true << false;
        QTest::newRow("ini copy") << "Rotaflux.ini.AbC123" << true << false;
        QTest::newRow("photo copy") << "Autoparco/Scheda_Veicolo_3.jpg.q1W2e3" << true << false;
        QTest::newRow("attachment backup") << "Documenti_Allegati/foto.jpg.backup" << true << false;
        QTest::newRow("attachment of a month") << "Documenti_Allegati/Contratto.giugno" << true << false;
        QTest::newRow("user's tmp file") << "Documenti_Allegati/bozza.tmp" << true << false;
        QTest::newRow("display copy of a photo gone")
            << "Autoparco/Scheda_Veicolo_3.jpg.9437184-1765400000000.vista.jpg" << true << true;
        QTest::newRow("user's picture named vista") << "Autoparco/panorama.vista.jpg" << true << false;
        QTest::newRow("journal kept aside")
            << "Contratti_Noleggio_Bici.pro.journal.20261210-101500" << true << false;
    }
    void startUpCleanupRemovesOnlyOurTemporaryFiles()
    {
        QFETCH(QString, name);
        QFETCH(bool, aged);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        QDir folder(dir.path());
        QVERIFY(folder.mkpath(QStringLiteral("Autoparco")) &&
                folder.mkpath(QStringLiteral("Documenti_Allegati")));
        for (const QString& file :
             {name, QStringLiteral("Documenti_Allegati/foto.jpg"),
              QStringLiteral("Documenti_Allegati/Contratto"), QStringLiteral("Rotaflux.ini")}) {
            QFile made(dir.filePath(file));
            QVERIFY(made.open(QIODevice::WriteOnly));
            if (aged)
                QVERIFY(made.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                                         QFileDevice::FileModificationTime));
        }
        QCOMPARE(removeStaleTemporaryFiles(dir.path() + QLatin1Char('/')), removed ? 1 : 0);
        QCOMPARE(QFile::exists(dir.filePath(name)), !removed);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files).size(),
                 name.startsWith(QLatin1String("Documenti_Allegati/")) && !removed ? 3 : 2);
    }

    // A link in the program folder is never written through: the file it points to stays.
    void linksAreNeverWrittenThrough()
    {
        QTemporaryDir dir;
        QTemporaryDir outside;
        const QString victim = outside.filePath(QStringLiteral("importante.txt"));
        QVERIFY(writeFile(victim, "da non toccare"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Documenti_Allegati")));
        const QString sheet = dir.filePath(QStringLiteral("Parco_Veicoli.xls"));
        const QString attached = dir.filePath(QStringLiteral("Documenti_Allegati/foto.jpg"));
        QVERIFY(QFile::link(victim, sheet));
        QVERIFY(QFile::link(victim, attached));
        const QString source = dir.filePath(QStringLiteral("foto.jpg"));
        QVERIFY(writeFile(source, "nuova foto"));

        WriteProblem problem = WriteProblem::None;
        QVERIFY(!writeWholeFile(sheet, "<table>", &problem));
        QCOMPARE(int(problem), int(WriteProblem::Link));
        bool asked = false;
        QCOMPARE(int(attachFile(dir.path(), source, [&] { return asked = true; })), int(AttachResult::Link));
        QVERIFY(!asked);
        QCOMPARE(readFile(victim), QByteArray("da non toccare"));
        QVERIFY(QFileInfo(sheet).isSymLink() && QFileInfo(attached).isSymLink());
    }
};

RF_REGISTER_TEST(JournalTest)
#include "JournalTest.moc"
