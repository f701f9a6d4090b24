#include "storage/Backup.h"
#include "app/Product.h"
#include "storage/StaleFiles.h"
#include "support/Crash.h"
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

#include <QtEndian>
#include <limits>

using namespace rf;
using Problem = Backup::Problem;

Q_DECLARE_METATYPE(Backup::Problem)
Q_DECLARE_METATYPE(Backup::Recovery)

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

// A zip of the given entries, in their order, stored uncompressed (so a test can damage a byte of
// one on purpose) unless deflated is asked for.
void makeZipInOrder(const QString& zipPath, const QList<QPair<QString, QByteArray>>& entries,
                    bool deflated = false)
{
    QuaZip zip(zipPath);
    QVERIFY(zip.open(QuaZip::mdCreate));
    for (const auto& [name, content] : entries) {
        QuaZipFile entry(&zip);
        QVERIFY(entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, deflated ? Z_DEFLATED : 0));
        entry.write(content);
        entry.close();
    }
    zip.close();
    QCOMPARE(zip.getZipError(), 0);
}

void makeZip(const QString& zipPath, const Files& entries)
{
    QList<QPair<QString, QByteArray>> list;
    for (auto it = entries.begin(); it != entries.end(); ++it)
        list.append({it.key(), it.value()});
    makeZipInOrder(zipPath, list);
}

