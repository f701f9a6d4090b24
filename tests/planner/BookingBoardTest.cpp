#include "planner/BookingBoard.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/DayBooking.h"
#include "planner/documents/BoardSheet.h"
#include "planner/ui/BoardView.h"
#include "planner/ui/TfrmGiorno.h"
#include "planner/ui/TfrmTabellone.h"
#include "reports/Layout.h"
#include "support/FakeContext.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

using namespace rf;
using namespace rf::Test;

namespace {

Planning::FleetVehicle vehicle(const QString& number)
{
    return {1, {}, {number, QStringLiteral("Atala City"), {}, {}}};
}

QString booked(FakeContext& fake, const QString& number, const QDate& date)
{
    return Planning::peek(fake.file(Planning::fileName(number, QString::number(date.year()))))
        .days[std::size_t(Planning::slotOfDate(date))];
}

} // namespace

using Bars = std::vector<Planning::BoardBar>;
Q_DECLARE_METATYPE(Bars)

class BookingBoardTest : public QObject {
    Q_OBJECT
private slots:
    void barsJoinConsecutiveDaysOfOneText_data()
    {
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<Bars>("bars");
        QTest::newRow("free") << QStringList{"", "", ""} << Bars{};
        QTest::newRow("one text") << QStringList{"", "Rossi", "Rossi", "Rossi", ""} << Bars{{1, 3, "Rossi"}};
        QTest::newRow("a gap splits")
            << QStringList{"Rossi", "", "Rossi"} << Bars{{0, 0, "Rossi"}, {2, 2, "Rossi"}};
        QTest::newRow("another text splits") << QStringList{"Rossi", "Rossi", "Bianchi", "Bianchi"}
                                             << Bars{{0, 1, "Rossi"}, {2, 3, "Bianchi"}};
        QTest::newRow("to the last day") << QStringList{"", "Verdi", "Verdi"} << Bars{{1, 2, "Verdi"}};
    }
    void barsJoinConsecutiveDaysOfOneText()
    {
        QFETCH(QStringList, days);
        QFETCH(Bars, bars);
        QCOMPARE(Planning::barsOf(std::vector<QString>(days.begin(), days.end())), bars);
    }

    // A span across the new year reads both years' files; 29 February stands only in a leap year.
    void rowReadsEachYearOfItsSpan()
    {
        FakeContext fake;
        book(fake, QStringLiteral("7"),
             {QDate(2027, 12, 30), QDate(2027, 12, 31), QDate(2028, 1, 1), QDate(2028, 2, 28),
              QDate(2028, 2, 29), QDate(2028, 3, 1)},
             QStringLiteral("Rossi"));
        const Planning::BoardRow row =
            Planning::boardRow(fake.folder(), vehicle(QStringLiteral("7")), QDate(2027, 12, 30), 63);
        QVERIFY(row.problem.isEmpty());
        QCOMPARE(row.bars, (Bars{{0, 2, "Rossi"}, {60, 62, "Rossi"}})); // 28/02, 29/02 and 01/03/2028 joined
        QVERIFY(!QFile::exists(fake.file(Planning::fileName(QStringLiteral("7"), QStringLiteral("2026")))));
    }

    // A vehicle whose year cannot be read, or whose number cannot name a file, is shown as not known
    // on those days and says why; the other days keep their bars.
    void rowsNotKnownSayWhy()
    {
        FakeContext fake;
        book(fake, QStringLiteral("7"), {QDate(2026, 12, 31)}, QStringLiteral("Rossi"));
        QFile cut(fake.file(Planning::fileName(QStringLiteral("7"), QStringLiteral("2027"))));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(QByteArray(100, 'x')); // shorter than a record
        cut.close();
        const Planning::BoardRow unreadable =
            Planning::boardRow(fake.folder(), vehicle(QStringLiteral("7")), QDate(2026, 12, 30), 5);
        QCOMPARE(unreadable.problem, QStringLiteral("anno 2027 illeggibile"));
        QCOMPARE(unreadable.unknown, (std::vector<std::pair<int, int>>{{2, 4}}));
        QCOMPARE(unreadable.bars, (Bars{{1, 1, "Rossi"}}));

        const Planning::BoardRow unplannable =
            Planning::boardRow(fake.folder(), vehicle(QStringLiteral("7/B")), QDate(2026, 12, 30), 5);
        QVERIFY(unplannable.problem.contains(QLatin1Char('/')));
        QCOMPARE(unplannable.unknown, (std::vector<std::pair<int, int>>{{0, 4}}));
    }

