#include "contracts/ContractReturn.h"
#include "contracts/SchedaContratto.h"
#include "support/Archives.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using namespace rf::Test;

Q_DECLARE_METATYPE(rf::Contracts::Returned)

namespace {

// The list line of a contract in these tests: its customer alone.
QByteArray customerLine(const RecordView& record)
{
    return record.fieldBytes(TSchedaContratto().indexOf(QStringLiteral("Cliente")));
}

QStringList storedRecords(const QString& path)
{
    QStringList records;
    scanArchive(path, TSchedaContratto(), [&records](const RecordView& record) {
        records.append(record.texts().join(QLatin1Char('|')));
    });
    return records;
}

} // namespace

class ContractReturnTest : public QObject {
    Q_OBJECT
private slots:
    // Three contracts, Verdi's returned already; a line listed at a position is marked returned.
    void markReturnedFindsTheLinesRecord_data()
    {
        QTest::addColumn<qint64>("position");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<Contracts::Returned>("outcome");
        QTest::addColumn<int>("changed"); // the record rewritten, 0 for none
        QTest::newRow("the listed record")
            << qint64(2) << QByteArray("Bianchi") << Contracts::Returned::Done << 2;
        QTest::newRow("moved since the list")
            << qint64(1) << QByteArray("Bianchi ") << Contracts::Returned::Done << 2;
        QTest::newRow("returned already")
            << qint64(3) << QByteArray("Verdi") << Contracts::Returned::Done << 0;
        QTest::newRow("no longer there")
            << qint64(2) << QByteArray("Neri") << Contracts::Returned::NotFound << 0;
        QTest::newRow("past the end")
            << qint64(9) << QByteArray("Neri") << Contracts::Returned::NotFound << 0;
    }
    void markReturnedFindsTheLinesRecord()
    {
        QFETCH(qint64, position);
        QFETCH(QByteArray, line);
        QFETCH(Contracts::Returned, outcome);
        QFETCH(int, changed);
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(Contracts::ArchiveName));
        const QString no = Contracts::returnedNo();
        const QString yes = Contracts::returnedYes();
        for (const auto& [customer, returned] : {std::pair{"Rossi", no}, {"Bianchi", no}, {"Verdi", yes}})
            appendRecord(path, TSchedaContratto(),
                         {{QStringLiteral("Cliente"), QLatin1String(customer)},
                          {QStringLiteral("Note"), QStringLiteral("nota di ") + QLatin1String(customer)},
                          {QStringLiteral("Riconsegnato"), returned}});
        QStringList expected = storedRecords(path);
        if (changed > 0) {
            QStringList texts = expected[changed - 1].split(QLatin1Char('|'));
            texts[Contracts::ReturnedField] = yes;
            expected[changed - 1] = texts.join(QLatin1Char('|'));
        }

        QCOMPARE(Contracts::markReturned(path, position, line, customerLine), outcome);
        // Only the returned flag of the line's record changes; every other field stays.
        QCOMPARE(storedRecords(path), expected);
    }
};

RF_REGISTER_TEST(ContractReturnTest)
#include "ContractReturnTest.moc"