// Makes every entry of the zip declare the given uncompressed size, in its local header and in
// the central directory alike, as a hand-made zip can.
void declareSize(const QString& zipPath, quint32 declared)
{
    QFile file(zipPath);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const auto patch = [&](const QByteArray& signature, int offset) {
        for (qsizetype at = bytes.indexOf(signature); at >= 0; at = bytes.indexOf(signature, at + 4))
            qToLittleEndian<quint32>(declared, bytes.data() + at + offset);
    };
    patch(QByteArray("PK\x03\x04", 4), 22);
    patch(QByteArray("PK\x01\x02", 4), 24);
    QVERIFY(file.seek(0));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The data files of a folder with their content, as the program sees them.
Files dataOf(const QString& folder)
{
    Files files;
    for (const QString& name : Backup::dataFiles(folder)) {
        QFile file(QDir(folder).filePath(name));
        file.open(QIODevice::ReadOnly);
        files.insert(name, file.readAll());
    }
    return files;
}

// The hidden working folders and journal a restore or backup leaves in the folder.
QStringList leftBehind(const QString& folder)
{
    QStringList found;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        if (Backup::isStagingFolderName(name) || name.startsWith(QLatin1String(Backup::RestoreJournalName)))
            found.append(name);
    return found;
}

// A folder as it was, and the backup that replaces four of its files and adds a fifth.
struct RestoreFixture {
    QTemporaryDir folder, out, source;
    const Files old{
        {"Autoparco/Scheda_Veicolo_1.jpg", "old photo"},
        {"Contratti_Noleggio_Bici.pro", QByteArray(5029, 'o')},
        {"Rotaflux.ini", "[Opzioni]\r\nAnno=2023\r\n"},
        {"unins000.dll", "old password"},
    };
    const Files fresh{
        {"Autoparco/Scheda_Veicolo_1.jpg", "new photo"},
        {"Contratti_Noleggio_Bici.pro", QByteArray(2 * 5029, 'n')},
        {"Documenti_Allegati/fattura.pdf", "%PDF new"},
        {"Rotaflux.ini", "[Opzioni]\r\nAnno=2024\r\n"},
        {"unins000.dll", "new password"},
    };
    QString zipPath;

    bool make()
    {
        for (auto it = old.begin(); it != old.end(); ++it)
            put(QDir(folder.path()), it.key(), it.value());
        for (auto it = fresh.begin(); it != fresh.end(); ++it)
            put(QDir(source.path()), it.key(), it.value());
        zipPath = QDir(out.path()).filePath("copia.zip");
        return Backup::writeBackup(source.path(), zipPath, {}, QDateTime(QDate(2024, 3, 5), QTime(9, 41)))
            .ok();
    }
    QString aside() const { return QDir(folder.path()).filePath("Sostituiti_2024-03-05_0941"); }
};

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
    // The program's own files, as the application names them at start, are no data.
    void initTestCase() { Backup::setProgramFiles(Product::ownFiles()); }

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
        QTest::newRow("the photo folder as a file") << "Autoparco" << Problem::WrongKind;
        QTest::newRow("the attachments folder as a file") << "documenti_allegati" << Problem::WrongKind;
        QTest::newRow("a file that is a folder too") << "file and folder" << Problem::WrongKind;
        QTest::newRow("an entry twice") << "twice" << Problem::Duplicate;
        QTest::newRow("2 GiB declared by a few bytes") << "bomb" << Problem::Oversized;
        // The reader never gives more than an entry declares, so its checksum fails.
        QTest::newRow("inflates past its declared size") << "past" << Problem::Damaged;
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
        } else if (kind == "file and folder") {
            makeZip(zipPath,
                    {{Backup::MarkerName, "copia"}, {"Autoparco/a", "photo"}, {"Autoparco/a/b", "x"}});
        } else if (kind == "twice") {
            makeZipInOrder(zipPath,
                           {{Backup::MarkerName, "copia"}, {"Rotaflux.ini", ini}, {"Rotaflux.ini", "again"}});
        } else if (kind == "bomb") {
            makeZipInOrder(zipPath, {{"Contratti_Noleggio_Bici.pro", QByteArray(1 << 16, 0)}}, true);
            declareSize(zipPath, 0x80000000u);
        } else if (kind == "past") {
            makeZip(zipPath, {{Backup::MarkerName, "copia"}, {"Rotaflux.ini", ini}});
            declareSize(zipPath, 1000);
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

    void declaredSizesAreChecked_data()
    {
        QTest::addColumn<qint64>("compressed");
        QTest::addColumn<qint64>("declared");
        QTest::addColumn<qint64>("available");
        QTest::addColumn<Problem>("expected");
        constexpr qint64 MiB = 1 << 20;
        QTest::newRow("an archive, room to spare") << 40 * MiB << 500 * MiB << 2000 * MiB << Problem::None;
        QTest::newRow("padded records, 100 to 1") << 5 * MiB << 500 * MiB << 2000 * MiB << Problem::None;
        QTest::newRow("a small blank planning file")
            << qint64(20) << qint64(18900) << 2000 * MiB << Problem::None;
        QTest::newRow("2 MB declaring 2 GiB") << 2 * MiB << 2048 * MiB << 100000 * MiB << Problem::Oversized;
        QTest::newRow("2 GiB into 1 GiB free") << 1000 * MiB << 2048 * MiB << 1024 * MiB << Problem::NoSpace;
        QTest::newRow("fits, but leaves no margin")
            << 100 * MiB << 100 * MiB << 101 * MiB << Problem::NoSpace;
        QTest::newRow("free space not known") << 100 * MiB << 100 * MiB << qint64(-1) << Problem::None;
        QTest::newRow("a negative size") << qint64(10) << qint64(-1) << 2000 * MiB << Problem::Oversized;
        constexpr qint64 Largest = std::numeric_limits<qint64>::max();
        QTest::newRow("sizes adding up past the largest number")
            << Largest / 2 << Largest - 5 << Largest << Problem::NoSpace;
    }
    void declaredSizesAreChecked()
    {
        QFETCH(qint64, compressed);
        QFETCH(qint64, declared);
        QFETCH(qint64, available);
        QFETCH(Problem, expected);
        const Backup::Result result = Backup::checkSizes(
            {{"Rotaflux.ini", 10, 30}, {"Contratti_Noleggio_Bici.pro", compressed, declared}}, available);
        QCOMPARE(result.problem, expected);
        if (expected == Problem::Oversized)
            QCOMPARE(result.file, QString("Contratti_Noleggio_Bici.pro"));
        if (expected == Problem::NoSpace) {
            QVERIFY(result.needed > declared);
            QCOMPARE(result.available, available);
        }
    }

    void restoreRefusesWhatTheFolderHoldsOtherwise_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<Problem>("expected");
        QTest::addColumn<QString>("named");
        QTest::newRow("a folder where a file goes") << "folder ini" << Problem::WrongKind << "Rotaflux.ini";
        QTest::newRow("a file where a folder goes")
            << "file attachments" << Problem::WrongKind << "Documenti_Allegati/fattura.pdf";
        QTest::newRow("a linked photo folder") << "linked photos" << Problem::Link << "Autoparco";
        QTest::newRow("a linked file") << "linked ini" << Problem::Link << "Rotaflux.ini";
    }
    void restoreRefusesWhatTheFolderHoldsOtherwise()
    {
        QFETCH(QString, layout);
        QFETCH(Problem, expected);
        QFETCH(QString, named);
        RestoreFixture fixture;
        QVERIFY(fixture.make());
        QTemporaryDir elsewhere;
        const QDir root(fixture.folder.path());
        QVERIFY(QFile::remove(root.filePath("Rotaflux.ini")));
        if (layout == "folder ini") {
            put(root, "Rotaflux.ini/dentro.txt", "kept");
        } else if (layout == "file attachments") {
            put(root, "Documenti_Allegati", "a file");
        } else if (layout == "linked photos") {
            QVERIFY(QDir(root.filePath("Autoparco")).removeRecursively());
            put(QDir(elsewhere.path()), "Scheda_Veicolo_1.jpg", "elsewhere");
            QVERIFY(QFile::link(elsewhere.path(), root.filePath("Autoparco")));
        } else {
            put(QDir(elsewhere.path()), "Rotaflux.ini", "elsewhere");
            QVERIFY(
                QFile::link(QDir(elsewhere.path()).filePath("Rotaflux.ini"), root.filePath("Rotaflux.ini")));
        }
        const Files before = snapshot(root.path());
        const Files outside = snapshot(elsewhere.path());

        const Backup::Result result = Backup::restoreBackup(fixture.zipPath, root.path(), {}, When);
        QCOMPARE(result.problem, expected);
        QCOMPARE(result.file, named);
        QCOMPARE(snapshot(root.path()), before);
        QCOMPARE(snapshot(elsewhere.path()), outside);
        QCOMPARE(leftBehind(root.path()), QStringList());
    }

    void restoreKeepsEachReplacedFilesPermissions()
    {
        RestoreFixture fixture;
        QVERIFY(fixture.make());
        const QDir root(fixture.folder.path());
        QVERIFY(QFile::setPermissions(root.filePath("unins000.dll"), QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(root.filePath("Rotaflux.ini"), QFile::ReadOwner | QFile::ReadGroup));

        QVERIFY(Backup::restoreBackup(fixture.zipPath, root.path(), {}, When).ok());
        QCOMPARE(dataOf(root.path()), fixture.fresh);
        // The file's own mode; the "user" flags tell what the test's user may do.
        const auto mode = [&](const char* name) {
            return QFileInfo(root.filePath(name)).permissions() &
                   ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        };
        QCOMPARE(mode("unins000.dll"), QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(mode("Rotaflux.ini"), QFile::ReadOwner | QFile::ReadGroup);
    }

    void killedRestoreIsSettledAtTheNextStart_data()
    {
        QTest::addColumn<QByteArray>("point");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<Backup::Recovery>("recovery");
        // The journal is written whole or not at all: cut off before it is in place, nothing moved.
        QTest::newRow("journal not yet in place")
            << QByteArray("whole:temporary") << 1 << Backup::Recovery::None;
        QTest::newRow("journal in place") << QByteArray("whole:replaced") << 1 << Backup::Recovery::Finished;
        QTest::newRow("journal synced") << QByteArray("restore:journal") << 1 << Backup::Recovery::Finished;
        for (int n = 1; n <= 4; ++n)
            QTest::addRow("old file %d moved aside", n)
                << QByteArray("restore:aside") << n << Backup::Recovery::Finished;
        for (int n = 1; n <= 5; ++n)
            QTest::addRow("new file %d in place", n)
                << QByteArray("restore:placed") << n << Backup::Recovery::Finished;
        QTest::newRow("every file moved") << QByteArray("restore:moved") << 1 << Backup::Recovery::Finished;
    }
    void killedRestoreIsSettledAtTheNextStart()
    {
        QFETCH(QByteArray, point);
        QFETCH(int, occurrence);
        QFETCH(Backup::Recovery, recovery);
        RestoreFixture fixture;
        QVERIFY(fixture.make());
        const QString folder = fixture.folder.path();
        bool crashed = false;
        try {
            Test::CrashAt crash(point, occurrence);
            Backup::restoreBackup(fixture.zipPath, folder, {}, When);
        } catch (const Test::Crash&) {
            crashed = true;
        }
        QVERIFY(crashed);

        // The next start: the restore is settled, then what is stale is cleared.
        QCOMPARE(Backup::finishInterruptedRestore(folder), recovery);
        removeStaleTemporaryFiles(folder, QDateTime::currentDateTime().addSecs(120));
        QCOMPARE(leftBehind(folder), QStringList());
        if (recovery == Backup::Recovery::None) {
            QCOMPARE(dataOf(folder), fixture.old);
            QVERIFY(!QFileInfo::exists(fixture.aside()));
            return;
        }
        QCOMPARE(dataOf(folder), fixture.fresh);
        QCOMPARE(snapshot(fixture.aside()), fixture.old);
        // A start after that finds nothing left to settle.
        QCOMPARE(Backup::finishInterruptedRestore(folder), Backup::Recovery::None);
    }

    void restoreThatCannotBeFinishedIsUndone()
    {
        RestoreFixture fixture;
        QVERIFY(fixture.make());
        const QString folder = fixture.folder.path();
        try {
            Test::CrashAt crash("restore:aside", 1);
            Backup::restoreBackup(fixture.zipPath, folder, {}, When);
            QFAIL("the restore was not cut off");
        } catch (const Test::Crash&) {
        }
        // The second old file's place in the replaced folder is taken: the restore cannot go on.
        put(QDir(fixture.aside()), "Contratti_Noleggio_Bici.pro", "in the way");

        QCOMPARE(Backup::finishInterruptedRestore(folder), Backup::Recovery::RolledBack);
        QCOMPARE(dataOf(folder), fixture.old);
        QCOMPARE(leftBehind(folder), QStringList());
    }

    void nextRestoreSettlesTheOneLeftBehindFirst()
    {
        RestoreFixture fixture;
        QVERIFY(fixture.make());
        const QString folder = fixture.folder.path();
        try {
            Test::CrashAt crash("restore:placed", 2);
            Backup::restoreBackup(fixture.zipPath, folder, {}, When);
            QFAIL("the restore was not cut off");
        } catch (const Test::Crash&) {
        }
        const Backup::Result again = Backup::restoreBackup(fixture.zipPath, folder, {}, When.addSecs(60));
        QVERIFY(again.ok());
        QCOMPARE(dataOf(folder), fixture.fresh);
        QCOMPARE(snapshot(fixture.aside()), fixture.old);
        QCOMPARE(snapshot(again.replacedFolder), fixture.fresh);
        QCOMPARE(leftBehind(folder), QStringList());
    }

    void staleWorkingFoldersAreRemovedAtStart()
    {
        QTemporaryDir folder;
        const QDir root(folder.path());
        put(root, ".rotaflux-ripristino-aB3dE9/unins000.dll", "password");
        put(root, ".rotaflux-copia-Zz9Yy8/copia", "raw copy");
        put(root, ".rotaflux-other/kept", "not ours");
        const QDateTime later = QDateTime::currentDateTime().addSecs(120);
        // Fresh ones may belong to a restore running on another workstation.
        QCOMPARE(removeStaleTemporaryFiles(folder.path()), 0);
        // While a journal waits to be settled, its staging folder is needed.
        put(root, Backup::RestoreJournalName, "not readable as a journal");
        QCOMPARE(removeStaleTemporaryFiles(folder.path(), later), 0);
        QVERIFY(QFile::remove(root.filePath(Backup::RestoreJournalName)));
        QCOMPARE(removeStaleTemporaryFiles(folder.path(), later), 2);
        QCOMPARE(root.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{".rotaflux-other"});
    }

    void backupNamesTheLinksItLeftOut()
    {
        QTemporaryDir folder, out, elsewhere;
        const QDir root(folder.path());
        put(root, "Parco_Veicoli.pro", QByteArray(4253, 'v'));
        put(root, "Documenti_Allegati/fattura.pdf", "%PDF");
        put(QDir(elsewhere.path()), "Scheda_Veicolo_1.jpg", "photo");
        put(QDir(elsewhere.path()), "Logo.bmp", "BMlogo");
        QVERIFY(QFile::link(elsewhere.path(), root.filePath("Autoparco")));
        QVERIFY(QFile::link(QDir(elsewhere.path()).filePath("Logo.bmp"), root.filePath("Logo.bmp")));
        QVERIFY(QFile::link(QDir(elsewhere.path()).filePath("Logo.bmp"),
                            root.filePath("Documenti_Allegati/logo.bmp")));

        const QString zipPath = QDir(out.path()).filePath("copia.zip");
        const Backup::Result result = Backup::writeBackup(folder.path(), zipPath, {}, When);
        QVERIFY(result.ok());
        QCOMPARE(result.skipped, QStringList({"Autoparco", "Documenti_Allegati/logo.bmp", "Logo.bmp"}));
        QCOMPARE(zipEntries(zipPath).keys(),
                 QStringList({"Documenti_Allegati/fattura.pdf", "Parco_Veicoli.pro", Backup::MarkerName}));
    }

    void archivesAreCompressedAfterTheirLockIsLetGo()
    {
        QTemporaryDir folder, out;
        const QDir root(folder.path());
        const Files data = layDownFolder(root);
        const QStringList locked{"Contratti_Noleggio_Bici.pro", "Parco_Veicoli.pro",
                                 "Prenotazioni bicicletta 7 anno 2024.pln"};
        qint64 lockedBytes = 0;
        qint64 allBytes = 0;
        for (auto it = data.begin(); it != data.end(); ++it) {
            allBytes += it.value().size();
            lockedBytes += locked.contains(it.key()) ? it.value().size() : 0;
        }
        // Bytes the backup went through while some lock was held, and while none was.
        qint64 underLock = 0;
        qint64 withoutLock = 0;
        qint64 last = 0;
        const auto progress = [&](qint64 done, qint64) {
            bool held = false;
            for (const QString& name : locked)
                held = held || QFile::exists(root.filePath(name + ".lock"));
            (held ? underLock : withoutLock) += done - last;
            last = done;
            return true;
        };
        // A save lands on the contracts the moment their lock is let go: the zip holds them as they
        // were while it was held.
        QStringList holds;
        Backup::setLockHoldObserver([&](const QString& name, qint64 nanoseconds) {
            holds.append(name);
            QVERIFY(nanoseconds >= 0);
            if (name == "Contratti_Noleggio_Bici.pro")
                put(root, name, data.value(name) + QByteArray(5029, 'S'));
        });
        const Backup::Result result =
            Backup::writeBackup(folder.path(), QDir(out.path()).filePath("copia.zip"), progress, When);
        Backup::setLockHoldObserver({});
        QVERIFY(result.ok());
        QCOMPARE(holds, locked);
        QCOMPARE(underLock, lockedBytes); // the raw copies only
        QCOMPARE(withoutLock, allBytes);  // every file compressed, with no lock held
        QCOMPARE(zipEntries(QDir(out.path()).filePath("copia.zip")).value("Contratti_Noleggio_Bici.pro"),
                 data.value("Contratti_Noleggio_Bici.pro"));
        QCOMPARE(leftBehind(folder.path()), QStringList());
    }
};

RF_REGISTER_TEST(BackupTest)
#include "BackupTest.moc"
