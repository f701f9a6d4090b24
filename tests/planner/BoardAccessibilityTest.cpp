#include "planner/BookingBoard.h"
#include "planner/ui/BoardView.h"
#include "support/AccessibleEvents.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QTest>
#include <QVBoxLayout>

using namespace rf;
using namespace rf::Test;

namespace {

Planning::BoardRow row(const QString& number, const QString& make, std::vector<Planning::BoardBar> bars = {})
{
    Planning::BoardRow board;
    board.vehicle = {1, {}, {number, make, {}, {}}};
    board.bars = std::move(bars);
    return board;
}

// Two weeks from Monday 4 March 2024 for three vehicles: 7 booked for Rossi on the 5th and 6th,
// 8 free, 9 whose bookings could not be read.
struct Board {
    QWidget window;
    BoardView* view = new BoardView(&window);

    Board()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(view);
        std::vector<Planning::BoardRow> rows{row("7", "Atala City", {{1, 2, "Rossi"}}),
                                             row("8", "Bianchi Spillo"), row("9", "Graziella")};
        rows[2].problem = QStringLiteral("anno 2025 illeggibile");
        rows[2].unknown = {{0, 13}};
        view->setRows(std::move(rows), QDate(2024, 3, 4), 14, QDate(2024, 3, 5));
        window.resize(900, 300);
    }
    QAccessibleInterface* accessible() const { return QAccessible::queryAccessibleInterface(view); }
    QAccessibleTableInterface* table() const { return accessible()->tableInterface(); }
    // Shows the board with the keyboard focus on it.
    bool focus()
    {
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        view->setFocus();
        return QTest::qWaitFor([this] { return view->hasFocus(); });
    }
};

} // namespace

class BoardAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    // A screen reader finds a table of the vehicles by the days, under the corner that counts them.
    void boardIsATableOfVehiclesByDays()
    {
        Board board;
        QAccessibleInterface* accessible = board.accessible();
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Table);
        QVERIFY(board.table());
        QCOMPARE(board.table()->rowCount(), 3);
        QCOMPARE(board.table()->columnCount(), 14);
        QCOMPARE(board.table()->rowDescription(1), QStringLiteral("Bici n. 8  Bianchi Spillo"));
        QCOMPARE(board.table()->columnDescription(13), QStringLiteral("Domenica 17/03/2024"));
        // The corner, the days' headers, then each vehicle's label and days.
        QCOMPARE(accessible->childCount(), 4 * 15);
        QCOMPARE(accessible->child(0)->text(QAccessible::Name), QStringLiteral("Veicoli: 3"));
        QCOMPARE(accessible->child(1)->role(), QAccessible::ColumnHeader);
        QCOMPARE(accessible->child(15)->role(), QAccessible::RowHeader);
        QCOMPARE(accessible->child(16)->role(), QAccessible::Cell);
        QCOMPARE(accessible->child(16), board.table()->cellAt(0, 0));
        QCOMPARE(accessible->indexOfChild(board.table()->cellAt(2, 13)), 59);
    }

    void cellIsNamedAsItsHint_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("vehicle");
        QTest::addColumn<QString>("date");
        QTest::newRow("booked") << 0 << 1
                                << "Bici n. 7  Atala City\nRossi\ndal 05/03/2024 al 06/03/2024 (2 giorni)"
                                << "Bici n. 7  Atala City"
                                << "Martedì 05/03/2024";
        QTest::newRow("free") << 1 << 0 << "Bici n. 8  Bianchi Spillo\nLibera il 04/03/2024"
                              << "Bici n. 8  Bianchi Spillo"
                              << "Lunedì 04/03/2024";
        QTest::newRow("not known, last day")
            << 2 << 13
            << "Bici n. 9  Graziella\nLibera il 17/03/2024\nPrenotazioni non note: anno 2025 illeggibile"
            << "Bici n. 9  Graziella"
            << "Domenica 17/03/2024";
    }
    // Each day's cell says what the hint over it says, under its vehicle's and its date's headers,
    // and is found again at its place on screen.
    void cellIsNamedAsItsHint()
    {
        QFETCH(int, row);
        QFETCH(int, day);
        QFETCH(QString, name);
        QFETCH(QString, vehicle);
        QFETCH(QString, date);
        Board board;
        board.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board.window));
        QAccessibleInterface* cell = board.table()->cellAt(row, day);
        QVERIFY(cell);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), board.view->describe(row, day));
        QCOMPARE(cell->text(QAccessible::Name), name);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        QVERIFY(place);
        QCOMPARE(place->rowIndex(), row);
        QCOMPARE(place->columnIndex(), day);
        QCOMPARE(place->table(), board.accessible());
        QCOMPARE(place->rowHeaderCells().size(), 1);
        QCOMPARE(place->rowHeaderCells().first()->text(QAccessible::Name), vehicle);
        QCOMPARE(place->columnHeaderCells().size(), 1);
        QCOMPARE(place->columnHeaderCells().first()->text(QAccessible::Name), date);
        const QPoint centre = cell->rect().center();
        QCOMPARE(board.accessible()->childAt(centre.x(), centre.y()), cell);
        QCOMPARE(board.view->viewport()->mapToGlobal(board.view->cellRect(row, day).center()), centre);
    }

    void cursorMoveFocusesTheNewCell_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("day");
        QTest::newRow("Right") << int(Qt::Key_Right) << Qt::KeyboardModifiers() << 0 << 1;
        QTest::newRow("Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers() << 1 << 0;
        QTest::newRow("End") << int(Qt::Key_End) << Qt::KeyboardModifiers() << 0 << 13;
        QTest::newRow("Ctrl+End") << int(Qt::Key_End) << Qt::KeyboardModifiers(Qt::ControlModifier) << 2 << 0;
        QTest::newRow("Shift+Right, marking")
            << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0 << 1;
    }
    // A screen reader follows the keyboard: each move tells it once that the new day's cell has the
    // focus, named as its hint.
    void cursorMoveFocusesTheNewCell()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, row);
        QFETCH(int, day);
        Board board;
        QVERIFY(board.focus());
        QCOMPARE(board.view->currentRow(), 0);
        QCOMPARE(board.view->currentDay(), 0);
        AccessibleEvents events;
        QTest::keyClick(board.view, Qt::Key(key), modifiers);
        const std::vector<AccessibleEvents::Event> focus = events.ofType(QAccessible::Focus);
        QCOMPARE(int(focus.size()), 1);
        QCOMPARE(focus[0].row, row);
        QCOMPARE(focus[0].column, day);
        QCOMPARE(focus[0].name, board.view->describe(row, day));
        QAccessibleInterface* cell = board.accessible()->focusChild();
        QCOMPARE(cell, board.table()->cellAt(row, day));
        QVERIFY(cell->state().focused);
    }

    // Rows replaced are told as a change of the table, which then reads the new rows; a cursor
    // moved while another control has the focus takes no focus from it.
    void replacedRowsAreToldAndRead()
    {
        Board board;
        QAccessibleInterface* lastDay = board.table()->cellAt(2, 13);
        AccessibleEvents events;
        board.view->setRow(1, row("8", "Bianchi Spillo", {{0, 0, "Verdi"}}));
        QVERIFY(board.table()->cellAt(1, 0)->text(QAccessible::Name).contains(QStringLiteral("Verdi")));
        board.view->setRows({row("12", "Graziella")}, QDate(2024, 3, 4), 7, QDate(2024, 3, 5));
        board.view->setCurrent(0, 6);
        QCOMPARE(int(events.ofType(QAccessible::TableModelChanged).size()), 2);
        QVERIFY(events.ofType(QAccessible::Focus).empty());
        QCOMPARE(board.table()->rowCount(), 1);
        QCOMPARE(board.table()->columnCount(), 7);
        QCOMPARE(board.accessible()->childCount(), 2 * 8);
        QVERIFY(!board.table()->cellAt(2, 13));
        QVERIFY(!lastDay->isValid());
        QCOMPARE(board.table()->cellAt(0, 6)->text(QAccessible::Name),
                 QStringLiteral("Bici n. 12  Graziella\nLibera il 10/03/2024"));
    }
};

RF_REGISTER_TEST(BoardAccessibilityTest)
#include "BoardAccessibilityTest.moc"
