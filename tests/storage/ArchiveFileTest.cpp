#include "storage/ArchiveFile.h"
#include "storage/CountedString.h"
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

    void openingAMissingArchiveCreatesItEmpty()
    {
        ArchiveFile archive(path(), R);
        QVERIFY(archive.OpenArchive());
        QCOMPARE(archive.RecordCount(), 0);
        archive.CloseArchive();
        QVERIFY(QFile::exists(path()));
        QCOMPARE(QFileInfo(path()).size(), 0);
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
