#include "storage/ArchiveFile.h"
#include "contracts/SchedaContratto.h"
#include "storage/CountedString.h"
#include "storage/Durable.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;

namespace {
constexpr int R = 8;

QByteArray rec(const QString& text)
{
    return PutCounted(text, R - 1);
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class ArchiveFileTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Prova.pro")); }

private slots:
    void init() { QFile::remove(path()); }

    // Reading an archive that is not there yet never makes it: only the first append does.
    void readingAMissingArchiveCreatesNothing()
    {
        {
            ArchiveFile archive(path(), R);
            QVERIFY(archive.OpenArchive());
            QCOMPARE(archive.RecordCount(), 0);
            QByteArray read;
            QVERIFY(!archive.ReadRecord(1, read));
            QVERIFY(archive.ScanRecords([](qint64, const char*) { return true; }));
            QVERIFY(!archive.WriteRecord(1, rec("uno")));
            QCOMPARE(archive.update(1, [](QByteArray&) { return true; }), ArchiveFile::Update::NotFound);
        }
        QVERIFY(!QFile::exists(path()));
        ArchiveFile archive(path(), R);
        QVERIFY(archive.OpenArchive());
        QCOMPARE(archive.AppendRecord(rec("uno")), 1);
        QCOMPARE(QFileInfo(path()).size(), R);
        // A folder that is not there is no empty archive.
        ArchiveFile nowhere(m_dir.filePath(QStringLiteral("manca/Prova.pro")), R);
        QVERIFY(!nowhere.OpenArchive());
    }

    // A writer opened the archive, then the file was replaced (a restore, a copy from another
    // workstation) before it wrote: it writes to the file the name holds now, never into the
    // replaced one.
    void writesGoToTheFileTheNameHoldsNow()
    {
        writeBytes(path(), rec("vecchio") + rec("vecchio"));
        const QString aside = m_dir.filePath(QStringLiteral("Sostituito.pro"));
        ArchiveFile archive(path(), R);
        QVERIFY(archive.OpenArchive());
        QFile::remove(aside);
        QVERIFY(QFile::rename(path(), aside));
        writeBytes(path(), rec("nuovo"));
        QCOMPARE(archive.AppendRecord(rec("aggiunto")), 2);
        QVERIFY(archive.WriteRecord(1, rec("NUOVO")));
        archive.CloseArchive();
        QCOMPARE(Test::readFile(path()), rec("NUOVO") + rec("aggiunto"));
        QCOMPARE(Test::readFile(aside), rec("vecchio") + rec("vecchio"));
    }

    // What the file shows after an append or a rewrite is read back through a new handle: a write
    // the file system lost or mangled (a network share) is a failure, never reported saved.
    void writesThatDoNotReadBackFail_data()
    {
        QTest::addColumn<QByteArray>("point");
        QTest::addColumn<bool>("lost"); // the write vanished; otherwise other bytes took its place
        QTest::newRow("append lost") << QByteArray("append:sync") << true;
        QTest::newRow("append mangled") << QByteArray("append:sync") << false;
        QTest::newRow("rewrite mangled") << QByteArray("rewrite:write") << false;
    }
    void writesThatDoNotReadBackFail()
    {
        QFETCH(QByteArray, point);
        QFETCH(bool, lost);
        writeBytes(path(), rec("uno"));
        Durable::setCrashHook([&](const char* name) {
            if (point != name)
                return;
            QFile file(path());
            QVERIFY(file.open(QIODevice::ReadWrite));
            if (lost)
                file.resize(R);
            else if (point.startsWith("append"))
                file.seek(R), file.write(QByteArray(R, '\x7f'));
            else
                file.seek(0), file.write(QByteArray(R, '\x7f'));
        });
        ArchiveFile archive(path(), R);
        QVERIFY(archive.OpenArchive());
        if (point.startsWith("append"))
            QCOMPARE(archive.AppendRecord(rec("due")), -1);
        else
            QCOMPARE(archive.update(1, [](QByteArray& r) { return (r = rec("UNO")), true; }),
                     ArchiveFile::Update::Failed);
        Durable::setCrashHook({});
        archive.CloseArchive();
        // What was there before stays; the failed write leaves nothing of its own.
        QCOMPARE(Test::readFile(path()), rec("uno"));
        QVERIFY(!QFile::exists(path() + QStringLiteral(".journal")));
    }

    // Two workstations changing one record read, decide and write under one lock: every change
    // of each lands, none undoes the other's.
    void twoProcessesUpdatingOneRecordLoseNothing()
    {
        const RecordLayout& layout = TSchedaContratto();
        const QString archive = m_dir.filePath(QString::fromLatin1(Contracts::ArchiveName));
        QFile::remove(archive);
        writeBytes(archive, layout.encode({}));
        const int each = 150;
        QProcess a, b;
        a.start(QStringLiteral(RECORD_EDIT_HELPER), {archive, QStringLiteral("count"), QStringLiteral("1"),
                                                     QStringLiteral("Note"), QString::number(each)});
        b.start(QStringLiteral(RECORD_EDIT_HELPER), {archive, QStringLiteral("count"), QStringLiteral("1"),
                                                     QStringLiteral("Cliente"), QString::number(each)});
        QVERIFY(a.waitForFinished(120000));
        QVERIFY(b.waitForFinished(120000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        const QStringList texts = layout.decode(Test::readFile(archive));
        QCOMPARE(texts[layout.indexOf(QStringLiteral("Note"))], QString::number(each));
        QCOMPARE(texts[layout.indexOf(QStringLiteral("Cliente"))], QString::number(each));
    }

    void appendThenUpdateKeepsPositions()
    {
        ArchiveFile archive(path(), R);
        QVERIFY(archive.OpenArchive());
        QCOMPARE(archive.AppendRecord(rec("uno")), 1);
        QCOMPARE(archive.AppendRecord(rec("due")), 2);
        QVERIFY(archive.WriteRecord(1, rec("UNO")));
        QByteArray read;
        QVERIFY(archive.ReadRecord(1, read));
        QCOMPARE(GetCounted(read.constData(), R - 1), QStringLiteral("UNO"));
        QVERIFY(archive.ReadRecord(2, read));
        QCOMPARE(GetCounted(read.constData(), R - 1), QStringLiteral("due"));
        archive.CloseArchive();
        QCOMPARE(QFileInfo(path()).size(), 2 * R);
    }

    void trailingFragmentIsIgnoredAndOverwrittenByAppend()
    {
        writeBytes(path(), rec("a") + rec("b") + QByteArray(R - 1, 'z'));
        ArchiveFile archive(path(), R);
        QVERIFY(archive.OpenArchive());
        QCOMPARE(archive.RecordCount(), 2);
        QCOMPARE(archive.AppendRecord(rec("c")), 3);
        archive.CloseArchive();
        QCOMPARE(QFileInfo(path()).size(), 3 * R);
    }

    void positionsOutsideTheArchiveFail_data()
    {
        QTest::addColumn<qint64>("position");
        QTest::newRow("zero") << qint64(0);
        QTest::newRow("past the end") << qint64(3);
        QTest::newRow("far past the end") << qint64(1000);
    }
    void positionsOutsideTheArchiveFail()
    {
        QFETCH(qint64, position);
        writeBytes(path(), rec("a") + rec("b"));
        ArchiveFile archive(path(), R);
        QVERIFY(archive.OpenArchive());
        QByteArray read;
        QVERIFY(!archive.ReadRecord(position, read));
        QVERIFY(!archive.WriteRecord(position, rec("x")));
        archive.CloseArchive();
        QCOMPARE(QFileInfo(path()).size(), 2 * R);
    }

    void anArchiveThatCannotBeOpenedFailsAndIsLeftAlone()
    {
        // A folder where the archive should be: it exists but cannot be opened as a file.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Prova.pro")));
        ArchiveFile archive(path(), R);
        QVERIFY(!archive.OpenArchive());
        QCOMPARE(archive.RecordCount(), -1);
        QCOMPARE(archive.AppendRecord(rec("x")), -1);
        QVERIFY(QFileInfo(path()).isDir());
        QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("Prova.pro")));
    }

    void scanVisitsEveryRecordInOrderAcrossBlocks()
    {
        QByteArray content;
        const int n = 700; // more than one read block
        for (int i = 1; i <= n; ++i)
            content += rec(QString::number(i));
        content += "xyz"; // fragment
        writeBytes(path(), content);
        ArchiveFile archive(path(), R);
        QVERIFY(archive.OpenArchive());
        qint64 expected = 1;
        QVERIFY(archive.ScanRecords([&](qint64 position, const char* data) {
            if (position != expected || GetCounted(data, R - 1) != QString::number(position))
                return false;
            ++expected;
            return true;
        }));
        QCOMPARE(expected, qint64(n + 1));

        int visited = 0;
        QVERIFY(archive.ScanRecords([&](qint64, const char*) { return ++visited < 5; }));
        QCOMPARE(visited, 5);
    }

    void twoProcessesAppendingAtOnceLoseNothing()
    {
        const int each = 200;
        QProcess a, b;
        const QStringList common{path(), QString::number(R), QString::number(each)};
        a.start(QStringLiteral(ARCHIVE_APPEND_HELPER), common + QStringList{QStringLiteral("A")});
        b.start(QStringLiteral(ARCHIVE_APPEND_HELPER), common + QStringList{QStringLiteral("B")});
        QVERIFY(a.waitForFinished(60000));
        QVERIFY(b.waitForFinished(60000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);

        ArchiveFile archive(path(), R);
        QVERIFY(archive.OpenArchive());
        QCOMPARE(archive.RecordCount(), qint64(2 * each));
        QSet<QString> seen;
        archive.ScanRecords([&](qint64, const char* data) {
            seen.insert(GetCounted(data, R - 1));
            return true;
        });
        QCOMPARE(seen.size(), 2 * each);
        QVERIFY(seen.contains(QStringLiteral("A-0")) && seen.contains(QStringLiteral("B-199")));
    }
};

RF_REGISTER_TEST(ArchiveFileTest)
#include "ArchiveFileTest.moc"
