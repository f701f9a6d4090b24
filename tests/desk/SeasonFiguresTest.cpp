#include "desk/SeasonFigures.h"
#include "contracts/SchedaContratto.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "planner/BookedDays.h"
#include "planner/PlanningFile.h"
#include "storage/Amounts.h"
#include "support/Archives.h"
#include "support/Fixtures.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using namespace rf::Test;

namespace {

// A workshop log entry: its date, cost and workshop days (dd/MM/yyyy, either may be empty).
Service::Entry addService(const QTemporaryDir& dir, const char* number, const char* day, const char* cost,
                          const char* from = "", const char* to = "")
{
    const auto date = [](const char* text) {
        return QDate::fromString(QLatin1String(text), QStringLiteral("dd/MM/yyyy"));
    };
    Service::Entry entry;
    entry.vehicleNumber = QLatin1String(number);
    entry.date = date(day);
    entry.work = QStringLiteral("Tagliando");
    entry.cost = QLatin1String(cost);
    entry.workshopFrom = date(from);
    entry.workshopTo = date(to);
    entry.position = Service::append(dir.path(), entry);
    return entry;
}

// "7: 2 rentals, 4 days, 350,00 € - 75,50 € = 274,50 €, 6 days in the workshop"
QString marginText(const VehicleFigures& v)
{
    return QStringLiteral("%1: %2 rentals, %3 days, %4 - %5 = %6, %7 days in the workshop")
        .arg(v.number)
        .arg(v.rentals)
        .arg(v.daysRented)
        .arg(euroText(v.revenueCents), euroText(v.workshopCents), euroText(v.marginCents()))
        .arg(v.workshopDays);
}

VehicleFigures vehicle(const char* number, int daysRented, std::optional<int> daysBooked = std::nullopt)
{
    return {QString::fromLatin1(number), 1, daysRented, daysBooked};
}

QStringList numbersOf(const std::vector<VehicleFigures>& vehicles)
{
    QStringList numbers;
    for (const VehicleFigures& v : vehicles)
        numbers.append(v.number);
    return numbers;
}

} // namespace

