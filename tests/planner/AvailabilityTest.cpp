#include "planner/Availability.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/PlanningFile.h"
#include "planner/ui/TfrmMenuCamere.h"
#include "reports/Layout.h"
#include "support/Archives.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>

using namespace rf;
using namespace rf::test;
using State = Planning::Availability::State;

Q_DECLARE_METATYPE(State)

namespace {

// Planning files held in memory, by year; each booking is "yyyy-mm-dd text" and may name the slot
// of 29 February in any year. Counts the loads.
struct Bookings {
    QMap<int, Planning::Days> years;
    QList<int> loaded;

    explicit Bookings(const QStringList& bookings)
    {
        for (const QString& booking : bookings) {
            const QStringList date = booking.section(QLatin1Char(' '), 0, 0).split(QLatin1Char('-'));
            const int slot = Planning::slotOf(date.at(1).toInt(), date.at(2).toInt());
            years[date.at(0).toInt()][std::size_t(slot)] = booking.section(QLatin1Char(' '), 1);
        }
    }
    Planning::YearLoader loader()
    {
        return [this](int year, int, int) {
            loaded.append(year);
            if (!years.contains(year))
                return Planning::Loaded{Planning::Loaded::Status::Empty, {}};
            return Planning::Loaded{Planning::Loaded::Status::Read, years.value(year)};
        };
    }
};

QDate day(const char* text)
{
    return QDate::fromString(QLatin1String(text), QStringLiteral("dd/MM/yyyy"));
}

void addVehicle(FakeContext& fake, const QString& number)
{
    appendRecord(fake.file(QStringLiteral("Parco_Veicoli.pro")), TSchedaVeicolo(),
                 {{QStringLiteral("BiciNum"), number},
                  {QStringLiteral("Marca"), QStringLiteral("Atala City")},
                  {QStringLiteral("Anno"), QStringLiteral("2023")}});
}

void book(FakeContext& fake, const QString& number, int year, const QList<QDate>& days)
{
    Planning::Days texts;
    for (const QDate& d : days)
        texts[std::size_t(Planning::slotOf(d.month(), d.day()))] = QStringLiteral("Rossi");
    QVERIFY(Planning::save(fake.file(Planning::fileName(number, QString::number(year))), {number, {}, {}, {}},
                           texts));
}

struct Shown {
    QStringList lines;
    QList<QRgb> colours;
    QString start, end;
    QString thirdDays; // what lblGiorni shows with the third line picked
};

// Runs the availability window from the planner entry: drive types and searches, then the lines
// on show are kept and the window is closed (or left to drive when it closed it).
Shown runAvailability(TfrmMenuCamere& entry, const std::function<void(QWidget*)>& drive)
{
    Shown shown;
    onNextModal([&shown, drive](QWidget* dialog) {
        shown.start = child<QLineEdit>(dialog, QStringLiteral("txtDataInizio"))->text();
        shown.end = child<QLineEdit>(dialog, QStringLiteral("txtDataFine"))->text();
        drive(dialog);
        if (!dialog->isVisible())
            return;
        auto* list = child<QListView>(dialog, QStringLiteral("lstRecords"));
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            const QModelIndex index = list->model()->index(row, 0);
            shown.lines.append(index.data().toString());
            shown.colours.append(index.data(Qt::ForegroundRole).value<QColor>().rgba());
        }
        if (list->model()->rowCount() > 2) {
            list->setCurrentIndex(list->model()->index(2, 0));
            shown.thirdDays = child<QLabel>(dialog, QStringLiteral("lblGiorni"))->text();
        }
        click(dialog, QStringLiteral("btnChiudi"));
    });
    click(&entry, QStringLiteral("btnDisponibilita"));
    return shown;
}

void search(QWidget* dialog, const QString& start, const QString& end)
{
    child<QLineEdit>(dialog, QStringLiteral("txtDataInizio"))->setText(start);
    auto* last = child<QLineEdit>(dialog, QStringLiteral("txtDataFine"));
    last->clear();
    QTest::keyClicks(last, end);
    click(dialog, QStringLiteral("btnCerca"));
}

} // namespace

