#include "planner/PlanningFile.h"
#include "storage/CountedString.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using rf::Test::readFile;
using rf::Test::writeFile;

Q_DECLARE_METATYPE(rf::Planning::Loaded::Status)

namespace {

Planning::Days daysWith(std::initializer_list<std::pair<int, const char*>> booked)
{
    Planning::Days days;
    for (const auto& [slot, text] : booked)
        days[std::size_t(slot)] = QString::fromUtf8(text);
    return days;
}

const Planning::Vehicle Vehicle{QStringLiteral("12"), QStringLiteral("Atala City"), QStringLiteral("Rosso"),
                                QStringLiteral("M")};

} // namespace

class PlanningFileTest : public QObject {
    Q_OBJECT
private slots:
    void slotsLieWhereTheFileHasThem_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("key");
        const int firsts[] = {234, 1815, 3294, 4875, 6405, 7986, 9516, 11097, 12678, 14208, 15789, 17319};
        const int lasts[] = {1764, 3243, 4824, 6354, 7935, 9465, 11046, 12627, 14157, 15738, 17268, 18849};
        for (int m = 1; m <= 12; ++m) {
            const Planning::Month& month = Planning::months()[std::size_t(m - 1)];
            QTest::addRow("%s first", month.key) << m << 1 << (firsts[m - 1] - 234) / 51 << firsts[m - 1]
                                                 << QStringLiteral("%1_01").arg(QLatin1String(month.key));
            QTest::addRow("%s last", month.key)
                << m << month.days << (lasts[m - 1] - 234) / 51 << lasts[m - 1]
                << QStringLiteral("%1_%2").arg(QLatin1String(month.key)).arg(month.days);
        }
    }

    void slotsLieWhereTheFileHasThem()
    {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, slot);
        QFETCH(int, offset);
        QFETCH(QString, key);
        QCOMPARE(Planning::slotOf(month, day), slot);
        QCOMPARE(Planning::dayKey(slot), key);
        QCOMPARE(Planning::slotOfKey(key), slot);
        const RecordLayout& layout = TSchedaPlanning();
        QCOMPARE(layout.name(Planning::HeaderFields + slot), key);
        QCOMPARE(layout.offset(Planning::HeaderFields + slot), offset);
        QCOMPARE(layout.capacity(Planning::HeaderFields + slot), 50);
    }

    void daysOutsideTheCalendarHaveNoSlot()
    {
        QCOMPARE(TSchedaPlanning().size(), Planning::RecordSize);
        QCOMPARE(Planning::slotOf(4, 31), -1);
        QCOMPARE(Planning::controlSuffix(Planning::slotOf(2, 29)), QStringLiteral("Feb_29"));
    }

    void loadReadsTheFirstRecordOnly_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<Planning::Loaded::Status>("status");
        using Status = Planning::Loaded::Status;
        QTest::newRow("empty") << 0 << Status::Empty;
        // A file cut short is no empty file: it is never taken for one, nor replaced.
        QTest::newRow("short") << 18899 << Status::Unreadable;
        QTest::newRow("a few bytes") << 100 << Status::Unreadable;
        QTest::newRow("exact") << 18900 << Status::Read;
        QTest::newRow("longer") << 18900 + 100 << Status::Read;
    }

    void loadReadsTheFirstRecordOnly()
    {
        QFETCH(int, size);
        QFETCH(Planning::Loaded::Status, status);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.pln"));
        QByteArray bytes(size, '\0');
        if (size >= 234 + 51)
            bytes.replace(234, 6, PutCounted(QStringLiteral("Rossi"), 50).left(6));
        QVERIFY(writeFile(path, bytes));
        const bool read = status == Planning::Loaded::Status::Read;
        for (const Planning::Loaded& loaded : {Planning::load(path), Planning::peek(path)}) {
            QCOMPARE(loaded.status, status);
            QCOMPARE(loaded.days[0], read ? QStringLiteral("Rossi") : QString());
        }
        QCOMPARE(readFile(path), bytes);
    }

    // A missing file reads as free days and is made by the first save alone.
    void missingFileReadsEmptyAndIsMadeBySaving()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(Planning::fileName(QStringLiteral(" 12 "), QStringLiteral("2025")));
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("Prenotazioni bicicletta 12 anno 2025.pln"));
        QCOMPARE(Planning::load(path).status, Planning::Loaded::Status::Empty);
        QVERIFY(!QFile::exists(path));
        Planning::Days days = daysWith({{0, "  Rossi 333  "}, {365, "Bianchi"}, {40, "   "}});
        days[59] = QStringLiteral("x").repeated(60); // 29 February, cut to the capacity
        QVERIFY(Planning::save(path, Vehicle, days));
        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes.size(), 18900);
        QCOMPARE(bytes.mid(0, 3), QByteArray("\x02"
                                             "12"));
        QCOMPARE(bytes.at(234), char(9));           // trimmed
        QCOMPARE(bytes.at(234 + 51 * 40), char(0)); // blanks are stored empty
        QCOMPARE(bytes.at(3243), char(50));
        const Planning::Loaded loaded = Planning::load(path);
        QCOMPARE(loaded.days[0], QStringLiteral("Rossi 333"));
        QCOMPARE(loaded.days[40], QString());
        QCOMPARE(loaded.days[59], QStringLiteral("x").repeated(50));
        QCOMPARE(loaded.days[365], QStringLiteral("Bianchi"));
    }

    void saveKeepsWhatFollowsTheRecord()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.pln"));
        QVERIFY(writeFile(path, QByteArray(18900, '\0') + "coda"));
        QVERIFY(Planning::save(path, Vehicle, daysWith({{3, "Verdi"}})));
        const QByteArray bytes = readFile(path);
        QCOMPARE(bytes.size(), 18904);
        QVERIFY(bytes.endsWith("coda"));
        QCOMPARE(Planning::load(path).days[3], QStringLiteral("Verdi"));
    }

    void unreadableFileIsToldApart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.pln"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("p.pln")));
        QCOMPARE(Planning::load(path).status, Planning::Loaded::Status::Unreadable);
    }

    void vehicleNumbersThatCannotNameAFile_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("refused");
        QTest::newRow("plain") << "B-12" << false;
        QTest::newRow("blanks and accents") << " Città 7 " << false;
        QTest::newRow("slash") << "12/A" << true;
        QTest::newRow("backslash") << "12\\A" << true;
        QTest::newRow("colon") << "A:1" << true;
        QTest::newRow("question") << "A?" << true;
        QTest::newRow("quote") << "A\"1" << true;
        QTest::newRow("pipe") << "A|1" << true;
        QTest::newRow("control") << "A\t1" << true;
    }

    void vehicleNumbersThatCannotNameAFile()
    {
        QFETCH(QString, number);
        QFETCH(bool, refused);
        QCOMPARE(!Planning::fileNameProblem(number).isEmpty(), refused);
    }

    void mergeKeepsBothWorkstationsBookings()
    {
        const Planning::Days loaded = daysWith({{1, "Rossi"}, {2, "Verdi"}, {3, "Neri"}});
        // Here: 1 freed, 4 booked, 3 changed. There: 2 changed, 5 booked, 3 changed differently.
        const Planning::Days mine = daysWith({{2, "Verdi"}, {3, "Neri Ugo"}, {4, "Bianchi"}});
        const Planning::Days onDisk = daysWith({{1, "Rossi"}, {2, "Verdi Ada"}, {3, "Gialli"}, {5, "Blu"}});
        std::vector<int> conflicts;
        const Planning::Days merged = Planning::merge(loaded, mine, onDisk, &conflicts);
        QCOMPARE(merged[1], QString());
        QCOMPARE(merged[2], QStringLiteral("Verdi Ada"));
        QCOMPARE(merged[3], QStringLiteral("Neri Ugo"));
        QCOMPARE(merged[4], QStringLiteral("Bianchi"));
        QCOMPARE(merged[5], QStringLiteral("Blu"));
        QCOMPARE(conflicts, std::vector<int>{3});
    }

    void summaryLinesStartWithTheDay()
    {
        QCOMPARE(Planning::summaryLine(Planning::slotOf(2, 29), QStringLiteral(" Rossi ")),
                 QStringLiteral("29 febbraio    Rossi"));
        QCOMPARE(Planning::summaryLine(0, QStringLiteral("A")), QStringLiteral("01 gennaio     A"));
        QCOMPARE(Planning::dateText(Planning::slotOf(12, 31), QStringLiteral("2025")),
                 QStringLiteral("31/12/2025"));
    }
};

RF_REGISTER_TEST(PlanningFileTest)
#include "PlanningFileTest.moc"
