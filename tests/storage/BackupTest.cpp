#include "storage/Backup.h"
#include "support/TestMain.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using Problem = Backup::Problem;

Q_DECLARE_METATYPE(Backup::Problem)

namespace {

using Files = QMap<QString, QByteArray>;

void put(const QDir& root, const QString& name, const QByteArray& content)
{
    const QString path = root.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

// Every file under folder, by relative path, with its content.
Files snapshot(const QString& folder)
{
    Files files;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files.insert(root.relativeFilePath(path), file.readAll());
    }
    return files;
}

Files zipEntries(const QString& zipPath)
{
    Files entries;
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdUnzip))
        return entries;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile entry(&zip);
        entry.open(QIODevice::ReadOnly);
        entries.insert(zip.getCurrentFileName(), entry.readAll());
    }
    return entries;
}

// A zip of the given entries, stored uncompressed so a test can damage a byte of one on purpose.
void makeZip(const QString& zipPath, const Files& entries)
{
    QuaZip zip(zipPath);
    QVERIFY(zip.open(QuaZip::mdCreate));
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        QuaZipFile entry(&zip);
        QVERIFY(entry.open(QIODevice::WriteOnly, QuaZipNewInfo(it.key()), nullptr, 0, 0));
        entry.write(it.value());
        entry.close();
    }
    zip.close();
    QCOMPARE(zip.getZipError(), 0);
}

// A data folder as a shop's looks: data files, and beside them what is not data. The locks and the
// journal belong to an archive that is gone, so no lock is waited on.
Files layDownFolder(const QDir& root)
{
    const Files data{
        {"Contratti_Noleggio_Bici.pro", QByteArray(5029 * 3, 'c')},
        {"Parco_Veicoli.pro", QByteArray(4253 * 2, 'v')},
        {"Prenotazioni bicicletta 7 anno 2024.pln", QByteArray(18900, 'p')},
        {"Rotaflux.ini", "[Opzioni]\r\nAnno=2024\r\n"},
        {"unins000.dll", "password"},
        {"Logo.bmp", "BMlogo"},
        {"Contratti_Noleggio_Bici.pro.backup", "the user's own copy"},
        {"Autoparco/Scheda_Veicolo_2.jpg", "\xff\xd8photo"},
        {"Documenti_Allegati/fattura.pdf", "%PDF-1.4 attached"},
    };
    const QStringList notData{
        "Rotaflux",
        "Rotaflux.exe",
        "Guida.pdf",
        "Qt6Core.dll",
        "Vecchio.pro.lock",
        "Vecchio.pro.lock.next",
        "Vecchio.pro.journal",
        "Contratti_Noleggio_Bici.pro.journal.20240101-101010",
        "Rotaflux.ini.rotaflux-aB3dE9.tmp",
        "Autoparco/Scheda_Veicolo_2.jpg.9437184-1765400000000.vista.jpg",
        "Autoparco/Scheda_Veicolo_2.jpg.rotaflux-Zz9Yy8.tmp",
        "Rotaflux_copia_2024-01-01_1000.zip",
        "Sostituiti_2024-01-01_1000/Rotaflux.ini",
        "platforms/libqxcb.so",
    };
    for (auto it = data.begin(); it != data.end(); ++it)
        put(root, it.key(), it.value());
    for (const QString& name : notData)
        put(root, name, "not data");
    return data;
}

const QDateTime When(QDate(2024, 3, 5), QTime(9, 41));

} // namespace