    // Booking days as the board does: what is stored is read once before the user is asked (no file
    // made), each year touched is written through the merge, and the row returned shows what the
    // files hold now, the other workstation's meanwhile booking included.
    void bookingDaysWritesEachYearAndGivesTheFreshRow()
    {
        FakeContext fake;
        const QString pathOf2024 = fake.file(Planning::fileName(QStringLiteral("7"), QStringLiteral("2024")));
        const QString pathOf2025 = fake.file(Planning::fileName(QStringLiteral("7"), QStringLiteral("2025")));
        const Planning::DayBooking booking = Planning::readDayBooking(
            fake.folder(), vehicle(QStringLiteral("7")), QDate(2024, 12, 30), QDate(2025, 1, 1));
        QVERIFY(booking.bookable());
        QCOMPARE(int(booking.years.size()), 2);
        QVERIFY(!QFile::exists(pathOf2024));
        QVERIFY(!QFile::exists(pathOf2025));
        book(fake, QStringLiteral("7"), {QDate(2025, 1, 3)}, QStringLiteral("Bianchi")); // meanwhile

        const Planning::DaysBooked done =
            Planning::bookDays(fake.folder(), booking, QStringLiteral(" Rossi "), QDate(2024, 12, 29), 7);
        QCOMPARE(int(done.written.files.size()), 2);
        QVERIFY(!done.written.failed());
        QCOMPARE(done.row.bars, (Bars{{1, 3, "Rossi"}, {5, 5, "Bianchi"}}));
        QCOMPARE(booked(fake, QStringLiteral("7"), QDate(2025, 1, 1)), QStringLiteral("Rossi"));

        // The same text again changes nothing and writes nothing.
        const Planning::DaysBooked again =
            Planning::bookDays(fake.folder(),
                               Planning::readDayBooking(fake.folder(), vehicle(QStringLiteral("7")),
                                                        QDate(2024, 12, 30), QDate(2024, 12, 31)),
                               QStringLiteral("Rossi"), QDate(2024, 12, 29), 7);
        QVERIFY(again.written.files.empty());
        QCOMPARE(again.row.bars, done.row.bars);
    }

    // A year that cannot be read, or a number that cannot name a file, books nothing.
    void bookingDaysRefusesWhatCannotBeRead()
    {
        FakeContext fake;
        QFile cut(fake.file(Planning::fileName(QStringLiteral("7"), QStringLiteral("2025"))));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(QByteArray(100, 'x')); // shorter than a record
        cut.close();
        const Planning::DayBooking unreadable = Planning::readDayBooking(
            fake.folder(), vehicle(QStringLiteral("7")), QDate(2024, 12, 31), QDate(2025, 1, 1));
        QCOMPARE(unreadable.unreadableYear, 2025);
        QVERIFY(!unreadable.bookable());
        QVERIFY(Planning::bookDays(fake.folder(), unreadable, QStringLiteral("Rossi"), QDate(2024, 12, 31), 2)
                    .written.files.empty());
        QVERIFY(!QFile::exists(fake.file(Planning::fileName(QStringLiteral("7"), QStringLiteral("2024")))));
        QCOMPARE(cut.size(), 100);

        const Planning::DayBooking unplannable = Planning::readDayBooking(
            fake.folder(), vehicle(QStringLiteral("7/B")), QDate(2024, 12, 31), QDate(2024, 12, 31));
        QVERIFY(unplannable.numberProblem.contains(QLatin1Char('/')));
        QVERIFY(!unplannable.bookable());
    }

    // A bike sent to the workshop for three days shows a hatched bar there, is not free on those
    // days (so "Solo liberi" drops it), and booking one of them asks first, naming the stay: No
    // writes nothing, Yes books. The day after, it is free again.
    void workshopDaysAreNotFreeAndAskBeforeBooking()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        addVehicle(fake, QStringLiteral("8"));
        addWorkshopStay(fake.folder(), QStringLiteral("7"), QDate(2024, 3, 6), QDate(2024, 3, 8));
        TfrmTabellone board(fake.context(), nullptr);
        board.show();
        QVERIFY(QTest::qWaitForWindowActive(&board));
        BoardView* view = board.board();
        const Planning::BoardRow& row = view->rows()[0];
        QCOMPARE(int(row.workshop.size()), 1);
        QCOMPARE(row.workshop[0].first, 1); // the board starts on 05/03/2024
        QCOMPARE(row.workshop[0].last, 3);
        QVERIFY(!Planning::freeThrough(row, 2, 2));
        QVERIFY(Planning::freeThrough(row, 4, 6));
        QVERIFY(
            view->describe(0, 2).contains(QStringLiteral("IN OFFICINA: Freni dal 06/03/2024 al 08/03/2024")));