class SeasonFiguresTest : public QObject {
    Q_OBJECT
private slots:
    // Each row is one contract alone in the archive, figured for 2024.
    void aContractCountsWholeWhereItStarts_data()
    {
        QTest::addColumn<QString>("dataInizio");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("dataFine");
        QTest::addColumn<QString>("totGiorni");
        QTest::addColumn<QString>("totale");
        QTest::addColumn<int>("month");    // 0: not counted in 2024
        QTest::addColumn<qint64>("cents"); // in that month
        QTest::addColumn<int>("weekday");  // 1 = Monday
        QTest::addColumn<int>("days");     // 0: length unknown
        QTest::addColumn<int>("unreadableDates");
        QTest::addColumn<int>("unreadableAmounts");
        const auto row = [](const char* name, const char* start, const char* data, const char* end,
                            const char* dayCount, const char* total, int month, qint64 cents, int weekday,
                            int days, int badDates, int badAmounts) {
            QTest::newRow(name) << QString::fromUtf8(start) << QString::fromUtf8(data)
                                << QString::fromUtf8(end) << QString::fromUtf8(dayCount)
                                << QString::fromUtf8(total) << month << cents << weekday << days << badDates
                                << badAmounts;
        };
        row("within a month", "03/01/2024", "02/01/2024", "05/01/2024", "", "120,50", 1, 12050, 3, 2, 0, 0);
        row("same day counts one", "7/3/2024", "", "07/03/2024", "", "15", 3, 1500, 4, 1, 0, 0);
        row("two months: in the start's, whole", "30/06/2024", "", "03/07/2024", "", "300,00", 6, 30000, 7, 3,
            0, 0);
        row("into the next year: in this one, whole", "30/12/2024", "", "02/01/2025", "", "90,00", 12, 9000,
            1, 3, 0, 0);
        row("from the year before: not this year's", "31/12/2023", "", "02/01/2024", "", "90,00", 0, 0, 0, 0,
            0, 0);
        row("empty start: the contract's date", "", "15/06/2024", "15/06/2024", "", "45,00", 6, 4500, 6, 1, 0,
            0);
        row("unreadable start: skipped", "32/01/2024", "", "02/02/2024", "", "10,00", 0, 0, 0, 0, 1, 0);
        row("unreadable start: no fallback", "1/13/2024", "01/02/2024", "", "", "10,00", 0, 0, 0, 0, 1, 0);
        row("start of ten digits: unreadable", "2222222222", "", "02/02/2024", "", "10,00", 0, 0, 0, 0, 1, 0);
        row("end too long to count: the day count", "10/03/2024", "", "99/99/99999999999", "2", "5", 3, 500,
            7, 2, 0, 0);
        row("unreadable amount: rental without revenue", "10/03/2024", "", "12/03/2024", "", "12.50", 3, 0, 7,
            2, 0, 1);
        row("empty amount: none, not unreadable", "10/03/2024", "", "12/03/2024", "", "", 3, 0, 7, 2, 0, 0);
        row("no end: the day count", "10/03/2024", "", "", "4", "1,005", 3, 100, 7, 4, 0, 0);
        row("end before start, no count: length unknown", "10/03/2024", "", "09/03/2024", "x", "5", 3, 500, 7,
            0, 0, 0);
    }
    void aContractCountsWholeWhereItStarts()
    {
        QFETCH(QString, dataInizio);
        QFETCH(QString, data);
        QFETCH(QString, dataFine);
        QFETCH(QString, totGiorni);
        QFETCH(QString, totale);
        QFETCH(int, month);
        QFETCH(qint64, cents);
        QFETCH(int, weekday);
        QFETCH(int, days);
        QFETCH(int, unreadableDates);
        QFETCH(int, unreadableAmounts);
        QTemporaryDir dir;
        addContract(dir.path(), {{QStringLiteral("DataInizio"), dataInizio},
                                 {QStringLiteral("Data"), data},
                                 {QStringLiteral("DataFine"), dataFine},
                                 {QStringLiteral("TotGiorni"), totGiorni},
                                 {QStringLiteral("Totale"), totale},
                                 {QStringLiteral("BiciNum"), QStringLiteral("7")}});

        const SeasonFigures figures = seasonFigures(dir.path(), 2024);
        std::array<int, 12> rentals{};
        std::array<qint64, 12> revenue{};
        std::array<int, 7> weekdays{};
        if (month > 0) {
            rentals[std::size_t(month - 1)] = 1;
            revenue[std::size_t(month - 1)] = cents;
            weekdays[std::size_t(weekday - 1)] = 1;
        }
        QCOMPARE(figures.rentals, rentals);
        QCOMPARE(figures.revenueCents, revenue);
        QCOMPARE(figures.weekdays, weekdays);
        QCOMPARE(figures.rentalsOfKnownLength, days > 0 ? 1 : 0);
        QCOMPARE(figures.daysRented, qint64(days));
        QCOMPARE(figures.unreadableDates, unreadableDates);
        QCOMPARE(figures.unreadableAmounts, unreadableAmounts);
        QCOMPARE(int(figures.vehicles.size()), month > 0 ? 1 : 0);
        if (month > 0)
            QCOMPARE(figures.vehicles.front().daysRented, days);
        QVERIFY(figures.contractsRead);
    }

