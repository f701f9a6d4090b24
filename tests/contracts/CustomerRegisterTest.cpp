#include "contracts/CustomerRegister.h"
#include "contracts/SchedaContratto.h"
#include "storage/Amounts.h"
#include "support/Archives.h"
#include "support/Fixtures.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using namespace rf::Contracts;

namespace {

// Writes the contracts, each "Data;Cliente;CodFisc" (the other fields empty), in archive order.
QString writeContracts(const QTemporaryDir& dir, const QStringList& contracts)
{
    const QString path = dir.filePath(QString::fromLatin1(ArchiveName));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    for (const QString& contract : contracts) {
        const QStringList parts = contract.split(QLatin1Char(';'));
        file.write(Test::encodeRecord(TSchedaContratto(), {{QStringLiteral("Data"), parts.value(0)},
                                                           {QStringLiteral("Cliente"), parts.value(1)},
                                                           {QStringLiteral("CodFisc"), parts.value(2)}}));
    }
    return path;
}

// A customer as "Cliente;CodFisc;last rental;rentals".
QString summary(const Customer& customer)
{
    return QStringList{customer.value(QStringLiteral("Cliente")), customer.value(QStringLiteral("CodFisc")),
                       customer.lastRental.isValid() ? formatDate(customer.lastRental) : QString(),
                       QString::number(customer.rentals)}
        .join(QLatin1Char(';'));
}

QStringList names(const std::vector<const Customer*>& customers)
{
    QStringList out;
    for (const Customer* customer : customers)
        out.append(customer->value(QStringLiteral("Cliente")));
    return out;
}

} // namespace

class CustomerRegisterTest : public QObject {
    Q_OBJECT
private slots:
    void customersAreKeyedByCodeElseByNameNewestFirst_data()
    {
        QTest::addColumn<QStringList>("contracts");
        QTest::addColumn<QStringList>("customers");
        QTest::newRow("same code, other spelling and case")
            << QStringList{"01/03/2024;Mario Rossi;rssmra80a01h501u",
                           "05/03/2024;ROSSI MARIO; RSSMRA80A01H501U "}
            << QStringList{"ROSSI MARIO;RSSMRA80A01H501U;05/03/2024;2"};
        QTest::newRow("no code: the name, case and blanks aside")
            << QStringList{"01/03/2024;Anna Bianchi;", "02/03/2024; ANNA BIANCHI ;",
                           "03/03/2024;Anna Bianco;"}
            << QStringList{"Anna Bianco;;03/03/2024;1", "ANNA BIANCHI;;02/03/2024;2"};
        QTest::newRow("same name, two codes")
            << QStringList{"01/03/2024;Luca Verdi;VRDLCU80A01H501A", "02/03/2024;Luca Verdi;VRDLCU90B02F205B"}
            << QStringList{"Luca Verdi;VRDLCU90B02F205B;02/03/2024;1",
                           "Luca Verdi;VRDLCU80A01H501A;01/03/2024;1"};
        QTest::newRow("newest by date, not by archive order")
            << QStringList{"10/3/2024;Mario Rossi;RSSMRA80A01H501U", "09/03/2024;M. Rossi;RSSMRA80A01H501U",
                           "02/01/2025;Anna Bianchi;"}
            << QStringList{"Anna Bianchi;;02/01/2025;1", "Mario Rossi;RSSMRA80A01H501U;10/03/2024;2"};
        QTest::newRow("same date: the later in the archive")
            << QStringList{"05/03/2024;Rossi Mario;RSSMRA80A01H501U", "05/03/2024;Anna Bianchi;",
                           "05/03/2024;Mario Rossi;RSSMRA80A01H501U"}
            << QStringList{"Mario Rossi;RSSMRA80A01H501U;05/03/2024;2", "Anna Bianchi;;05/03/2024;1"};
        QTest::newRow("a date that cannot be read is the oldest")
            << QStringList{"31/02/2024;Anna Bianchi;", "01/01/2020;Luca Verdi;", "marzo;Luca Verdi;"}
            << QStringList{"Luca Verdi;;01/01/2020;2", "Anna Bianchi;;;1"};
        QTest::newRow("neither name nor code is nobody") << QStringList{"05/03/2024;;"} << QStringList{};
    }
    void customersAreKeyedByCodeElseByNameNewestFirst()
    {
        QFETCH(QStringList, contracts);
        QFETCH(QStringList, customers);
        QTemporaryDir dir;
        CustomerRegister register_;
        QCOMPARE(register_.read(writeContracts(dir, contracts)), ScanResult::Done);
        QStringList found;
        for (const Customer& customer : register_.customers())
            found.append(summary(customer));
        QCOMPARE(found, customers);
    }