class AvailabilityTest : public QObject {
    Q_OBJECT
private slots:
    void classifiesEachDayFromItsYearsFile_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QStringList>("bookings");
        QTest::addColumn<State>("state");
        QTest::addColumn<QStringList>("booked");
        const QDate newYearStart = day("30/12/2026"), newYearEnd = day("02/01/2027");
        QTest::newRow("free over the new year")
            << newYearStart << newYearEnd
            << QStringList{"2026-12-29 Rossi", "2027-01-03 Rossi", "2026-12-31    "} << State::Free
            << QStringList{};
        QTest::newRow("partly booked in both years")
            << newYearStart << newYearEnd << QStringList{"2026-12-31 Rossi", "2027-01-02 Bianchi"}
            << State::Partial << QStringList{"31/12/2026 Rossi", "02/01/2027 Bianchi"};
        QTest::newRow("every day over the new year")
            << newYearStart << newYearEnd
            << QStringList{"2026-12-30 A", "2026-12-31 B", "2027-01-01 C", "2027-01-02 D"} << State::Full
            << QStringList{"30/12/2026 A", "31/12/2026 B", "01/01/2027 C", "02/01/2027 D"};
        QTest::newRow("the day after a year's file is the next year's")
            << newYearStart << newYearEnd << QStringList{"2027-12-30 Rossi", "2026-01-01 Rossi"}
            << State::Free << QStringList{};
        QTest::newRow("29 February of a leap year is a day")
            << day("28/02/2028") << day("01/03/2028") << QStringList{"2028-02-29 Verdi"} << State::Partial
            << QStringList{"29/02/2028 Verdi"};
        QTest::newRow("29 February of a common year is no day")
            << day("28/02/2027") << day("01/03/2027")
            << QStringList{"2027-02-28 Verdi", "2027-02-29 Stale", "2027-03-01 Verdi"} << State::Full
            << QStringList{"28/02/2027 Verdi", "01/03/2027 Verdi"};
    }

    void classifiesEachDayFromItsYearsFile()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QStringList, bookings);
        QFETCH(State, state);
        QFETCH(QStringList, booked);
        Bookings files(bookings);
        const Planning::Availability availability = Planning::classify(start, end, files.loader());
        QCOMPARE(availability.state, state);
        QStringList days;
        for (const auto& b : availability.booked)
            days.append(b.date.toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char(' ') + b.text);
        QCOMPARE(days, booked);
        QList<int> years;
        for (int year = start.year(); year <= end.year(); ++year)
            years.append(year);
        QCOMPARE(files.loaded, years); // each year's file once
    }

    void unreadableYearIsUnknownAndTold()
    {
        const Planning::YearLoader loader = [](int year, int, int) {
            Planning::Loaded loaded{Planning::Loaded::Status::Read, {}};
            if (year == 2027)
                loaded.status = Planning::Loaded::Status::Unreadable;
            else
                loaded.days[std::size_t(Planning::slotOf(12, 31))] = QStringLiteral("Rossi");
            return loaded;
        };
        const Planning::Availability availability =
            Planning::classify(day("30/12/2026"), day("02/01/2027"), loader);
        QCOMPARE(availability.state, State::Unknown);
        QCOMPARE(Planning::statusWord(availability.state), QStringLiteral("PARZIALE"));
        QCOMPARE(Planning::bookedDaysText(availability), QStringLiteral("file non leggibile, 31/12 Rossi"));
    }

    void bookedDaysAreCutAfterTen_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("two") << 2 << "01/05 C1, 02/05 C2";
        QTest::newRow("ten") << 10
                             << "01/05 C1, 02/05 C2, 03/05 C3, 04/05 C4, 05/05 C5, 06/05 C6, 07/05 C7, "
                                "08/05 C8, 09/05 C9, 10/05 C10";
        QTest::newRow("eleven") << 11
                                << "01/05 C1, 02/05 C2, 03/05 C3, 04/05 C4, 05/05 C5, 06/05 C6, 07/05 C7, "
                                   "08/05 C8, 09/05 C9, 10/05 C10 e un altro giorno";
        QTest::newRow("fifteen") << 15
                                 << "01/05 C1, 02/05 C2, 03/05 C3, 04/05 C4, 05/05 C5, 06/05 C6, 07/05 C7, "
                                    "08/05 C8, 09/05 C9, 10/05 C10 e altri 5 giorni";
    }

    void bookedDaysAreCutAfterTen()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        Planning::Availability availability{State::Partial, {}};
        for (int i = 1; i <= count; ++i)
            availability.booked.push_back({QDate(2026, 5, i), QStringLiteral("C%1").arg(i)});
        QCOMPARE(Planning::bookedDaysText(availability), text);
    }

    void planningFilesAreReadNeverCreated()
    {
        FakeContext fake;
        const QString folder = fake.folder();
        const auto years = [&folder](const QString& number) {
            return Planning::classify(day("30/12/2026"), day("02/01/2027"),
                                      Planning::planningFilesOf(folder, number));
        };
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(years(QStringLiteral("5")).state, State::Free);
        QCOMPARE(years(QStringLiteral("12/A")).state, State::Free); // a number no file can have
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);

        book(fake, QStringLiteral("5"), 2027, {QDate(2027, 1, 2)});
        const Planning::Availability partly = years(QStringLiteral("5"));
        QCOMPARE(partly.state, State::Partial);
        QCOMPARE(partly.booked.size(), std::size_t(1));
        QCOMPARE(partly.booked.front().date, QDate(2027, 1, 2));
        QVERIFY(!QFile::exists(fake.file(Planning::fileName(QStringLiteral("5"), QStringLiteral("2026")))));

        // Only the days asked for are decoded; the file reads as load reads it.
        const QString path = fake.file(Planning::fileName(QStringLiteral("5"), QStringLiteral("2027")));
        QCOMPARE(Planning::peek(path, 0, 0).days[1], QString());
        QCOMPARE(Planning::peek(path).days, Planning::load(path).days);

        QVERIFY(QDir(folder).mkdir(Planning::fileName(QStringLiteral("6"), QStringLiteral("2026"))));
        QCOMPARE(years(QStringLiteral("6")).state, State::Unknown);
    }

    void cercaListsFreePartlyBookedThenFull()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2026, 12, 30), QTime(9, 0));
        for (const char* number : {"4", "3", "2", "1", "12/A"})
            addVehicle(fake, QLatin1String(number));
        book(fake, QStringLiteral("1"), 2026, {QDate(2026, 12, 30), QDate(2026, 12, 31)});
        book(fake, QStringLiteral("1"), 2027, {QDate(2027, 1, 1), QDate(2027, 1, 2)});
        book(fake, QStringLiteral("3"), 2027, {QDate(2027, 1, 2)});
        book(fake, QStringLiteral("4"), 2026, {QDate(2026, 12, 31)});
        TfrmMenuCamere entry(fake.context());
        entry.show();
        const QString filesBefore = QDir(fake.folder()).entryList(QDir::Files).join(QLatin1Char('|'));

        const Shown shown = runAvailability(entry, [](QWidget* dialog) {
            search(dialog, QStringLiteral("30/12/2026"), QStringLiteral("02/01/2027"));
            click(dialog, QStringLiteral("btnStampa"));
        });
        // The printed list says which span it is about.
        QCOMPARE(fake.reports().printed.front().pages.front().find(QStringLiteral("txtTitolo"))->text(),
                 QStringLiteral("Disponibilità veicoli dal 30/12/2026 al 02/01/2027"));
        QCOMPARE(shown.start, QStringLiteral("30/12/2026"));
        QCOMPARE(shown.end, QStringLiteral("30/12/2026"));
        const QStringList entryLines = entry.vehicles().lines();
        const auto vehicle = [&entryLines](const QString& number) {
            for (const QString& line : entryLines) {
                if (line.startsWith(QStringLiteral("Bici n. ") + number + QLatin1Char(' ')))
                    return line;
            }
            return QString();
        };
        QCOMPARE(
            shown.lines,
            (QStringList{
                QStringLiteral("LIBERA    ") + vehicle(QStringLiteral("12/A")),
                QStringLiteral("LIBERA    ") + vehicle(QStringLiteral("2")),
                QStringLiteral("PARZIALE  ") + vehicle(QStringLiteral("3")) + QStringLiteral("  02/01 Rossi"),
                QStringLiteral("PARZIALE  ") + vehicle(QStringLiteral("4")) + QStringLiteral("  31/12 Rossi"),
                QStringLiteral("OCCUPATA  ") + vehicle(QStringLiteral("1")),
            }));
        QCOMPARE(shown.colours, (QList<QRgb>{Style::FreeGreen, Style::FreeGreen, Style::PartlyAmber,
                                             Style::PartlyAmber, Style::TakenRed}));
        QCOMPARE(shown.thirdDays, QStringLiteral("Giorni prenotati: 02/01 Rossi"));
        QCOMPARE(QDir(fake.folder()).entryList(QDir::Files).join(QLatin1Char('|')), filesBefore);
        QVERIFY(fake.messages().all().isEmpty());
    }

    void cercaRefusesBadSpans_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no start")
            << ""
            << "02/01/2027"
            << "Attenzione: indicare la data di inizio del periodo nel formato gg/mm/aaaa.";
        QTest::newRow("no such day") << "29/02/2027"
                                     << "02/03/2027"
                                     << "Attenzione: la data 29/02/2027 di inizio periodo non "
                                        "esiste.\n\r\n\rPer verificare la disponibilità è "
                                        "necessario indicare una data valida nel formato gg/mm/aaaa.";
        QTest::newRow("end before start") << "05/01/2027"
                                          << "02/01/2027"
                                          << "Attenzione: la data di fine periodo (02/01/2027) non può "
                                             "essere anteriore a quella di inizio periodo "
                                             "(05/01/2027).\n\r\n\rPer verificare la disponibilità è "
                                             "necessario indicare un intervallo di tempo "
                                             "valido.";
        QTest::newRow("longer than a year") << "01/01/2028"
                                            << "01/01/2029"
                                            << "Attenzione: il periodo indicato supera i 366 "
                                               "giorni.\n\r\n\rPer verificare la disponibilità è "
                                               "necessario indicare un periodo di al massimo 366 giorni.";
    }

    void cercaRefusesBadSpans()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, warning);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("1"));
        TfrmMenuCamere entry(fake.context());
        entry.show();
        const Shown shown = runAvailability(entry, [&](QWidget* dialog) { search(dialog, start, end); });
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text, warning);
        QCOMPARE(shown.lines, QStringList{});
    }

    void cercaOverAnEmptyFleetWarns()
    {
        FakeContext fake;
        TfrmMenuCamere entry(fake.context());
        entry.show();
        const Shown shown =
            runAvailability(entry, [](QWidget* dialog) { click(dialog, QStringLiteral("btnCerca")); });
        QCOMPARE(fake.messages().last().text, TfrmMenuCamere::noVehiclesText());
        QCOMPARE(shown.lines, QStringList{});
    }

    void doubleClickOpensTheVehiclesPlanningOfTheStartYear()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2026, 6, 1), QTime(9, 0));
        for (const char* number : {"8", "9"})
            addVehicle(fake, QLatin1String(number));
        book(fake, QStringLiteral("8"), 2026, {QDate(2026, 12, 31)});
        TfrmMenuCamere entry(fake.context());
        entry.show();
        runAvailability(entry, [](QWidget* dialog) {
            search(dialog, QStringLiteral("31/12/2026"), QStringLiteral("01/01/2027"));
            doubleClickRow(child<QListView>(dialog, QStringLiteral("lstRecords")), 1); // PARZIALE, vehicle 8
        });
        QTRY_COMPARE(entry.lblMemory, QStringLiteral("planning"));
        QCOMPARE(entry.lblBiciNum, QStringLiteral("8"));
        QCOMPARE(entry.lblFile, fake.file(Planning::fileName(QStringLiteral("8"), QStringLiteral("2026"))));
        QCOMPARE(entry.target().year, QStringLiteral("2026"));
        QVERIFY(!entry.isVisible());
    }
};

RF_REGISTER_TEST(AvailabilityTest)
#include "AvailabilityTest.moc"