    void seasonTotalsVehiclesAndUtilization()
    {
        QTemporaryDir dir;
        for (const char* number : {"7", "12", "3", "A/1"})
            addVehicle(dir.path(), QString::fromLatin1(number), QString());
        const auto contract = [&](const char* start, const char* end, const char* total, const char* bike) {
            addContract(dir.path(), {{QStringLiteral("DataInizio"), QString::fromLatin1(start)},
                                     {QStringLiteral("DataFine"), QString::fromLatin1(end)},
                                     {QStringLiteral("Totale"), QString::fromLatin1(total)},
                                     {QStringLiteral("BiciNum"), QString::fromLatin1(bike)}});
        };
        contract("01/04/2024", "04/04/2024", "60,00", "7");    // Monday, 3 days
        contract("05/04/2024", "06/04/2024", "20,00", "12");   // Friday, 1 day
        contract("30/04/2024", "02/05/2024", "35,50", "7");    // Tuesday, 2 days, April's
        contract("18/05/2024", "28/05/2024", "1000,00", "99"); // Saturday, 10 days, no fleet card
        contract("20/05/2024", "21/05/2024", "nulla", "");     // Monday, 1 day, no vehicle
        contract("20/05/2023", "21/05/2023", "80,00", "3");    // another year
        bookInYear(dir.path(), QStringLiteral("7"), 2024,
                   {QDate(2024, 2, 29), QDate(2024, 4, 1), QDate(2024, 4, 2), QDate(2024, 4, 3)},
                   QStringLiteral("Rossi"));
        bookInYear(dir.path(), QStringLiteral("7"), 2023, {QDate(2023, 5, 20)}, QStringLiteral("Rossi"));
        // A planning file cut short cannot be read: its vehicle's bookings are unknown.
        QFile cut(dir.filePath(Planning::fileName(QStringLiteral("12"), QStringLiteral("2024"))));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(QByteArray(100, 'x'));
        cut.close();

        const QString folder = dir.path();
        const SeasonFigures figures = seasonFigures(folder, 2024, [&folder](const QString& number) {
            return Planning::bookedDaysInYear(folder, number, 2024);
        });
        QCOMPARE(figures.totalRentals(), 5);
        QCOMPARE(figures.rentals[3], 3);
        QCOMPARE(figures.rentals[4], 2);
        QCOMPARE(figures.totalRevenueCents(), qint64(111550));
        QCOMPARE(figures.revenueCents[3], qint64(11550));
        QCOMPARE(figures.weekdays, (std::array<int, 7>{2, 1, 0, 0, 1, 1, 0}));
        QCOMPARE(figures.averageLength(), 17.0 / 5);
        QCOMPARE(figures.unreadableAmounts, 1);

        // The fleet in archive order, then the numbers met only in contracts.
        QCOMPARE(numbersOf(figures.vehicles), (QStringList{"7", "12", "3", "A/1", "99"}));
        const VehicleFigures& seven = figures.vehicles[0];
        QCOMPARE(seven.rentals, 2);
        QCOMPARE(seven.daysRented, 5);
        QCOMPARE(seven.daysBooked, std::optional<int>(4));
        QCOMPARE(figures.utilization(seven), std::optional<double>(4.0 / 366));
        QVERIFY(!figures.vehicles[1].daysBooked);                        // unreadable planning file
        QCOMPARE(figures.vehicles[2].daysBooked, std::optional<int>(0)); // no planning file
        QCOMPARE(figures.vehicles[2].daysRented, 0);
        QVERIFY(!figures.vehicles[3].daysBooked); // no file can have that name
        QCOMPARE(figures.vehicles[4].daysRented, 10);
        QVERIFY(!figures.utilization(figures.vehicles[1]));
        // Nothing was created for the vehicles without a planning file.
        QVERIFY(
            !QFile::exists(dir.filePath(Planning::fileName(QStringLiteral("3"), QStringLiteral("2024")))));

        // 29 February booked in a year that has none is no day of it.
        bookInYear(dir.path(), QStringLiteral("3"), 2023, {QDate(2024, 2, 29), QDate(2023, 3, 1)},
                   QStringLiteral("Rossi"));
        QCOMPARE(Planning::bookedDaysInYear(folder, QStringLiteral("3"), 2023), std::optional<int>(1));
    }