        view->setFocus();
        view->setCurrent(0, 2);
        QTest::keyClick(view, Qt::Key_L, Qt::ControlModifier); // Solo liberi on the current day
        QCOMPARE(int(view->rows().size()), 1);
        QCOMPARE(view->rows()[0].vehicle.vehicle.number, QStringLiteral("8"));
        QTest::keyClick(view, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(int(view->rows().size()), 2);

        fake.messages().answerNext(false);
        view->setCurrent(0, 2);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(fake.messages().defaultNoQuestions, 1);
        QVERIFY(fake.messages().last().text.contains(QStringLiteral("IN OFFICINA: Freni")));
        QVERIFY(!QFile::exists(fake.file(Planning::fileName(QStringLiteral("7"), QStringLiteral("2024")))));

        fake.messages().answerNext(true);
        QVERIFY(driveModal([&] { QTest::keyClick(view, Qt::Key_Return); },
                           [](QWidget* dialog) {
                               QTest::keyClicks(child<QLineEdit>(dialog, QStringLiteral("txtPrenotazione")),
                                                QStringLiteral("Rossi"));
                               QTest::keyClick(child<QLineEdit>(dialog, QStringLiteral("txtPrenotazione")),
                                               Qt::Key_Return);
                           }));
        QCOMPARE(booked(fake, QStringLiteral("7"), QDate(2024, 3, 7)), QStringLiteral("Rossi"));
        QCOMPARE(int(view->rows()[0].workshop.size()), 1); // the stay stays, shown over the booking
    }

    // Ctrl+M closes the board asking for the current vehicle's service log.
    void boardAsksForTheServiceLogOfTheCurrentVehicle()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        const qint64 second = addVehicle(fake, QStringLiteral("8"));
        TfrmTabellone board(fake.context(), nullptr);
        board.show();
        QVERIFY(QTest::qWaitForWindowActive(&board));
        board.board()->setFocus();
        QTest::keyClick(board.board(), Qt::Key_Down);
        QTest::keyClick(board.board(), Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(board.result(), int(QDialog::Accepted));
        QVERIFY(board.chosenServiceLog());
        QCOMPARE(board.chosenPosition(), second);
    }

