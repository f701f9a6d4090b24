#include "storage/ArchiveFile.h"
#include "storage/Attachments.h"
#include "storage/Durable.h"
#include "storage/IniFile.h"
#include "storage/StaleFiles.h"
#include "storage/WholeFile.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace rf;
using rf::Test::FileWritesFail;
using rf::Test::readFile;
using rf::Test::writeFile;

namespace {

constexpr int Size = 5029; // a contract: more than one page of the file

bool uniform(const QByteArray& record)
{
    return !record.isEmpty() && record.count(record.at(0)) == record.size();
}

// Runs the helper in a killing loop: each round it starts, works until it reported `ticks`
// records, and is killed at once, mid-way through the next one as often as not.
void killRepeatedly(const QString& archive, const char* mode, int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        QProcess helper;
        helper.start(QStringLiteral(ARCHIVE_APPEND_HELPER),
                     {archive, QString::number(Size), QLatin1String(mode)});
        QVERIFY(helper.waitForStarted());
        const int ticks = 1 + round % 4;
        QByteArray seen;
        while (seen.size() < ticks && helper.waitForReadyRead(10000))
            seen += helper.readAllStandardOutput();
        QVERIFY2(seen.size() >= ticks, "the helper did not work");
        ::kill(pid_t(helper.processId()), SIGKILL);
        QVERIFY(helper.waitForFinished(10000));
    }
}

// Short random kill loops run always; the long ones when ROTAFLUX_STRESS is set (the "stress"
// CTest label).
int stressRounds(int quick, int stress)
{
    return qEnvironmentVariableIsSet("ROTAFLUX_STRESS") ? stress : quick;
}

} // namespace

class CrashSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void killedRewritesNeverLeaveATornRecord()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
        QVERIFY(writeFile(archive, QByteArray(3 * Size, 'Z')));
        for (int batch = 0; batch < stressRounds(2, 20); ++batch) {
            killRepeatedly(archive, "rewrite", 10);
            // Whoever opens next finds the archive whole: every record one version or the other.
            ArchiveFile file(archive, Size);
            QVERIFY(file.OpenArchive());
            QByteArray record;
            QVERIFY(file.ReadRecord(2, record));
            QVERIFY2(uniform(record), "record 2 holds two versions");
            QVERIFY(file.ReadRecord(1, record) && record == QByteArray(Size, 'Z'));
            QVERIFY(file.ReadRecord(3, record) && record == QByteArray(Size, 'Z'));
            QCOMPARE(file.RecordCount(), 3);
            QVERIFY(!QFile::exists(archive + QStringLiteral(".journal")));
        }
    }

    void killedAppendsNeverLeaveAPartRecord()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
        const int rounds = stressRounds(20, 100);
        killRepeatedly(archive, "append", rounds);
        ArchiveFile file(archive, Size);
        QVERIFY(file.OpenArchive());
        const qint64 whole = file.RecordCount();
        QVERIFY(whole >= rounds);
        QVERIFY(file.ScanRecords([](qint64, const char* data) { return uniform(QByteArray(data, Size)); }));
        // A piece of a record cut off by a kill is never read as a record and is written over.
        QCOMPARE(file.AppendRecord(QByteArray(Size, 'Q')), whole + 1);
        QCOMPARE(QFileInfo(archive).size(), (whole + 1) * Size);
    }

    void fullDiskLeavesEveryArchiveAsItWas()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Contratti.pro"));
        const QByteArray before = QByteArray(Size, 'A') + QByteArray(Size, 'B');
        QVERIFY(writeFile(archive, before));
        {
            ArchiveFile file(archive, Size);
            QVERIFY(file.OpenArchive());
            FileWritesFail full;
            QCOMPARE(file.AppendRecord(QByteArray(Size, 'C')), -1);
            QVERIFY(!file.WriteRecord(1, QByteArray(Size, 'D')));
            file.CloseArchive(); // nothing may reach the file afterwards
        }
        QCOMPARE(readFile(archive), before);
        QVERIFY(!QFile::exists(archive + QStringLiteral(".journal")));
        ArchiveFile file(archive, Size);
        QVERIFY(file.OpenArchive());
        QCOMPARE(file.AppendRecord(QByteArray(Size, 'C')), 3); // the next save lands once, at 3
    }

    void fullDiskLeavesEveryWholeFileAsItWas()
    {
        QTemporaryDir dir;
        const QString planning = dir.filePath(QStringLiteral("7_2026.dat"));
        const QString iniPath = dir.filePath(QStringLiteral("Rotaflux.ini"));
        const QString stored = dir.filePath(QStringLiteral("Documenti_Allegati/fattura.pdf"));
        const QString source = dir.filePath(QStringLiteral("nuova/fattura.pdf"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Documenti_Allegati")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("nuova")));
        QVERIFY(writeFile(planning, "vecchio"));
        QVERIFY(writeFile(iniPath, "[Contratti DOZ]\r\nLuogo=Riva\r\n"));
        QVERIFY(writeFile(stored, "vecchio"));
        QVERIFY(writeFile(source, QByteArray(100000, 'N')));
        {
            FileWritesFail full;
            QVERIFY(!writeWholeFile(planning, QByteArray(18900, 'N')));
            IniFile ini(iniPath);
            QVERIFY(ini.load());
            ini.setValue(QStringLiteral("Contratti DOZ"), QStringLiteral("Luogo"), QStringLiteral("Arco"));
            QVERIFY(!ini.save());
            QCOMPARE(attachFile(dir.path(), source, [] { return true; }), AttachResult::Failed);
        }
        QCOMPARE(readFile(planning), QByteArray("vecchio"));
        QCOMPARE(readFile(iniPath), QByteArray("[Contratti DOZ]\r\nLuogo=Riva\r\n"));
        QCOMPARE(readFile(stored), QByteArray("vecchio"));
        // No temporary file of a failed write is left beside its target.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files).size(), 1);
    }

    void malformedSectionLineIsKeptAsItIs()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Rotaflux.ini"));
        QVERIFY(writeFile(
            path, "[Contratti DOZ]\r\nLuogo=Riva\r\n[Contratti DOZ\r\nForo=Rovereto\r\n[Altro]\r\nx=1\r\n"));
        IniFile ini(path);
        QVERIFY(ini.load());
        QCOMPARE(ini.value(QStringLiteral("Contratti DOZ"), QStringLiteral("Foro")),
                 QStringLiteral("Rovereto"));
        QCOMPARE(ini.value(QStringLiteral("Altro"), QStringLiteral("x")), QStringLiteral("1"));
        ini.setValue(QStringLiteral("Contratti DOZ"), QStringLiteral("Luogo"), QStringLiteral("Arco"));
        QVERIFY(ini.save());
        const QByteArray written = readFile(path);
        QVERIFY2(written.startsWith("[Contratti DOZ]\r\nLuogo=Arco\r\n[Contratti DOZ\r\nForo=Rovereto\r\n"),
                 written.constData());
        QVERIFY(written.endsWith("\r\n[Altro]\r\nx=1\r\n"));
    }

    void attachmentNamesStayInsideTheirFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("plain") << "fattura.pdf" << true;
        QTest::newRow("blanks and accents") << "Contratto firmato è.pdf" << true;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("up") << "../../x" << false;
        QTest::newRow("windows up") << "..\\..\\x.exe" << false;
        QTest::newRow("windows absolute") << "C:\\Windows\\x.exe" << false;
        QTest::newRow("drive relative") << "C:x.exe" << false;
        QTest::newRow("sub folder") << "cartella/x.pdf" << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("control") << "a\tb.pdf" << false;
    }

    void attachmentNamesStayInsideTheirFolder()
    {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QCOMPARE(isPlainAttachmentName(name), plain);
        QCOMPARE(attachedFilePath(QStringLiteral("/prog/"), name).isEmpty(), !plain);
    }
};

RF_REGISTER_TEST(CrashSafetyTest)
#include "CrashSafetyTest.moc"