    // Revenue by the contracts of the year, workshop cost by the entries dated in it, days in the
    // workshop by the spans within it, each day once; a vehicle met only in the log comes last.
    void marginsOfTheYearPerVehicle()
    {
        QTemporaryDir dir;
        for (const char* number : {"7", "12"})
            addVehicle(dir.path(), QString::fromLatin1(number), QString());
        const auto contract = [&](const char* start, const char* end, const char* total, const char* bike) {
            addContract(dir.path(), {{QStringLiteral("DataInizio"), QString::fromLatin1(start)},
                                     {QStringLiteral("DataFine"), QString::fromLatin1(end)},
                                     {QStringLiteral("Totale"), QString::fromLatin1(total)},
                                     {QStringLiteral("BiciNum"), QString::fromLatin1(bike)}});
        };
        contract("01/04/2024", "04/04/2024", "300,00", "7");
        contract("10/05/2024", "11/05/2024", "50,00", "7");
        contract("20/05/2023", "21/05/2023", "80,00", "7"); // another year
        contract("05/04/2024", "06/04/2024", "20,00", "12");
        addService(dir, "7", "15/03/2024", "45,00", "15/03/2024", "17/03/2024");
        addService(dir, "7", "16/03/2024", "30,50", "17/03/2024", "18/03/2024"); // the 17th once
        addService(dir, "7", "30/12/2023", "60,00", "30/12/2023", "02/01/2024"); // last year's cost
        addService(dir, "12", "10/06/2024", "120,00", "10/06/2024");
        addService(dir, "12", "02/01/2025", "99,00", "31/12/2024", "02/01/2025"); // next year's cost
        QVERIFY(Service::remove(dir.path(), addService(dir, "12", "11/06/2024", "500,00")));
        addService(dir, "99", "01/02/2024", "10,00");
        addService(dir, "55", "01/02/2023", "10,00"); // nothing in 2024: not met

        const SeasonFigures figures = seasonFigures(dir.path(), 2024);
        QVERIFY(figures.serviceLogRead);
        QStringList margins;
        for (const VehicleFigures& v : figures.vehicles)
            margins.append(marginText(v));
        QCOMPARE(margins, (QStringList{
                              QString::fromUtf8("7: 2 rentals, 4 days, 350,00 € - 75,50 € = 274,50 €, 6 days "
                                                "in the workshop"),
                              QString::fromUtf8("12: 1 rentals, 1 days, 20,00 € - 120,00 € = -100,00 €, 2 "
                                                "days in the workshop"),
                              QString::fromUtf8("99: 0 rentals, 0 days, 0,00 € - 10,00 € = -10,00 €, 0 days "
                                                "in the workshop"),
                          }));
        QCOMPARE(figures.totalWorkshopCents(), qint64(20550));
        QCOMPARE(numbersOf(rankedByMargin(figures.vehicles)), (QStringList{"7", "99", "12"}));

        // A log that cannot be read is told, and the contracts are still counted.
        QVERIFY(QFile::remove(dir.filePath(QLatin1String(Service::ArchiveName))));
        QVERIFY(QDir(dir.path()).mkdir(QLatin1String(Service::ArchiveName)));
        const SeasonFigures unread = seasonFigures(dir.path(), 2024);
        QVERIFY(!unread.serviceLogRead);
        QCOMPARE(unread.totalRevenueCents(), qint64(37000));
    }

    void vehiclesRankFromMostRented()
    {
        const std::vector<VehicleFigures> ranked =
            rankedVehicles({vehicle("10", 5), vehicle("2", 5), vehicle("B", 9), vehicle("A", 0, 3),
                            vehicle("9", 5, 1), vehicle("C", 0)});
        // Days rented, then days booked (unknown last), then the number, whole numbers in numeric order.
        QCOMPARE(numbersOf(ranked), (QStringList{"B", "9", "2", "10", "A", "C"}));
        // Digits inside a number count as numbers too.
        QCOMPARE(numbersOf(rankedVehicles({vehicle("B-10", 1), vehicle("b-9", 1), vehicle("B-2", 1)})),
                 (QStringList{"B-2", "b-9", "B-10"}));

        std::vector<VehicleFigures> many;
        for (int i = 25; i > 0; --i)
            many.push_back(vehicle(QByteArray::number(i).constData(), i));
        QStringList ends;
        for (int i : {25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1})
            ends.append(QString::number(i));
        QCOMPARE(numbersOf(topAndBottom(many, 10)), ends);
        many.resize(15);
        QCOMPARE(topAndBottom(many, 10).size(), std::size_t(15));
    }

    void amountsInCentsAndEuros_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("cents"); // -1: not a number
        QTest::addColumn<QString>("euros");
        QTest::newRow("comma decimals") << "1234,5" << qint64(123450) << QString::fromUtf8("1.234,50 €");
        QTest::newRow("empty is nothing") << "  " << qint64(0) << QString::fromUtf8("0,00 €");
        QTest::newRow("rounded as the card rounds") << "2,675" << qint64(267) << QString::fromUtf8("2,67 €");
        QTest::newRow("millions") << "1234567" << qint64(123456700) << QString::fromUtf8("1.234.567,00 €");
        QTest::newRow("dot is no decimal") << "12.50" << qint64(-1) << QString();
        QTest::newRow("words") << "gratis" << qint64(-1) << QString();
    }
    void amountsInCentsAndEuros()
    {
        QFETCH(QString, text);
        QFETCH(qint64, cents);
        QFETCH(QString, euros);
        const std::optional<qint64> read = amountCents(text);
        QCOMPARE(read.value_or(-1), cents);
        if (read)
            QCOMPARE(euroText(*read), euros);
    }
};

RF_REGISTER_TEST(SeasonFiguresTest)
#include "SeasonFiguresTest.moc"