    // Digits in a number count as numbers: B-2 before B-10, 9 before 10.
    void boardListsTheFleetInNumberOrder()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("10"));
        addVehicle(fake, QStringLiteral("B-2"));
        addVehicle(fake, QString()); // no number: not a vehicle to plan
        addVehicle(fake, QStringLiteral("B-10"), QStringLiteral("Bianchi Spillo"));
        addVehicle(fake, QStringLiteral("A-1"));
        addVehicle(fake, QStringLiteral("9"));
        const std::vector<Planning::BoardRow> rows = Planning::boardRows(
            fake.folder(), fake.file(QStringLiteral("Parco_Veicoli.pro")), QDate(2024, 3, 5), 14);
        QStringList numbers;
        for (const Planning::BoardRow& row : rows)
            numbers << row.vehicle.vehicle.number;
        QCOMPARE(numbers, (QStringList{"9", "10", "A-1", "B-2", "B-10"}));
        QCOMPARE(rows[4].vehicle.vehicle.make, QStringLiteral("Bianchi Spillo"));
    }

    // A booking reads the same on every span: its whole run of days, wherever the board begins and
    // ends, in the hint and in the line under the board.
    void hintGivesTheWholeBooking_data()
    {
        QTest::addColumn<QString>("dal");
        QTest::addColumn<int>("span");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("whole");
        const QString march = QStringLiteral("dal 10/03/2024 al 16/03/2024 (7 giorni)");
        const QString newYear = QStringLiteral("dal 30/12/2023 al 02/01/2024 (4 giorni)");
        QTest::newRow("month, all on screen")
            << "01/03/2024" << int(TfrmTabellone::Span::OneMonth) << QDate(2024, 3, 12) << march;
        QTest::newRow("three months")
            << "01/02/2024" << int(TfrmTabellone::Span::ThreeMonths) << QDate(2024, 3, 12) << march;
        QTest::newRow("begins before Dal")
            << "14/03/2024" << int(TfrmTabellone::Span::OneMonth) << QDate(2024, 3, 14) << march;
        QTest::newRow("ends after the span")
            << "01/03/2024" << int(TfrmTabellone::Span::TwoWeeks) << QDate(2024, 3, 11) << march;
        QTest::newRow("across the new year")
            << "01/01/2024" << int(TfrmTabellone::Span::TwoWeeks) << QDate(2024, 1, 1) << newYear;
        QTest::newRow("one day on screen of the other year")
            << "18/12/2023" << int(TfrmTabellone::Span::TwoWeeks) << QDate(2023, 12, 31) << newYear;
    }
    void hintGivesTheWholeBooking()
    {
        QFETCH(QString, dal);
        QFETCH(int, span);
        QFETCH(QDate, day);
        QFETCH(QString, whole);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        book(fake, QStringLiteral("7"),
             {QDate(2024, 3, 10), QDate(2024, 3, 11), QDate(2024, 3, 12), QDate(2024, 3, 13),
              QDate(2024, 3, 14), QDate(2024, 3, 15), QDate(2024, 3, 16)},
             QStringLiteral("Rossi"));
        book(fake, QStringLiteral("7"),
             {QDate(2023, 12, 30), QDate(2023, 12, 31), QDate(2024, 1, 1), QDate(2024, 1, 2)},
             QStringLiteral("Verdi"));
        book(fake, QStringLiteral("7"), {QDate(2024, 1, 3)}, QStringLiteral("Bianchi")); // another booking
        TfrmTabellone board(fake.context(), nullptr);
        child<QComboBox>(&board, QStringLiteral("cboPeriodo"))->setCurrentIndex(span);
        child<QLineEdit>(&board, QStringLiteral("txtDal"))->setText(dal);
        QVERIFY(board.reload());
        board.board()->setCurrent(0, int(board.start().daysTo(day)));
        const QString hint = board.board()->describe(0, board.board()->currentDay());
        QVERIFY2(hint.endsWith(whole), qPrintable(hint));
        QVERIFY(child<QLabel>(&board, QStringLiteral("lblInfo"))->text().endsWith(whole));
    }

    // A day clicked on the board is booked through the day dialog; a day another workstation booked
    // meanwhile is kept, as the yearly grid's save keeps it.
    void clickingADayBooksItThroughTheMerge()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        TfrmTabellone board(fake.context(), nullptr);
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        QCOMPARE(child<QLineEdit>(&board, QStringLiteral("txtDal"))->text(), QStringLiteral("05/03/2024"));
        BoardView* view = board.board();
        QCOMPARE(int(view->rows().size()), 1);
        QVERIFY(driveModal(
            [&] { QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(0, 2).center()); },
            [&](QWidget* dialog) {
                auto* day = qobject_cast<TfrmGiorno*>(dialog);
                QVERIFY(day);
                QCOMPARE(day->lblMemory, Planning::slotOf(3, 7));
                book(fake, QStringLiteral("7"), {QDate(2024, 3, 8)}, QStringLiteral("Bianchi")); // meanwhile
                QTest::keyClicks(child<QLineEdit>(day, QStringLiteral("txtPrenotazione")),
                                 QStringLiteral("Rossi"));
                QVERIFY(click(day, QStringLiteral("btnChiudi")));
            }));
        QCOMPARE(booked(fake, QStringLiteral("7"), QDate(2024, 3, 7)), QStringLiteral("Rossi"));
        QCOMPARE(booked(fake, QStringLiteral("7"), QDate(2024, 3, 8)), QStringLiteral("Bianchi"));
        QCOMPARE(view->rows()[0].bars, (Bars{{2, 2, "Rossi"}, {3, 3, "Bianchi"}}));
        QCOMPARE(fake.messages().count(), 0);
    }

    // From the keyboard: the arrows move the day, Enter asks for it, Shift+Enter closes the board
    // asking for the vehicle's yearly grid; the span moves by itself and Escape closes.
    void keyboardWorksTheBoard()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        addVehicle(fake, QStringLiteral("8"));
        TfrmTabellone board(fake.context(), nullptr);
        board.show();
        QVERIFY(QTest::qWaitForWindowActive(&board));
        BoardView* view = board.board();
        QVERIFY(view->hasFocus());
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_End);
        QCOMPARE(view->currentRow(), 1);
        QCOMPARE(view->currentDay(), board.dayCount() - 1);
        QVERIFY(driveModal([&] { QTest::keyClick(view, Qt::Key_Return); },
                           [](QWidget* dialog) {
                               QVERIFY(qobject_cast<TfrmGiorno*>(dialog));
                               QTest::keyClick(dialog, Qt::Key_Escape);
                           }));
        // A day dialog left with Escape writes nothing, not even an empty planning file.
        QVERIFY(!QFile::exists(fake.file(Planning::fileName(QStringLiteral("8"), QStringLiteral("2024")))));
        QCOMPARE(booked(fake, QStringLiteral("8"), QDate(2024, 4, 4)), QString());

        child<QComboBox>(&board, QStringLiteral("cboPeriodo"))
            ->setCurrentIndex(int(TfrmTabellone::Span::TwoWeeks));
        QVERIFY(click(&board, QStringLiteral("btnSuccessivo")));
        QCOMPARE(board.start(), QDate(2024, 3, 19));
        QCOMPARE(board.dayCount(), 14);
        QVERIFY(click(&board, QStringLiteral("btnOggi")));
        QCOMPARE(board.start(), QDate(2024, 3, 5));

        view->setFocus();
        QTest::keyClick(view, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(board.result(), int(QDialog::Accepted));
        QCOMPARE(board.chosenYear(), QStringLiteral("2024"));
        QVERIFY(board.chosenPosition() > 0);

        TfrmTabellone again(fake.context(), nullptr);
        again.show();
        QVERIFY(QTest::qWaitForWindowActive(&again));
        QTest::keyClick(&again, Qt::Key_Escape);
        QVERIFY(!again.isVisible());
    }

    void freeThroughLooksAtEveryDay_data()
    {
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<int>("unknownFrom"); // -1: every booking known
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("free");
        QTest::newRow("free") << QStringList{"", "", "", ""} << -1 << 0 << 3 << true;
        QTest::newRow("booked on the last day") << QStringList{"", "", "", "Rossi"} << -1 << 0 << 3 << false;
        QTest::newRow("booked on the first day") << QStringList{"Rossi", "", "", ""} << -1 << 0 << 2 << false;
        QTest::newRow("booked outside") << QStringList{"Rossi", "", "", "Rossi"} << -1 << 1 << 2 << true;
        QTest::newRow("not known on a day") << QStringList{"", "", "", ""} << 2 << 0 << 3 << false;
        QTest::newRow("not known after") << QStringList{"", "", "", ""} << 3 << 0 << 2 << true;
        QTest::newRow("past the span") << QStringList{"", ""} << -1 << 0 << 2 << false;
    }
    void freeThroughLooksAtEveryDay()
    {
        QFETCH(QStringList, days);
        QFETCH(int, unknownFrom);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, free);
        Planning::BoardRow row{vehicle(QStringLiteral("7")), {days.begin(), days.end()}, {}, {}, {}};
        if (unknownFrom >= 0)
            row.unknown.push_back({unknownFrom, int(days.size()) - 1});
        QCOMPARE(Planning::freeThrough(row, first, last), free);
    }

    // Days marked with Shift+arrows and "Solo liberi" (Ctrl+L): only the vehicles free on all of
    // them stay; Enter books the run for the current one through the day dialog, across the new
    // year, and the vehicle, no longer free, leaves the list while the mark stays for the next.
    void freeVehiclesOfMarkedDaysAreBookedAtOnce()
    {
        FakeContext fake;
        for (const QString& number : {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9")})
            addVehicle(fake, number);
        book(fake, QStringLiteral("7"), {QDate(2025, 1, 1)}, QStringLiteral("Bianchi"));
        TfrmTabellone board(fake.context(), nullptr);
        board.show();
        QVERIFY(QTest::qWaitForWindowActive(&board));
        child<QLineEdit>(&board, QStringLiteral("txtDal"))->setText(QStringLiteral("29/12/2024"));
        QVERIFY(board.reload());
        BoardView* view = board.board();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier); // 30/12 to 02/01
        QCOMPARE(view->marked(), std::make_pair(1, 4));
        QVERIFY(child<QCheckBox>(&board, QStringLiteral("chkSoloLiberi"))->toolTip().contains("Ctrl+L"));
        QTest::keyClick(view, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(child<QCheckBox>(&board, QStringLiteral("chkSoloLiberi"))->isChecked());
        QCOMPARE(int(view->rows().size()), 2);
        QCOMPARE(view->rows()[0].vehicle.vehicle.number, QStringLiteral("8"));
        QVERIFY(child<QLabel>(&board, QStringLiteral("lblInfo"))
                    ->text()
                    .contains("dal 30/12/2024 al 02/01/2025"));

        QVERIFY(driveModal([&] { QTest::keyClick(view, Qt::Key_Return); },
                           [](QWidget* dialog) {
                               auto* day = qobject_cast<TfrmGiorno*>(dialog);
                               QVERIFY(day);
                               QTest::keyClicks(child<QLineEdit>(day, QStringLiteral("txtPrenotazione")),
                                                QStringLiteral("Rossi"));
                               QTest::keyClick(child<QLineEdit>(day, QStringLiteral("txtPrenotazione")),
                                               Qt::Key_Return);
                           }));
        QCOMPARE(fake.messages().count(), 0);
        for (const QDate day :
             {QDate(2024, 12, 30), QDate(2024, 12, 31), QDate(2025, 1, 1), QDate(2025, 1, 2)})
            QCOMPARE(booked(fake, QStringLiteral("8"), day), QStringLiteral("Rossi"));
        QCOMPARE(booked(fake, QStringLiteral("8"), QDate(2024, 12, 29)), QString());
        QCOMPARE(booked(fake, QStringLiteral("8"), QDate(2025, 1, 3)), QString());
        QCOMPARE(int(view->rows().size()), 1);
        QCOMPARE(view->rows()[0].vehicle.vehicle.number, QStringLiteral("9"));
        QCOMPARE(view->marked(), std::make_pair(1, 4));

        // Off again: every vehicle; Enter on a run that is not free books nothing and says so.
        QTest::mouseClick(child<QCheckBox>(&board, QStringLiteral("chkSoloLiberi")), Qt::LeftButton);
        QCOMPARE(int(view->rows().size()), 3);
        view->setCurrent(0, 2);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(fake.messages().count(), 1);
        QVERIFY(fake.messages().last().text.contains("non è libero"));
        QCOMPARE(booked(fake, QStringLiteral("7"), QDate(2024, 12, 30)), QString());
    }

    // Dragging across days marks them and asks for nothing; a click on a day asks for that day.
    void draggingMarksDays()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        TfrmTabellone board(fake.context(), nullptr);
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        BoardView* view = board.board();
        QWidget* days = view->viewport();
        QTest::mousePress(days, Qt::LeftButton, {}, view->cellRect(0, 1).center());
        QMouseEvent move(QEvent::MouseMove, view->cellRect(0, 3).center(),
                         days->mapToGlobal(view->cellRect(0, 3).center()), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(days, &move);
        QTest::mouseRelease(days, Qt::LeftButton, {}, view->cellRect(0, 3).center());
        QCOMPARE(view->marked(), std::make_pair(1, 3));
        QCOMPARE(view->currentDay(), 3);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // On paper: a page for each screenful of vehicles, with their bars and what is not known.
    void printedOnePagePerScreenful()
    {
        std::vector<Planning::BoardRow> rows;
        for (int i = 1; i <= 30; ++i) {
            Planning::BoardRow row{
                vehicle(QString::number(i)), {}, {{0, 2, QStringLiteral("Rossi %1").arg(i)}}, {}, {}};
            if (i == 30) {
                row.problem = QStringLiteral("anno 2025 illeggibile");
                row.unknown = {{10, 13}};
            }
            rows.push_back(row);
        }
        const Reports::Prepared prepared = Reports::prepare(
            Reports::boardSheet(rows, QDate(2024, 12, 20), 14, 24, &BoardView::barColour), QDate(2024, 3, 5));
        QVERIFY2(prepared.ok, qPrintable(prepared.error));
        QCOMPARE(int(prepared.document.pages.size()), 2);
        const Reports::LaidOutPage& second = prepared.document.pages[1];
        QCOMPARE(second.orientation, QPageLayout::Landscape);
        QVERIFY(second.find(QStringLiteral("p2_25txtVeicolo")));
        QCOMPARE(second.find(QStringLiteral("p2_30txtBarra0"))->text(), QStringLiteral("Rossi 30"));
        QVERIFY(second.find(QStringLiteral("p2_30txtIgnoto0"))
                    ->text()
                    .contains(QStringLiteral("2025 illeggibile")));
        QVERIFY(second.find(QStringLiteral("p2_txtMese12"))); // January 2025 begins on the 13th day
    }

    // On paper each bar keeps the colour it has on screen, and a name longer than its bar is cut
    // with "…" inside the bar, never through a letter at its edge.
    void printedBarsKeepTheirColourAndCutNames_data()
    {
        QTest::addColumn<int>("count"); // days on the board
        QTest::addColumn<int>("days");  // days of the bar
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("whole");
        QTest::newRow("fits") << 14 << 4 << "Rossi" << true;
        QTest::newRow("long name, two weeks") << 14 << 1 << "Bianchi Mariagrazia Antonietta" << false;
        QTest::newRow("three months") << 92 << 3 << "Rossi Mario" << false;
        QTest::newRow("a day of three months") << 92 << 1 << "Verdi" << false;
    }
    void printedBarsKeepTheirColourAndCutNames()
    {
        QFETCH(int, count);
        QFETCH(int, days);
        QFETCH(QString, name);
        QFETCH(bool, whole);
        const std::vector<Planning::BoardRow> rows{
            {vehicle(QStringLiteral("1")),
             {},
             {{2, 1 + days, name}, {40 % count, 40 % count, QStringLiteral("Neri")}},
             {},
             {}}};
        const Reports::Prepared prepared =
            Reports::prepare(Reports::boardSheet(rows, QDate(2024, 6, 1), count, 24, &BoardView::barColour),
                             QDate(2024, 3, 5));
        QVERIFY2(prepared.ok, qPrintable(prepared.error));
        const Reports::LaidOutPage& page = prepared.document.pages.at(0);
        QCOMPARE(page.find(QStringLiteral("p1_1shpBarra0"))->fill, BoardView::barColour(name));
        QCOMPARE(page.find(QStringLiteral("p1_1shpBarra1"))->fill,
                 BoardView::barColour(QStringLiteral("Neri")));
        const Reports::Item* label = page.find(QStringLiteral("p1_1txtBarra0"));
        const QString text = label->text();
        if (whole) {
            QCOMPARE(text, name);
        } else {
            // What is left of the name ends with the ellipsis, or nothing is printed.
            QVERIFY2(text.isEmpty() || (text.endsWith(QChar(0x2026)) && name.startsWith(text.chopped(1))),
                     qPrintable(text));
        }
        QVERIFY(Reports::textWidth(label->font, text) <= label->textArea.width());
    }

    // On screen a bar shows its whole text, or the text cut with "…" while a few letters remain, or
    // nothing: never a name cut through a letter.
    void barLabelIsWholeCutOrLeftOut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("extra"); // pixels beyond or short of the text's width
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << "Rossi Mario" << 0 << "Rossi Mario";
        QTest::newRow("a little short") << "Bianchi Mariagrazia" << -20 << "cut";
        QTest::newRow("far too short") << "Rossi" << -1000 << "";
    }
    void barLabelIsWholeCutOrLeftOut()
    {
        QFETCH(QString, text);
        QFETCH(int, extra);
        QFETCH(QString, shown);
        const QFontMetrics metrics{QFont()};
        const int width = metrics.horizontalAdvance(text) + extra;
        const QString label = BoardView::barLabel(metrics, text, width);
        if (shown == QLatin1String("cut")) {
            QVERIFY2(label.endsWith(QChar(0x2026)) && label.size() > 3, qPrintable(label));
            QVERIFY(text.startsWith(label.chopped(1)));
            QVERIFY(metrics.horizontalAdvance(label) <= width);
        } else {
            QCOMPARE(label, shown);
        }
        QVERIFY(BoardView::barLabel(metrics, text, 0).isEmpty());
    }
};

RF_REGISTER_TEST(BookingBoardTest)
#include "BookingBoardTest.moc"
