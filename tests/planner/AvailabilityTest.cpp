#include "planner/Availability.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/PlanningFile.h"
#include "planner/ui/PlanningMessages.h"
#include "planner/ui/TfrmMenuCamere.h"
#include "reports/Layout.h"
#include "support/FakeContext.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace rf;
using namespace rf::Test;
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

// The fleet's vehicles are all of 2023.
const Fields Built2023{{QStringLiteral("Anno"), QStringLiteral("2023")}};

struct Shown {
    QStringList lines;
    QList<QRgb> colours;
    QString start, end;
    QString thirdDays;   // what lblGiorni shows with the third line picked
    QString firstDetail; // what lblGiorni shows with the first line picked
    QString counts;
};

// Runs the availability window from the planner entry: drive types and searches, then the lines
// on show are kept and the window is closed (or left to drive when it closed it). False when a step
// failed.
[[nodiscard]] bool runAvailability(TfrmMenuCamere& entry, const std::function<void(QWidget*)>& drive,
                                   Shown& shown)
{
    return driveModal([&] { QVERIFY(click(&entry, QStringLiteral("btnDisponibilita"))); },
                      [&shown, drive](QWidget* dialog) {
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
                          shown.counts = child<QLabel>(dialog, QStringLiteral("lblTrovate"))->text();
                          if (list->model()->rowCount() > 0) {
                              list->setCurrentIndex(list->model()->index(0, 0));
                              shown.firstDetail = child<QLabel>(dialog, QStringLiteral("lblGiorni"))->text();
                          }
                          if (list->model()->rowCount() > 2) {
                              list->setCurrentIndex(list->model()->index(2, 0));
                              shown.thirdDays = child<QLabel>(dialog, QStringLiteral("lblGiorni"))->text();
                          }
                          QVERIFY(click(dialog, QStringLiteral("btnChiudi")));
                      });
}

// A line of the availability list: the status, the vehicle's number, the days, the rest of the
// vehicle's line.
QString availabilityLine(const QString& status, const QString& vehicleLine, const QString& days)
{
    return status.leftJustified(18) + vehicleLine.left(23) + QStringLiteral("  ") + days.leftJustified(30) +
           vehicleLine.mid(23);
}

// The planner entry's line of a vehicle.
QString entryLine(const TfrmMenuCamere& entry, const QString& number)
{
    for (const QString& line : entry.vehicles().lines()) {
        if (line.startsWith(QStringLiteral("Bici n. ") + number + QLatin1Char(' ')))
            return line;
    }
    return QString();
}

