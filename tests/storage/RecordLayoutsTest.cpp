#include "contracts/SchedaContratto.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/PlanningFile.h"
#include "support/TestMain.h"

#include <QTest>

using namespace rf;

namespace {

// The three archive records, as the rows name them.
const RecordLayout& layoutOf(const QString& record)
{
    if (record == QLatin1String("TSchedaVeicolo"))
        return TSchedaVeicolo();
    if (record == QLatin1String("TSchedaContratto"))
        return TSchedaContratto();
    return TSchedaPlanning();
}

} // namespace

// Every record's size, field count and the offsets of fields across it, as the files on disk have
// them: a shift anywhere moves the fields after it.
class RecordLayoutsTest : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTheArchiveBytes_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("fields");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        const auto row = [](const char* record, int size, int fields, const char* field, int offset,
                            int capacity) {
            QTest::addRow("%s %s", record, field) << QString::fromLatin1(record) << size << fields
                                                  << QString::fromLatin1(field) << offset << capacity;
        };
        const char* vehicle = "TSchedaVeicolo";
        row(vehicle, 4253, 33, "BiciNum", 0, 30);
        row(vehicle, 4253, 33, "Marca", 31, 120);
        row(vehicle, 4253, 33, "Eccedenza", 1254, 250);
        row(vehicle, 4253, 33, "Importo", 1505, 10);
        row(vehicle, 4253, 33, "Note", 2496, 250);
        row(vehicle, 4253, 33, "File01", 2747, 250);
        row(vehicle, 4253, 33, "Desc03", 4002, 250);
        const char* contract = "TSchedaContratto";
        row(contract, 5029, 55, "Ditta01", 0, 250);
        row(contract, 5029, 55, "Data", 502, 10);
        row(contract, 5029, 55, "Sesso", 615, 1);
        row(contract, 5029, 55, "CodFisc", 728, 16);
        row(contract, 5029, 55, "BiciNum", 1131, 30);
        row(contract, 5029, 55, "Importo", 1918, 10);
        row(contract, 5029, 55, "TotGiorni", 2076, 5);
        row(contract, 5029, 55, "Note", 3269, 250);
        row(contract, 5029, 55, "Riconsegnato", 3520, 2);
        row(contract, 5029, 55, "File01", 3523, 250);
        row(contract, 5029, 55, "Desc03", 4778, 250);
        const char* planning = "TSchedaPlanning";
        row(planning, 18900, 370, "Taglia", 203, 30);
        row(planning, 18900, 370, "gen_01", 234, 50);
        row(planning, 18900, 370, "dic_31", 18849, 50);
    }
    void layoutMatchesTheArchiveBytes()
    {
        QFETCH(QString, record);
        QFETCH(int, size);
        QFETCH(int, fields);
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        const RecordLayout& layout = layoutOf(record);
        QCOMPARE(layout.size(), size);
        QCOMPARE(layout.fieldCount(), fields);
        const int i = layout.indexOf(field);
        QVERIFY(i >= 0);
        QCOMPARE(layout.offset(i), offset);
        QCOMPARE(layout.capacity(i), capacity);
    }
};

RF_REGISTER_TEST(RecordLayoutsTest)
#include "RecordLayoutsTest.moc"
