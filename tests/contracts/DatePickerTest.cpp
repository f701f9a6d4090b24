#include "contracts/ui/TfrmCalendario.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
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

    // Typed at the keyboard: the first key (the one that opened the picker) and those after it,
    // then Enter. "" as the import means the picker stayed open with the given warning.
    void aTypedDateIsImportedWithEnter_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QString>("imported");
        QTest::addColumn<QString>("warning");
        QTest::newRow("the date that became 31/12") << "1"
                                                    << "3/12/2026"
                                                    << "13/12/2026" << QString();
        QTest::newRow("short form") << "8"
                                    << "/3/24"
                                    << "08/03/2024" << QString();
        QTest::newRow("digits only") << "0"
                                     << "80324"
                                     << "08/03/2024" << QString();
        QTest::newRow("nothing typed takes the calendar's day") << ""
                                                                << ""
                                                                << "05/03/2024" << QString();
        QTest::newRow("a day that does not exist")
            << "3"
            << "1/02/2024" << QString() << QStringLiteral("Attenzione: la data 31/02/2024 non esiste.");
        QTest::newRow("incomplete")
            << "1"
            << "3/12" << QString()
            << QStringLiteral("Attenzione: la data 13/12 non è completa: le date si scrivono nella forma "
                              "gg/mm/aaaa, ad esempio 03/01/2027.");
    }
    void aTypedDateIsImportedWithEnter()
    {
        QFETCH(QString, first);
        QFETCH(QString, rest);
        QFETCH(QString, imported);
        QFETCH(QString, warning);
        Fixture f;
        f.picker->lblMemory = TfrmCalendario::DateFor::DataFine;
        f.picker->startTyping(first);
        int result = -2;
        QVERIFY(driveModal<TfrmCalendario>([&] { result = f.picker->exec(); },
                                           [&](TfrmCalendario* picker) {
                                               auto* typed = required<QLineEdit>(picker, "txtDataDigitata");
                                               QTRY_VERIFY(typed->hasFocus());
                                               QTest::keyClicks(typed, rest);
                                               QCOMPARE(typed->text(), first + rest);
                                               QTest::keyClick(typed, Qt::Key_Return);
                                               if (!imported.isEmpty())
                                                   return;
                                               QVERIFY(picker->isVisible());
                                               QCOMPARE(f.fake.messages().last().text, warning);
                                               QTest::keyClick(typed, Qt::Key_Escape);
                                           }));
        QCOMPARE(result, int(imported.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(f.picker->importedDate(), imported);
        QCOMPARE(f.fake.messages().count(), warning.isEmpty() ? 0 : 1);
    }

    // The calendar shows what is being typed, and a day picked on it replaces the typing.
    void theCalendarFollowsTheTyping()
    {
        Fixture f;
        auto* typed = required<QLineEdit>(f.picker.get(), "txtDataDigitata");
        f.picker->startTyping(QStringLiteral("2"));
        QTest::keyClicks(typed, QStringLiteral("0"));
        QCOMPARE(f.picker->calendar()->selectedDate(), QDate(2024, 3, 20));
        QTest::keyClicks(typed, QStringLiteral("/11/2025"));
        QCOMPARE(f.picker->calendar()->selectedDate(), QDate(2025, 11, 20));
        QCOMPARE(typed->text(), QStringLiteral("20/11/2025"));
        f.picker->calendar()->setSelectedDate(QDate(2025, 11, 4));
        QCOMPARE(typed->text(), QStringLiteral("04/11/2025"));
        QVERIFY(!f.picker->calendar()->isDateEditEnabled()); // its own editor made other dates
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
