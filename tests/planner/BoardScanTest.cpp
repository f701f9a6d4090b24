#include "planner/ui/BoardView.h"
#include "planner/ui/TfrmTabellone.h"
#include "support/FakeContext.h"
#include "support/Fixtures.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace rf;
using namespace rf::Test;

class BoardScanTest : public QObject {
    Q_OBJECT
private slots:
    // A label's code typed quickly and Enter, as a hand scanner types it, moves the cursor to that
    // vehicle's row on the same day and books nothing; a code no row has is said on the info line
    // and the cursor stays.
    void scannedCodeMovesToItsVehicle_data()
    {
        QTest::addColumn<QString>("scanned");
        QTest::addColumn<int>("row"); // -1: the cursor stays
        QTest::addColumn<QString>("info");
        QTest::newRow("number") << "8" << 1 << "Bici n. 8";
        QTest::newRow("letters without case") << "b-12" << 2 << "Bici n. B-12";
        QTest::newRow("with a blank inside") << "E 3" << 3 << "Bici n. E 3";
        QTest::newRow("not on the board")
            << "MTB-99" << -1
            << "Attenzione: il codice letto (MTB-99) non è il numero di un veicolo del tabellone.";
    }
    void scannedCodeMovesToItsVehicle()
    {
        QFETCH(QString, scanned);
        QFETCH(int, row);
        QFETCH(QString, info);
        FakeContext fake;
        for (const char* number : {"7", "8", "B-12", "E 3"})
            addVehicle(fake, QLatin1String(number));
        TfrmTabellone board(fake.context(), nullptr);
        board.show();
        QVERIFY(QTest::qWaitForWindowActive(&board));
        BoardView* view = board.board();
        QTRY_VERIFY(view->hasFocus());
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Right);
        const int day = view->currentDay();
        bool dialogOpened = false; // Enter after a code must not book the day
        QTimer::singleShot(0, &board, [&dialogOpened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                dialogOpened = true;
                modal->close();
            }
        });
        QTest::keyClicks(view, scanned);
        QTest::keyClick(view, Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(!dialogOpened);
        QCOMPARE(view->currentRow(), row < 0 ? 0 : row);
        QCOMPARE(view->currentDay(), day);
        const auto* lblInfo = board.findChild<QLabel*>(QStringLiteral("lblInfo"));
        QVERIFY(lblInfo->text().startsWith(info));
    }
};

RF_REGISTER_TEST(BoardScanTest)
#include "BoardScanTest.moc"
