#include "contracts/ui/TfrmCalendario.h"
#include "support/FakeContext.h"
#include "support/TestMain.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace rf;
using namespace rf::Test;

namespace {

struct Fixture {
    FakeContext fake;
    std::unique_ptr<TfrmCalendario> picker;

    explicit Fixture(const QDate& today = QDate(2024, 3, 5))
    {
        fake.clock().moment = QDateTime(today, QTime(10, 0));
        picker = std::make_unique<TfrmCalendario>(fake.context(), nullptr);
    }
    QPushButton* button(const char* name) const
    {
        return picker->findChild<QPushButton*>(QLatin1String(name));
    }

    // Runs the picker modally and clicks the button; if it is still open afterwards, notes that
    // and closes it. Returns exec()'s result.
    int execClicking(const char* name, bool* stayedOpen = nullptr)
    {
        bool open = false;
        QTimer::singleShot(0, picker.get(), [this, name, &open] {
            QTRY_VERIFY(picker->isVisible());
            QTest::mouseClick(button(name), Qt::LeftButton);
            QCoreApplication::processEvents();
            open = picker->isVisible();
            if (open)
                picker->done(-1); // never hang the run
        });
        const int result = picker->exec();
        if (stayedOpen)
            *stayedOpen = open;
        return result;
    }
};

} // namespace

class DatePickerTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnTodayWithItalianNames()
    {
        Fixture f(QDate(2023, 11, 17));
        QCOMPARE(f.picker->objectName(), QStringLiteral("frmCalendario"));
        QCOMPARE(f.picker->windowTitle(), QStringLiteral(" Importazione data"));
        QVERIFY(f.picker->findChild<QLabel*>(QStringLiteral("lblImportare")));
        QCOMPARE(f.picker->findChild<QLabel*>(QStringLiteral("lblImportare"))->text(),
                 QStringLiteral("Importare una data:"));
        QCOMPARE(f.picker->calendar()->objectName(), QStringLiteral("calAppuntamenti"));
        QCOMPARE(f.picker->calendar()->selectedDate(), QDate(2023, 11, 17));
        QCOMPARE(f.picker->calendar()->yearShown(), 2023);
        QCOMPARE(f.picker->calendar()->monthShown(), 11);
        QCOMPARE(f.picker->calendar()->firstDayOfWeek(), Qt::Monday);
        QCOMPARE(f.picker->calendar()->locale().monthName(11), QStringLiteral("novembre"));
        QCOMPARE(f.button("btnImportaData")->text(), QStringLiteral("Importa"));
        QCOMPARE(f.button("btnAnnulla")->text(), QStringLiteral("Annulla"));
        QVERIFY(f.picker->importedDate().isEmpty());
    }

    void importaGivesTheChosenDate_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QDate>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("today untouched") << int(TfrmCalendario::DateFor::DataFine) << QDate() << "05/03/2024";
        QTest::newRow("leap day") << int(TfrmCalendario::DateFor::DataInizio) << QDate(2024, 2, 29)
                                  << "29/02/2024";
        QTest::newRow("leading zeros")
            << int(TfrmCalendario::DateFor::Data) << QDate(2024, 3, 5) << "05/03/2024";
        QTest::newRow("two-digit day and month")
            << int(TfrmCalendario::DateFor::Data) << QDate(2025, 12, 31) << "31/12/2025";
    }
    void importaGivesTheChosenDate()
    {
        QFETCH(int, mode);
        QFETCH(QDate, chosen);
        QFETCH(QString, expected);
        Fixture f;
        f.picker->lblMemory = TfrmCalendario::DateFor(mode);
        if (chosen.isValid())
            f.picker->calendar()->setSelectedDate(chosen);
        QCOMPARE(f.execClicking("btnImportaData"), int(QDialog::Accepted));
        QCOMPARE(f.picker->importedDate(), expected);
    }

    void unsetModeKeepsItOpen()
    {
        Fixture f;
        bool stayedOpen = false;
        QCOMPARE(f.execClicking("btnImportaData", &stayedOpen), -1);
        QVERIFY(stayedOpen);
        QVERIFY(f.picker->importedDate().isEmpty());
    }

    void annullaRejects()
    {
        Fixture f;
        f.picker->lblMemory = TfrmCalendario::DateFor::DataInizio;
        f.picker->calendar()->setSelectedDate(QDate(2024, 2, 29));
        QCOMPARE(f.execClicking("btnAnnulla"), int(QDialog::Rejected));
        QVERIFY(f.picker->importedDate().isEmpty());
    }
};

RF_REGISTER_TEST(DatePickerTest)
#include "DatePickerTest.moc"