// Lays down a vehicle's planning files over the span 30/12/2026 - 02/01/2027 as kind says: none,
// "partial" (31/12 booked), "full", "read-only" (partial, the file read-only), "short" (the 2026
// file cut short of a record) or "folder" (partial, a folder in place of the 2027 file).
void layDown(FakeContext& fake, const QString& number, const QString& kind)
{
    const QString file2026 = fake.file(Planning::fileName(number, QStringLiteral("2026")));
    if (kind == QLatin1String("full")) {
        book(fake, number, {QDate(2026, 12, 30), QDate(2026, 12, 31), QDate(2027, 1, 1), QDate(2027, 1, 2)},
             QStringLiteral("Rossi"));
    } else if (!kind.isEmpty()) {
        book(fake, number, {QDate(2026, 12, 31)}, QStringLiteral("Rossi"));
    }
    if (kind == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(file2026, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (kind == QLatin1String("short"))
        QVERIFY(QFile::resize(file2026, 100));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(fake.folder()).mkdir(Planning::fileName(number, QStringLiteral("2027"))));
}

void search(QWidget* dialog, const QString& start, const QString& end)
{
    child<QLineEdit>(dialog, QStringLiteral("txtDataInizio"))->setText(start);
    auto* last = child<QLineEdit>(dialog, QStringLiteral("txtDataFine"));
    last->clear();
    QTest::keyClicks(last, end);
    QVERIFY(click(dialog, QStringLiteral("btnCerca")));
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

    void unreadableYearIsToldApartWithTheDaysThatCouldBeRead()
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
        QCOMPARE(availability.state, State::Unreadable);
        QCOMPARE(Planning::statusWord(availability.state), QStringLiteral("ILLEGGIBILE"));
        QCOMPARE(Planning::daysColumn(availability), QStringLiteral("anno 2027 illeggibile"));
        QCOMPARE(Planning::bookedDaysText(availability), QStringLiteral("31/12 Rossi"));
    }

    void daysColumnJoinsRunsOfDays()
    {
        Planning::Availability availability{State::Partial, {}, {}, {}};
        for (const QDate& d : {QDate(2026, 12, 30), QDate(2026, 12, 31), QDate(2027, 1, 1), QDate(2027, 1, 3),
                               QDate(2027, 1, 5), QDate(2027, 1, 6)})
            availability.booked.push_back({d, QStringLiteral("Rossi")});
        QCOMPARE(Planning::daysColumn(availability), QStringLiteral("30/12-01/01, 03/01, 05/01-06/01"));
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
        Planning::Availability availability{State::Partial, {}, {}, {}};
        for (int i = 1; i <= count; ++i)
            availability.booked.push_back({QDate(2026, 5, i), QStringLiteral("C%1").arg(i)});
        QCOMPARE(Planning::bookedDaysText(availability), text);
    }

    void planningFilesAreReadNeverCreated()
    {
        FakeContext fake;
        const QString folder = fake.folder();
        const auto years = [&folder](const QString& number) {
            return Planning::availabilityOf(folder, number, day("30/12/2026"), day("02/01/2027"));
        };
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(years(QStringLiteral("5")).state, State::Free);
        const Planning::Availability unplannable = years(QStringLiteral("12/A")); // a number no file can have
        QCOMPARE(unplannable.state, State::NotPlannable);
        QCOMPARE(Planning::daysColumn(unplannable), QStringLiteral("numero con \"/\""));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);

        book(fake, QStringLiteral("5"), {QDate(2027, 1, 2)}, QStringLiteral("Rossi"));
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
        QCOMPARE(years(QStringLiteral("6")).state, State::Unreadable);
    }

    void cercaListsFreePartlyBookedFullThenUnknown()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2026, 12, 30), QTime(9, 0));
        for (const char* number : {"4", "3", "2", "1", "12/A"})
            addVehicle(fake, QLatin1String(number), QStringLiteral("Atala City"), Built2023);
        book(fake, QStringLiteral("1"),
             {QDate(2026, 12, 30), QDate(2026, 12, 31), QDate(2027, 1, 1), QDate(2027, 1, 2)},
             QStringLiteral("Rossi"));
        book(fake, QStringLiteral("3"), {QDate(2027, 1, 2)}, QStringLiteral("Rossi"));
        book(fake, QStringLiteral("4"), {QDate(2026, 12, 31)}, QStringLiteral("Rossi"));
        TfrmMenuCamere entry(fake.context());
        entry.show();
        const QString filesBefore = QDir(fake.folder()).entryList(QDir::Files).join(QLatin1Char('|'));

        Shown shown;
        QVERIFY(runAvailability(
            entry,
            [](QWidget* dialog) {
                search(dialog, QStringLiteral("30/12/2026"), QStringLiteral("02/01/2027"));
                QVERIFY(click(dialog, QStringLiteral("btnStampa")));
            },
            shown));
        // The printed list says which span it is about.
        QCOMPARE(fake.reports().printed.front().pages.front().find(QStringLiteral("txtTitolo"))->text(),
                 QStringLiteral("Disponibilità veicoli dal 30/12/2026 al 02/01/2027"));
        QCOMPARE(shown.start, QStringLiteral("30/12/2026"));
        QCOMPARE(shown.end, QStringLiteral("30/12/2026"));
        const auto vehicle = [&entry](const QString& number) { return entryLine(entry, number); };
        // The booked days come right after the number, where they are seen without scrolling.
        QCOMPARE(shown.lines,
                 (QStringList{
                     availabilityLine(QStringLiteral("LIBERA"), vehicle(QStringLiteral("2")), QString()),
                     availabilityLine(QStringLiteral("PARZIALE"), vehicle(QStringLiteral("3")),
                                      QStringLiteral("02/01")),
                     availabilityLine(QStringLiteral("PARZIALE"), vehicle(QStringLiteral("4")),
                                      QStringLiteral("31/12")),
                     availabilityLine(QStringLiteral("OCCUPATA"), vehicle(QStringLiteral("1")),
                                      QStringLiteral("tutti i giorni")),
                     availabilityLine(QStringLiteral("NON PIANIFICABILE"), vehicle(QStringLiteral("12/A")),
                                      QStringLiteral("numero con \"/\"")),
                 }));
        QCOMPARE(shown.colours, (QList<QRgb>{Style::FreeGreen, Style::PartlyAmber, Style::PartlyAmber,
                                             Style::TakenRed, Style::UnplannableGrey}));
        QCOMPARE(shown.counts,
                 QStringLiteral("Libere: 1   Parziali: 2   Occupate: 1   Non pianificabili: 1"));
        QCOMPARE(shown.thirdDays, QStringLiteral("Giorni prenotati: 31/12 Rossi"));
        QCOMPARE(QDir(fake.folder()).entryList(QDir::Files).join(QLatin1Char('|')), filesBefore);
        QVERIFY(fake.messages().all().isEmpty());
    }

    void eachStatusHasItsWordColourAndCount_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("days");
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("counts");
        QTest::newRow("free") << "7"
                              << ""
                              << "LIBERA"
                              << "" << uint(Style::FreeGreen) << ""
                              << "Libere: 1   Parziali: 0   Occupate: 0";
        QTest::newRow("partial") << "7"
                                 << "partial"
                                 << "PARZIALE"
                                 << "31/12" << uint(Style::PartlyAmber) << "Giorni prenotati: 31/12 Rossi"
                                 << "Libere: 0   Parziali: 1   Occupate: 0";
        QTest::newRow("read-only file read as any other")
            << "7"
            << "read-only"
            << "PARZIALE"
            << "31/12" << uint(Style::PartlyAmber) << "Giorni prenotati: 31/12 Rossi"
            << "Libere: 0   Parziali: 1   Occupate: 0";
        QTest::newRow("full") << "7"
                              << "full"
                              << "OCCUPATA"
                              << "tutti i giorni" << uint(Style::TakenRed)
                              << "Giorni prenotati: 30/12 Rossi, 31/12 Rossi, 01/01 Rossi, 02/01 Rossi"
                              << "Libere: 0   Parziali: 0   Occupate: 1";
        QTest::newRow("file shorter than a record")
            << "7"
            << "short"
            << "ILLEGGIBILE"
            << "anno 2026 illeggibile" << uint(Style::UnreadableViolet)
            << "Non leggibile: \"Prenotazioni bicicletta 7 anno 2026.pln\""
            << "Libere: 0   Parziali: 0   Occupate: 0   Illeggibili: 1";
        QTest::newRow("folder for the next year's file")
            << "7"
            << "folder"
            << "ILLEGGIBILE"
            << "anno 2027 illeggibile" << uint(Style::UnreadableViolet)
            << "Non leggibile: \"Prenotazioni bicicletta 7 anno 2027.pln\"\nGiorni prenotati: 31/12 Rossi"
            << "Libere: 0   Parziali: 0   Occupate: 0   Illeggibili: 1";
        QTest::newRow("number with a slash")
            << "3/4"
            << ""
            << "NON PIANIFICABILE"
            << "numero con \"/\"" << uint(Style::UnplannableGrey)
            << "Il numero contiene caratteri che non possono far parte del nome di un file (\"/\")."
            << "Libere: 0   Parziali: 0   Occupate: 0   Non pianificabili: 1";
        QTest::newRow("number with a colon")
            << "A:1"
            << ""
            << "NON PIANIFICABILE"
            << "numero con \":\"" << uint(Style::UnplannableGrey)
            << "Il numero contiene caratteri che non possono far parte del nome di un file (\":\")."
            << "Libere: 0   Parziali: 0   Occupate: 0   Non pianificabili: 1";
    }

    void eachStatusHasItsWordColourAndCount()
    {
        QFETCH(QString, number);
        QFETCH(QString, kind);
        QFETCH(QString, status);
        QFETCH(QString, days);
        QFETCH(uint, colour);
        QFETCH(QString, detail);
        QFETCH(QString, counts);
        FakeContext fake;
        addVehicle(fake, number, QStringLiteral("Atala City"), Built2023);
        layDown(fake, number, kind);
        TfrmMenuCamere entry(fake.context());
        entry.show();
        Shown shown;
        QVERIFY(runAvailability(
            entry,
            [](QWidget* dialog) {
                search(dialog, QStringLiteral("30/12/2026"), QStringLiteral("02/01/2027"));
            },
            shown));
        QCOMPARE(shown.lines, QStringList{availabilityLine(status, entryLine(entry, number), days)});
        QCOMPARE(shown.colours, QList<QRgb>{QRgb(colour)});
        QCOMPARE(shown.firstDetail, detail);
        QCOMPARE(shown.counts, counts);
    }

    void aLineOpensItsPlanningOrSaysWhyNot_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("refusal"); // empty: the planning opens
        const QString slash = QStringLiteral("Attenzione: il planning della bicicletta n. 3/4 non può essere "
                                             "aperto: il numero del veicolo contiene "
                                             "caratteri che non possono far parte del nome di un file "
                                             "(\"/\").\n\r\n\rPer utilizzare il planner è "
                                             "necessario modificare il numero nella scheda del veicolo.");
        const QString unreadable = QStringLiteral("Attenzione: le prenotazioni della bicicletta n. 7 per "
                                                  "l'anno 2026 non possono essere lette: il file "
                                                  "\"Prenotazioni bicicletta 7 anno 2026.pln\" è danneggiato "
                                                  "o non accessibile.\n\r\n\rIl planning del "
                                                  "veicolo non può essere aperto.");
        QTest::newRow("partial, double click") << "7"
                                               << "partial" << false << "";
        QTest::newRow("partial, Enter") << "7"
                                        << "partial" << true << "";
        QTest::newRow("only the next year unreadable") << "7"
                                                       << "folder" << true << "";
        QTest::newRow("not plannable, double click") << "3/4"
                                                     << "" << false << slash;
        QTest::newRow("not plannable, Enter") << "3/4"
                                              << "" << true << slash;
        QTest::newRow("start year unreadable") << "7"
                                               << "short" << false << unreadable;
    }

    void aLineOpensItsPlanningOrSaysWhyNot()
    {
        QFETCH(QString, number);
        QFETCH(QString, kind);
        QFETCH(bool, byEnter);
        QFETCH(QString, refusal);
        FakeContext fake;
        addVehicle(fake, number, QStringLiteral("Atala City"), Built2023);
        layDown(fake, number, kind);
        TfrmMenuCamere entry(fake.context());
        entry.show();
        Shown shown;
        QVERIFY(runAvailability(
            entry,
            [byEnter](QWidget* dialog) {
                search(dialog, QStringLiteral("30/12/2026"), QStringLiteral("02/01/2027"));
                auto* list = child<QListView>(dialog, QStringLiteral("lstRecords"));
                if (byEnter) {
                    list->setFocus();
                    list->setCurrentIndex(list->model()->index(0, 0));
                    QTest::keyClick(list, Qt::Key_Return);
                } else {
                    QVERIFY(doubleClickRow(list, 0));
                }
            },
            shown));
        if (refusal.isEmpty()) {
            QTRY_COMPARE(entry.lblMemory, TfrmMenuCamere::Next::Planning);
            QCOMPARE(entry.lblFile, fake.file(Planning::fileName(number, QStringLiteral("2026"))));
            QVERIFY(fake.messages().all().isEmpty());
            return;
        }
        // Told why, and the results are still on show to pick another vehicle.
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text, refusal);
        QCOMPARE(shown.lines.size(), 1);
        QCOMPARE(entry.lblMemory, TfrmMenuCamere::Next::Launcher);
        QVERIFY(entry.isVisible());
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
        QTest::newRow("no end") << "02/01/2027"
                                << ""
                                << "Attenzione: indicare la data di fine del periodo nel formato gg/mm/aaaa.";
        QTest::newRow("no such end day") << "02/04/2027"
                                         << "31/04/2027"
                                         << "Attenzione: la data 31/04/2027 di fine periodo non "
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
        addVehicle(fake, QStringLiteral("1"), QStringLiteral("Atala City"), Built2023);
        TfrmMenuCamere entry(fake.context());
        entry.show();
        Shown shown;
        QVERIFY(runAvailability(
            entry, [&](QWidget* dialog) { search(dialog, start, end); }, shown));
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(fake.messages().last().text, warning);
        QCOMPARE(shown.lines, QStringList{});
    }

    // From the keyboard: a date typed empties the list at once (no line of the earlier span stays
    // under the new dates), Enter leads from the dates to Cerca, and Enter on Cerca searches.
    void keyboardSearchNeverShowsEarlierResults()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2027, 1, 1), QTime(9, 0));
        addVehicle(fake, QStringLiteral("1"), QStringLiteral("Atala City"), Built2023);
        book(fake, QStringLiteral("1"), {QDate(2027, 1, 5)}, QStringLiteral("Rossi"));
        TfrmMenuCamere entry(fake.context());
        entry.show();
        Shown shown;
        QVERIFY(runAvailability(
            entry,
            [](QWidget* dialog) {
                auto* list = child<QListView>(dialog, QStringLiteral("lstRecords"));
                QCOMPARE(list->model()->rowCount(), 1); // today's, on show at once
                QVERIFY(list->model()->index(0, 0).data().toString().startsWith(QStringLiteral("LIBERA")));
                auto* first = child<QLineEdit>(dialog, QStringLiteral("txtDataInizio"));
                auto* last = child<QLineEdit>(dialog, QStringLiteral("txtDataFine"));
                QTRY_VERIFY(first->hasFocus());
                QTest::keyClicks(first, QStringLiteral("05/01/2027"));
                QCOMPARE(list->model()->rowCount(), 0);
                QCOMPARE(child<QLabel>(dialog, QStringLiteral("lblTrovate"))->text(),
                         QStringLiteral("Veicoli in elenco: 0"));
                QTest::keyClick(first, Qt::Key_Return);
                QTRY_VERIFY(last->hasFocus());
                QTest::keyClicks(last, QStringLiteral("05/01/2027"));
                QTest::keyClick(last, Qt::Key_Return);
                auto* cerca = child<QPushButton>(dialog, QStringLiteral("btnCerca"));
                QTRY_VERIFY(cerca->hasFocus());
                QCOMPARE(list->model()->rowCount(), 0);
                QTest::keyClick(cerca, Qt::Key_Return);
                QCOMPARE(list->model()->rowCount(), 1);
            },
            shown));
        QCOMPARE(shown.start, QStringLiteral("01/01/2027"));
        QCOMPARE(shown.lines.size(), 1);
        QVERIFY2(shown.lines.front().startsWith(QStringLiteral("OCCUPATA")), qPrintable(shown.lines.front()));
        QVERIFY(fake.messages().all().isEmpty());
    }

    void cercaOverAnEmptyFleetWarns()
    {
        FakeContext fake;
        TfrmMenuCamere entry(fake.context());
        entry.show();
        Shown shown;
        QVERIFY(runAvailability(
            entry, [](QWidget* dialog) { QVERIFY(click(dialog, QStringLiteral("btnCerca"))); }, shown));
        QCOMPARE(fake.messages().last().text, PlanningMessages::noVehicles());
        QCOMPARE(shown.lines, QStringList{});
    }

    void doubleClickOpensTheVehiclesPlanningOfTheStartYear()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2026, 6, 1), QTime(9, 0));
        for (const char* number : {"8", "9"})
            addVehicle(fake, QLatin1String(number), QStringLiteral("Atala City"), Built2023);
        book(fake, QStringLiteral("8"), {QDate(2026, 12, 31)}, QStringLiteral("Rossi"));
        TfrmMenuCamere entry(fake.context());
        entry.show();
        Shown shown;
        QVERIFY(runAvailability(
            entry,
            [](QWidget* dialog) {
                search(dialog, QStringLiteral("31/12/2026"), QStringLiteral("01/01/2027"));
                // PARZIALE, vehicle 8
                QVERIFY(doubleClickRow(child<QListView>(dialog, QStringLiteral("lstRecords")), 1));
            },
            shown));
        QTRY_COMPARE(entry.lblMemory, TfrmMenuCamere::Next::Planning);
        QCOMPARE(entry.lblBiciNum, QStringLiteral("8"));
        QCOMPARE(entry.lblFile, fake.file(Planning::fileName(QStringLiteral("8"), QStringLiteral("2026"))));
        QCOMPARE(entry.target().year, QStringLiteral("2026"));
        QVERIFY(!entry.isVisible());
    }

    // A vehicle in the workshop on days of the span is listed apart, in its own colour, with its
    // stay; outside the stay it is free again. Nothing is written into its planning files.
    void vehiclesInTheWorkshopAreListedApart()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("1"), QStringLiteral("Atala City"), Built2023);
        addVehicle(fake, QStringLiteral("2"), QStringLiteral("Atala City"), Built2023);
        addWorkshopStay(fake.folder(), QStringLiteral("2"), QDate(2026, 6, 3), QDate(2026, 6, 5));
        TfrmMenuCamere entry(fake.context());
        entry.show();
        const auto vehicle = [&entry](const QString& number) { return entryLine(entry, number); };
        Shown during;
        QVERIFY(runAvailability(
            entry,
            [](QWidget* dialog) {
                search(dialog, QStringLiteral("04/06/2026"), QStringLiteral("10/06/2026"));
            },
            during));
        QCOMPARE(
            during.lines,
            (QStringList{availabilityLine(QStringLiteral("LIBERA"), vehicle(QStringLiteral("1")), QString()),
                         availabilityLine(QStringLiteral("IN OFFICINA"), vehicle(QStringLiteral("2")),
                                          QStringLiteral("04/06-05/06 officina"))}));
        QCOMPARE(during.colours, (QList<QRgb>{Style::FreeGreen, Style::WorkshopInk}));
        QCOMPARE(during.counts, QStringLiteral("Libere: 1   Parziali: 0   Occupate: 0   In officina: 1"));

        Shown after;
        QVERIFY(runAvailability(
            entry,
            [](QWidget* dialog) {
                search(dialog, QStringLiteral("06/06/2026"), QStringLiteral("10/06/2026"));
            },
            after));
        QCOMPARE(after.counts, QStringLiteral("Libere: 2   Parziali: 0   Occupate: 0"));
        QVERIFY(!QFile::exists(fake.file(Planning::fileName(QStringLiteral("2"), QStringLiteral("2026")))));
    }
};

RF_REGISTER_TEST(AvailabilityTest)
#include "AvailabilityTest.moc"