class BackupTest : public QObject {
    Q_OBJECT

private slots:
    void zipHoldsTheDataFilesByteForByte()
    {
        QTemporaryDir folder, out;
        const Files data = layDownFolder(QDir(folder.path()));
        QCOMPARE(Backup::dataFiles(folder.path()), QStringList(data.keys()));

        const QString zipPath = QDir(out.path()).filePath(Backup::backupFileName(When));
        const Backup::Result result = Backup::writeBackup(folder.path(), zipPath, {}, When);
        QVERIFY(result.ok());
        QCOMPARE(result.files, data.size());
        QVERIFY(zipPath.endsWith("Rotaflux_copia_2024-03-05_0941.zip"));

        Files entries = zipEntries(zipPath);
        QVERIFY(entries.take(Backup::MarkerName).contains("05/03/2024"));
        QCOMPARE(entries, data);
        QVERIFY(Backup::checkBackup(zipPath).ok());
        // Only the zip is left in the destination: no temporary file.
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{QFileInfo(zipPath).fileName()});
    }

    void archivesAreCopiedUnderTheirLock()
    {
        QTemporaryDir folder, out;
        layDownFolder(QDir(folder.path()));
        const QString lockOf = QDir(folder.path()).filePath("Contratti_Noleggio_Bici.pro.lock");
        bool lockedDuringCopy = false;
        const auto progress = [&](qint64, qint64) {
            lockedDuringCopy = lockedDuringCopy || QFile::exists(lockOf);
            return true;
        };
        QVERIFY(
            Backup::writeBackup(folder.path(), QDir(out.path()).filePath("copia.zip"), progress, When).ok());
        QVERIFY(lockedDuringCopy);
        QVERIFY(!QFile::exists(lockOf));
    }

    void roundTripRestoresEveryFileAndKeepsTheReplaced()
    {
        QTemporaryDir folder, out;
        const QDir root(folder.path());
        const Files data = layDownFolder(root);
        const QString zipPath = QDir(out.path()).filePath("copia.zip");
        QVERIFY(Backup::writeBackup(folder.path(), zipPath, {}, When).ok());

        put(root, "Rotaflux.ini", "[Opzioni]\r\nAnno=2025\r\n");
        QVERIFY(QFile::remove(root.filePath("Autoparco/Scheda_Veicolo_2.jpg")));
        put(root, "Prenotazioni bicicletta 9 anno 2024.pln", "made after the backup");

        const Backup::Result result = Backup::restoreBackup(zipPath, folder.path(), {}, When);
        QVERIFY(result.ok());
        QCOMPARE(result.files, data.size());
        for (auto it = data.begin(); it != data.end(); ++it)
            QCOMPARE(snapshot(folder.path()).value(it.key()), it.value());
        // What was there went aside, under the same relative path; a file the zip lacks stays.
        QCOMPARE(result.replacedFolder, root.filePath("Sostituiti_2024-03-05_0941"));
        const Files aside = snapshot(result.replacedFolder);
        QCOMPARE(aside.value("Rotaflux.ini"), QByteArray("[Opzioni]\r\nAnno=2025\r\n"));
        QCOMPARE(aside.value("Parco_Veicoli.pro"), data.value("Parco_Veicoli.pro"));
        QVERIFY(!aside.contains("Autoparco/Scheda_Veicolo_2.jpg"));
        QVERIFY(QFile::exists(root.filePath("Prenotazioni bicicletta 9 anno 2024.pln")));
        QVERIFY(QFile::exists(root.filePath("Vecchio.pro.lock"))); // not data: left alone
    }

    void restoreIntoAnEmptyFolderMovesNothingAside()
    {
        QTemporaryDir folder, out, empty;
        const Files data = layDownFolder(QDir(folder.path()));
        const QString zipPath = QDir(out.path()).filePath("copia.zip");
        QVERIFY(Backup::writeBackup(folder.path(), zipPath, {}, When).ok());

        const Backup::Result result = Backup::restoreBackup(zipPath, empty.path(), {}, When);
        QVERIFY(result.ok());
        QVERIFY(result.replacedFolder.isEmpty());
        QCOMPARE(snapshot(empty.path()), data);
    }

    void refusedZipChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Problem>("expected");
        QTest::newRow("checksum mismatch") << "damaged" << Problem::Damaged;
        QTest::newRow("cut short") << "cut" << Problem::Damaged;
        QTest::newRow("not a zip") << "text" << Problem::Damaged;
        QTest::newRow("another program's zip") << "foreign" << Problem::Foreign;
        QTest::newRow("up out of the folder") << "../fuori.txt" << Problem::UnsafePath;
        QTest::newRow("up out of a subfolder") << "Autoparco/../../fuori.txt" << Problem::UnsafePath;
        QTest::newRow("absolute path") << "/tmp/fuori.txt" << Problem::UnsafePath;
        QTest::newRow("drive path") << "C:/fuori.txt" << Problem::UnsafePath;
        QTest::newRow("another subfolder") << "platforms/libqxcb.so" << Problem::UnsafePath;
        QTest::newRow("a lock") << "Parco_Veicoli.pro.lock" << Problem::UnsafePath;
    }
    void refusedZipChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(Problem, expected);
        QTemporaryDir parent, out;
        const QString folder = QDir(parent.path()).filePath("dati");
        QDir().mkpath(folder);
        layDownFolder(QDir(folder));
        const QString zipPath = QDir(out.path()).filePath("copia.zip");
        const QByteArray ini(4000, 'i');
        if (kind == "damaged" || kind == "cut") {
            makeZip(zipPath, {{Backup::MarkerName, "copia"}, {"Rotaflux.ini", ini}});
            QFile zip(zipPath);
            QVERIFY(zip.open(QIODevice::ReadWrite));
            if (kind == "cut") {
                QVERIFY(zip.resize(zip.size() / 2));
            } else {
                QVERIFY(zip.seek(zip.size() / 2));
                QCOMPARE(zip.write("X"), 1);
            }
        } else if (kind == "text") {
            QFile zip(zipPath);
            QVERIFY(zip.open(QIODevice::WriteOnly));
            zip.write("Rotaflux.ini\r\n");
        } else if (kind == "foreign") {
            makeZip(zipPath, {{"Rotaflux.ini", ini}, {"Autoparco/foto.jpg", "photo"}});
        } else {
            makeZip(zipPath, {{Backup::MarkerName, "copia"}, {"Rotaflux.ini", ini}, {kind, "escaped"}});
        }
        const Files before = snapshot(parent.path());

        QCOMPARE(Backup::checkBackup(zipPath).problem, expected);
        QCOMPARE(Backup::restoreBackup(zipPath, folder, {}, When).problem, expected);
        QCOMPARE(snapshot(parent.path()), before);
        QVERIFY(!QFile::exists("/tmp/fuori.txt"));
    }

    void cancelLeavesNothing_data()
    {
        QTest::addColumn<bool>("restoring");
        QTest::newRow("backup") << false;
        QTest::newRow("restore") << true;
    }
    void cancelLeavesNothing()
    {
        QFETCH(bool, restoring);
        QTemporaryDir folder, out;
        const QDir root(folder.path());
        layDownFolder(root);
        const QString zipPath = QDir(out.path()).filePath("copia.zip");
        const auto cancel = [](qint64, qint64) { return false; };
        if (!restoring) {
            QCOMPARE(Backup::writeBackup(folder.path(), zipPath, cancel, When).problem, Problem::Cancelled);
            QVERIFY(QDir(out.path()).isEmpty());
            return;
        }
        QVERIFY(Backup::writeBackup(folder.path(), zipPath, {}, When).ok());
        put(root, "Rotaflux.ini", "changed");
        const Files before = snapshot(folder.path());
        QCOMPARE(Backup::restoreBackup(zipPath, folder.path(), cancel, When).problem, Problem::Cancelled);
        QCOMPARE(snapshot(folder.path()), before);
    }
};

RF_REGISTER_TEST(BackupTest)
#include "BackupTest.moc"