    void theNewestContractGivesEveryCustomerField()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(ArchiveName));
        // Each field tagged and cut to what it holds, so that the two contracts differ in every one.
        const auto tagged = [](const char* tag, const char* field) {
            const int capacity =
                TSchedaContratto().capacity(TSchedaContratto().indexOf(QLatin1String(field)));
            return (QLatin1String(tag) + QLatin1String(field)).left(capacity);
        };
        QMap<QString, QString> older;
        QMap<QString, QString> newer;
        for (const char* field : CustomerFields) {
            older.insert(QLatin1String(field), tagged("V", field));
            newer.insert(QLatin1String(field), tagged("N", field));
        }
        older[QStringLiteral("CodFisc")] = newer[QStringLiteral("CodFisc")] =
            QStringLiteral("RSSMRA80A01H501U");
        newer[QStringLiteral("Data")] = QStringLiteral("06/03/2024");
        older[QStringLiteral("Data")] = QStringLiteral("05/03/2024");
        newer[QStringLiteral("Cliente")] = QStringLiteral("Nicolò Rossi"); // survives Windows-1252
        Test::addContract(dir.path(), newer);
        Test::addContract(dir.path(), older);

        CustomerRegister register_;
        QCOMPARE(register_.read(path), ScanResult::Done);
        QCOMPARE(register_.customers().size(), std::size_t(1));
        for (const char* field : CustomerFields)
            QCOMPARE(register_.customers().front().value(QLatin1String(field)),
                     newer.value(QLatin1String(field)));
    }

    void queriesNeedThreeCharactersOfNameOrCode_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("surname, newest first") << "ross" << QStringList{"Rossana Verdi", "Nicolò Rossi"};
        QTest::newRow("capitals and no accent") << "NICOLO" << QStringList{"Nicolò Rossi"};
        QTest::newRow("accent typed") << "colò" << QStringList{"Nicolò Rossi"};
        QTest::newRow("fiscal code, small letters") << "bnc" << QStringList{"Anna Bianchi"};
        QTest::newRow("three characters, blanks around") << "  ann " << QStringList{"Anna Bianchi"};
        QTest::newRow("two characters find nothing") << "ro" << QStringList{};
        QTest::newRow("two characters and blanks find nothing") << " ro  " << QStringList{};
        QTest::newRow("not across name and code") << "rossirss" << QStringList{};
        QTest::newRow("absent") << "xyz" << QStringList{};
    }
    void queriesNeedThreeCharactersOfNameOrCode()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, found);
        QTemporaryDir dir;
        CustomerRegister register_;
        QCOMPARE(register_.read(writeContracts(dir, {"01/02/2024;Nicolò Rossi;RSSNCL80A01H501U",
                                                     "02/02/2024;Anna Bianchi;BNCNNA85C41L378K",
                                                     "03/02/2024;Rossana Verdi;"})),
                 ScanResult::Done);
        QCOMPARE(names(register_.find(query)), found);
    }

    void anArchiveThatCannotBeReadFailsEmpty()
    {
        QTemporaryDir dir;
        const QString path = writeContracts(dir, {"01/02/2024;Anna Bianchi;"});
        CustomerRegister register_;
        QCOMPARE(register_.read(path), ScanResult::Done);
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(dir.path()).mkdir(QString::fromLatin1(ArchiveName)));
        QCOMPARE(register_.read(path), ScanResult::Failed);
        QVERIFY(register_.customers().empty());
    }
};

RF_REGISTER_TEST(CustomerRegisterTest)
#include "CustomerRegisterTest.moc"
