#include "planner/ContractBooking.h"
#include "app/ui/Application.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/PlanningFile.h"
#include "planner/ui/BookForContract.h"
#include "storage/RecordScan.h"
#include "support/FakeContext.h"
#include "support/Files.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

using namespace rf;
using namespace rf::Test;

namespace {

QDate date(const char* text)
{
    return QDate::fromString(QLatin1String(text), QStringLiteral("dd/MM/yyyy"));
}

ContractDays days(const QString& number, const char* start, const char* end,
                  const QString& text = QStringLiteral("Rossi Mario 333 1234567"))
{
    return {number, date(start), date(end), QStringLiteral("Rossi Mario"), text};
}

QString planningFile(FakeContext& fake, const QString& number, int year)
{
    return fake.file(Planning::fileName(number, QString::number(year)));
}

// The booked days of a planning file as "dd/mm=text", in calendar order.
QStringList booked(FakeContext& fake, const QString& number, int year)
{
    const Planning::Loaded loaded = Planning::load(planningFile(fake, number, year));
    QStringList out;
    for (int slot = 0; slot < Planning::DayCount; ++slot) {
        if (!loaded.days[std::size_t(slot)].trimmed().isEmpty())
            out.append(Planning::dateText(slot, QString()).left(5) + QLatin1Char('=') +
                       loaded.days[std::size_t(slot)]);
    }
    return out;
}

} // namespace

class ContractBookingTest : public QObject {
    Q_OBJECT
private slots:
    void bookingCrossesTheNewYearIntoTwoFiles()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"), QStringLiteral("Atala City"),
                   {{QStringLiteral("Colore"), QStringLiteral("Rosso")},
                    {QStringLiteral("Taglia"), QStringLiteral("M")}});
        bookForContract(fake.context(), nullptr,
                        {days(QStringLiteral("7"), "30/12/2024", "02/01/2025"), std::nullopt});
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral(
                "Prenotare nel planner la bicicletta n. 7 dal 30/12/2024 al 02/01/2025 per Rossi Mario?"));
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024),
                 (QStringList{"30/12=Rossi Mario 333 1234567", "31/12=Rossi Mario 333 1234567"}));
        QCOMPARE(booked(fake, QStringLiteral("7"), 2025),
                 (QStringList{"01/01=Rossi Mario 333 1234567", "02/01=Rossi Mario 333 1234567"}));
        // The file is the grid's: its header names the vehicle of the fleet card.
        const QStringList header =
            readArchiveRecord(planningFile(fake, QStringLiteral("7"), 2025), TSchedaPlanning(), 1)
                .value_or(QStringList())
                .mid(0, 4);
        QCOMPARE(header, (QStringList{"7", "Atala City", "Rosso", "M"}));
        QCOMPARE(QFileInfo(planningFile(fake, QStringLiteral("7"), 2025)).size(),
                 qint64(Planning::RecordSize));
        // Saved again unchanged: the days are booked already and nothing is asked.
        const int asked = fake.messages().count();
        bookForContract(fake.context(), nullptr,
                        {days(QStringLiteral("7"), "30/12/2024", "02/01/2025"),
                         days(QStringLiteral("7"), "30/12/2024", "02/01/2025")});
        QCOMPARE(fake.messages().count(), asked);
    }

    // Days the vehicle spends in the workshop are booked for a contract only after a second
    // question, naming the stay, whose default is No.
    void workshopDaysAskBeforeTheContractBooksThem_data()
    {
        QTest::addColumn<bool>("agreed");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void workshopDaysAskBeforeTheContractBooksThem()
    {
        QFETCH(bool, agreed);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        addWorkshopStay(fake.folder(), QStringLiteral("7"), QDate(2024, 5, 2), QDate(2024, 5, 4));
        fake.messages().answerNext(true); // book it
        fake.messages().answerNext(agreed);
        bookForContract(fake.context(), nullptr,
                        {days(QStringLiteral("7"), "01/05/2024", "03/05/2024"), std::nullopt});
        QCOMPARE(fake.messages().defaultNoQuestions, 1);
        QVERIFY(fake.messages().last().text.contains(
            QStringLiteral("IN OFFICINA: Freni dal 02/05/2024 al 04/05/2024")));
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024).size(), agreed ? 3 : 0);
    }

    void answeredNoWritesNothing()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        fake.messages().answerNext(false);
        bookForContract(fake.context(), nullptr,
                        {days(QStringLiteral("7"), "01/05/2024", "03/05/2024"), std::nullopt});
        QVERIFY(booked(fake, QStringLiteral("7"), 2024).isEmpty());
    }

    void bookingMergesWithAFileChangedMeanwhile()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        book(fake, QStringLiteral("7"), {QDate(2024, 5, 10)}, QStringLiteral("Verdi"));
        const Planning::BookedSpan wanted{QStringLiteral("7"), date("01/05/2024"), date("03/05/2024"),
                                          QStringLiteral("Rossi")};
        const Planning::BookingPlan plan = Planning::planBooking(fake.folder(), wanted, std::nullopt);
        // Another workstation's grid books and frees days before this booking is written.
        book(fake, QStringLiteral("7"),
             {{QDate(2024, 5, 2), QStringLiteral("Neri")},
              {QDate(2024, 5, 10), QString()},
              {QDate(2024, 5, 20), QStringLiteral("Bianchi")}});
        QVERIFY(!Planning::writeBooking(plan, {QStringLiteral("7"), QStringLiteral("Atala City"), {}, {}},
                                        QStringLiteral("Rossi"), false)
                     .failed());
        // Days this booking did not touch keep the other workstation's text; its own days are written.
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024),
                 (QStringList{"01/05=Rossi", "02/05=Rossi", "03/05=Rossi", "20/05=Bianchi"}));
    }

    void daysOfOthersAreListedAndReplacedOnlyWhenConfirmed_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("kept") << false
                              << QStringList{"01/05=Rossi", "02/05=Verdi", "03/05=Rossi", "04/05=Bianchi"};
        QTest::newRow("replaced") << true
                                  << QStringList{"01/05=Rossi", "02/05=Rossi", "03/05=Rossi",
                                                 "04/05=Bianchi"};
    }

    void daysOfOthersAreListedAndReplacedOnlyWhenConfirmed()
    {
        QFETCH(bool, replace);
        QFETCH(QStringList, after);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        book(fake, QStringLiteral("7"),
             {{QDate(2024, 5, 2), QStringLiteral("Verdi")},
              {QDate(2024, 5, 3), QStringLiteral("Rossi")},
              {QDate(2024, 5, 4), QStringLiteral("Bianchi")}});
        fake.messages().answerNext(true);
        fake.messages().answerNext(replace);
        bookForContract(
            fake.context(), nullptr,
            {days(QStringLiteral("7"), "01/05/2024", "03/05/2024", QStringLiteral("Rossi")), std::nullopt});
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral(
                "Attenzione: nel planner della bicicletta n. 7 risultano già prenotati per altri i giorni "
                "02/05 Verdi.\r\n\r\nSostituire anche queste prenotazioni? Rispondendo No verranno "
                "prenotati soltanto i giorni liberi."));
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024), after);
    }

    void changedDatesMoveTheBooking()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        addVehicle(fake, QStringLiteral("8"));
        // The old span: two days still carry this contract's text, one was rebooked in the grid.
        book(fake, QStringLiteral("7"), {QDate(2024, 5, 1), QDate(2024, 5, 2), QDate(2024, 5, 9)},
             QStringLiteral("Rossi"));
        book(fake, QStringLiteral("7"), {QDate(2024, 5, 3)}, QStringLiteral("Verdi"));
        bookForContract(fake.context(), nullptr,
                        {days(QStringLiteral("7"), "02/05/2024", "05/05/2024", QStringLiteral("Rossi")),
                         days(QStringLiteral("7"), "01/05/2024", "03/05/2024", QStringLiteral("Rossi"))});
        QCOMPARE(
            fake.messages().all().first().text,
            QStringLiteral("Spostare nel planner la prenotazione di Rossi Mario dalla bicicletta n. 7 dall'"
                           "01/05/2024 al 03/05/2024 alla bicicletta n. 7 dal 02/05/2024 al 05/05/2024?"));
        // 03/05 belongs to someone else now; with the second question answered Yes it is rebooked.
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024),
                 (QStringList{"02/05=Rossi", "03/05=Rossi", "04/05=Rossi", "05/05=Rossi", "09/05=Rossi"}));
        // Moved to another vehicle: the old vehicle's days are freed in its own file, header kept.
        bookForContract(fake.context(), nullptr,
                        {days(QStringLiteral("8"), "02/05/2024", "03/05/2024", QStringLiteral("Rossi")),
                         days(QStringLiteral("7"), "02/05/2024", "05/05/2024", QStringLiteral("Rossi"))});
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024), QStringList{"09/05=Rossi"});
        QCOMPARE(booked(fake, QStringLiteral("8"), 2024), (QStringList{"02/05=Rossi", "03/05=Rossi"}));
        QCOMPARE(
            readArchiveRecord(planningFile(fake, QStringLiteral("7"), 2024), TSchedaPlanning(), 1)->value(0),
            QStringLiteral("7"));
    }

    void theQuestionNamesWhatIsBookedInThePlanner_data()
    {
        QTest::addColumn<DayTexts>("before");
        QTest::addColumn<QString>("previousEnd");
        QTest::addColumn<QString>("previousText");
        QTest::addColumn<QString>("wantedEnd");
        QTest::addColumn<QString>("wantedText");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("after");
        const QString old = QStringLiteral("Rossi Mario 333 1234567");
        const QString phone = QStringLiteral("Rossi Mario 333 7654321");
        QTest::newRow("never booked, end moved")
            << DayTexts{} << "12/12/2026" << old << "13/12/2026" << old
            << "Prenotare nel planner la bicicletta n. 7 dall'11/12/2026 al 13/12/2026 per Rossi Mario?"
            << QStringList{"11/12=" + old, "12/12=" + old, "13/12=" + old};
        QTest::newRow("booked, end moved")
            << DayTexts{{QDate(2026, 12, 11), old}, {QDate(2026, 12, 12), old}} << "12/12/2026" << old
            << "13/12/2026" << old
            << "Spostare nel planner la prenotazione di Rossi Mario dalla bicicletta n. 7 dall'11/12/2026 al "
               "12/12/2026 alla bicicletta n. 7 dall'11/12/2026 al 13/12/2026?"
            << QStringList{"11/12=" + old, "12/12=" + old, "13/12=" + old};
        QTest::newRow("booked, phone changed")
            << DayTexts{{QDate(2026, 12, 11), old},
                        {QDate(2026, 12, 12), old},
                        {QDate(2026, 12, 20), "Verdi"}}
            << "12/12/2026" << old << "12/12/2026" << phone
            << "Aggiornare nel planner la prenotazione della bicicletta n. 7 dall'11/12/2026 al 12/12/2026 "
               "da "
               "\"Rossi Mario 333 1234567\" a \"Rossi Mario 333 7654321\"?"
            << QStringList{"11/12=" + phone, "12/12=" + phone, "20/12=Verdi"};
        QTest::newRow("freed in the grid, phone changed")
            << DayTexts{} << "12/12/2026" << old << "12/12/2026" << phone
            << "Prenotare nel planner la bicicletta n. 7 dall'11/12/2026 al 12/12/2026 per Rossi Mario?"
            << QStringList{"11/12=" + phone, "12/12=" + phone};
        QTest::newRow("rebooked for someone else, end moved")
            << DayTexts{{QDate(2026, 12, 11), "Verdi"}, {QDate(2026, 12, 12), "Verdi"}} << "12/12/2026" << old
            << "13/12/2026" << old
            << "Prenotare nel planner la bicicletta n. 7 dall'11/12/2026 al 13/12/2026 per Rossi Mario?"
            << QStringList{"11/12=Verdi", "12/12=Verdi", "13/12=" + old};
    }

    void theQuestionNamesWhatIsBookedInThePlanner()
    {
        QFETCH(DayTexts, before);
        QFETCH(QString, previousEnd);
        QFETCH(QString, previousText);
        QFETCH(QString, wantedEnd);
        QFETCH(QString, wantedText);
        QFETCH(QString, question);
        QFETCH(QStringList, after);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        book(fake, QStringLiteral("7"), before);
        fake.messages().answerNext(true);
        fake.messages().answerNext(false); // days of others are kept
        bookForContract(fake.context(), nullptr,
                        {days(QStringLiteral("7"), "11/12/2026", qPrintable(wantedEnd), wantedText),
                         days(QStringLiteral("7"), "11/12/2026", qPrintable(previousEnd), previousText)});
        QVERIFY(fake.messages().count() >= 1);
        QCOMPARE(fake.messages().all().first().kind, MessageKind::Confirmation);
        QCOMPARE(fake.messages().all().first().text, question);
        QCOMPARE(booked(fake, QStringLiteral("7"), 2026), after);
    }

    void aBicycleWithoutCardTellsWhichBookingStaysAndMayFreeIt_data()
    {
        QTest::addColumn<bool>("wasBooked");
        QTest::addColumn<bool>("free");
        QTest::newRow("freed") << true << true;
        QTest::newRow("kept") << true << false;
        QTest::newRow("nothing booked before") << false << false;
    }

    void aBicycleWithoutCardTellsWhichBookingStaysAndMayFreeIt()
    {
        QFETCH(bool, wasBooked);
        QFETCH(bool, free);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        const QString text = QStringLiteral("Rossi Mario 333 1234567");
        const QStringList before = wasBooked ? QStringList{"01/05=" + text, "02/05=" + text, "04/05=Verdi"}
                                             : QStringList{"04/05=Verdi"};
        if (wasBooked)
            book(fake, QStringLiteral("7"), {QDate(2024, 5, 1), QDate(2024, 5, 2)}, text);
        book(fake, QStringLiteral("7"), {QDate(2024, 5, 4)}, QStringLiteral("Verdi"));
        fake.messages().answerNext(free);
        bookForContract(fake.context(), nullptr,
                        {days(QStringLiteral("9"), "01/05/2024", "03/05/2024"),
                         days(QStringLiteral("7"), "01/05/2024", "03/05/2024")});
        const QString refused =
            QStringLiteral("Attenzione: la bicicletta n. 9 non ha una scheda nella flotta bici.\n\r\n\r"
                           "Il contratto è stato salvato, ma la prenotazione non è stata registrata "
                           "nel planner.");
        QCOMPARE(fake.messages().count(), 1);
        if (!wasBooked) {
            QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
            QCOMPARE(fake.messages().last().text, refused);
        } else {
            QCOMPARE(fake.messages().last().kind, MessageKind::Confirmation);
            QCOMPARE(fake.messages().last().text,
                     refused + QStringLiteral(
                                   "\n\r\n\rNel planner resta la prenotazione precedente di Rossi Mario per "
                                   "la bicicletta n. 7 dall'01/05/2024 al 02/05/2024.\n\r\n\rLiberare questi "
                                   "giorni nel planner?"));
        }
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024), free ? QStringList{"04/05=Verdi"} : before);
        // The freed file keeps its own vehicle in its header; no file is made for the bicycle without a card.
        QCOMPARE(
            readArchiveRecord(planningFile(fake, QStringLiteral("7"), 2024), TSchedaPlanning(), 1)->value(0),
            QStringLiteral("7"));
        QVERIFY(!QFile::exists(planningFile(fake, QStringLiteral("9"), 2024)));
    }

    void vehiclesThatCannotBeBookedAreToldAndNoFileIsWritten_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("no fleet card")
            << "9"
            << "Attenzione: la bicicletta n. 9 non ha una scheda nella flotta bici.\n\r\n\rIl "
               "contratto è stato salvato, ma la prenotazione non è stata registrata nel planner.";
        QTest::newRow("not a file name")
            << "7/B"
            << "Attenzione: il numero del veicolo contiene caratteri che non possono far parte "
               "del nome di un file (\"/\").\n\r\n\rIl contratto è stato salvato, ma la "
               "prenotazione non è stata registrata nel planner.";
    }

    void vehiclesThatCannotBeBookedAreToldAndNoFileIsWritten()
    {
        QFETCH(QString, number);
        QFETCH(QString, message);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7/B"));
        bookForContract(fake.context(), nullptr, {days(number, "01/05/2024", "03/05/2024"), std::nullopt});
        QCOMPARE(int(fake.messages().last().kind), int(MessageKind::Warning));
        QCOMPARE(fake.messages().last().text, message);
        QCOMPARE(QDir(fake.folder()).entryList({QStringLiteral("*.pln")}, QDir::Files), QStringList());
    }

    void aBookingThatCannotBeWrittenIsReportedAndKeepsTheOldDays()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        book(fake, QStringLiteral("7"), {QDate(2024, 5, 10)}, QStringLiteral("Verdi"));
        const QByteArray before = readFile(planningFile(fake, QStringLiteral("7"), 2024));
        {
            FileWritesFail full;
            bookForContract(fake.context(), nullptr,
                            {days(QStringLiteral("7"), "01/05/2024", "03/05/2024"), std::nullopt});
        }
        QCOMPARE(int(fake.messages().last().kind), int(MessageKind::Error));
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral(
                     "Errore: non è stato possibile scrivere il file \"Prenotazioni bicicletta 7 anno "
                     "2024.pln\" del planner.\n\r\n\rIl file \"Prenotazioni bicicletta 7 anno 2024.pln\" "
                     "è in uso da un'altra postazione, oppure non è possibile scrivere nella cartella dei "
                     "dati %1 (privilegi di scrittura insufficienti o disco pieno)."
                     "\n\r\n\rIl contratto è stato salvato; controllare la prenotazione nel planner.")
                     .arg(QDir::toNativeSeparators(QDir(fake.folder()).absolutePath())));
        QCOMPARE(readFile(planningFile(fake, QStringLiteral("7"), 2024)), before);
    }

    void savingAContractOffersTheBookingAfterItsOwnMessage()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        Application app(fake.context());
        TfrmContratti_Noleggio_Bici& form = *app.contracts();
        form.show();
        const auto set = [&form](const char* field, const char* text) {
            form.edit(QLatin1String(field))->setText(QString::fromUtf8(text));
        };
        set("Ditta01", "Noleggi Garda");
        set("Data", "01/05/2024");
        set("Luogo", "Riva");
        set("Cliente", "Rossi Mario");
        set("Recapito", "333 1234567");
        set("BiciNum", "7");
        set("Marca", "Atala City");
        set("DataInizio", "01/05/2024");
        set("DataFine", "02/05/2024");
        QVERIFY(click(&form, QStringLiteral("cmdSalva")));
        QVERIFY2(fake.messages().count() == 2, qPrintable(fake.messages().last().text));
        QCOMPARE(int(fake.messages().all().at(0).kind), int(MessageKind::Information));
        QCOMPARE(
            fake.messages().all().at(1).text,
            QStringLiteral(
                "Prenotare nel planner la bicicletta n. 7 dall'01/05/2024 al 02/05/2024 per Rossi Mario?"));
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024),
                 (QStringList{"01/05=Rossi Mario 333 1234567", "02/05=Rossi Mario 333 1234567"}));
        // The same contract saved with a later end: the booking moves (here, grows by a day).
        set("DataFine", "03/05/2024");
        QVERIFY(click(&form, QStringLiteral("cmdSalva")));
        QVERIFY(fake.messages().last().text.startsWith(
            QStringLiteral("Spostare nel planner la prenotazione di Rossi Mario")));
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024).size(), 3);
        // Reopened from the archive and saved unchanged: nothing more is asked.
        const int asked = fake.messages().count();
        form.showRecord(1);
        QVERIFY(click(&form, QStringLiteral("cmdSalva")));
        QCOMPARE(fake.messages().count(), asked + 1); // the save's own message alone
    }

    void planningFilesThatCannotBeWrittenAreNotBooked_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const QString unreadable =
            QStringLiteral("Errore: il file \"Prenotazioni bicicletta 7 anno 2024.pln\" del planner "
                           "non può essere letto.\n\r\n\rIl contratto è stato salvato, ma la "
                           "prenotazione non è stata registrata nel planner.");
        QTest::newRow("cut short") << "short" << unreadable;
        QTest::newRow("folder") << "folder" << unreadable;
        QTest::newRow("read-only")
            << "read-only"
            << "Errore: il file \"Prenotazioni bicicletta 7 anno 2024.pln\" del planner non può "
               "essere modificato.\n\r\n\rIl file \"Prenotazioni bicicletta 7 anno 2024.pln\" è di "
               "sola lettura: le modifiche non possono essere salvate.\n\r\n\rIl contratto è stato "
               "salvato, ma la prenotazione non è stata registrata nel planner.";
    }

    void planningFilesThatCannotBeWrittenAreNotBooked()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        const QString file = planningFile(fake, QStringLiteral("7"), 2024);
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir(fake.folder()).mkdir(QFileInfo(file).fileName()));
        } else {
            // 70 bookings, as a shop's busy year holds.
            DayTexts bookings;
            for (int day = 1; day <= 28; ++day)
                for (const int month : {3, 4})
                    bookings.insert(QDate(2024, month, day),
                                    QStringLiteral("Cliente %1").arg(day, 2, 10, QLatin1Char('0')));
            for (int day = 1; day <= 14; ++day)
                bookings.insert(QDate(2024, 6, day), QStringLiteral("Cliente"));
            QCOMPARE(bookings.size(), 70);
            book(fake, QStringLiteral("7"), bookings);
            if (kind == QLatin1String("short"))
                QVERIFY(QFile::resize(file, 18000));
            else
                QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        }
        const QByteArray before = readFile(file);
        QVERIFY(QFile::setPermissions(fake.folder(), QFileDevice::Permissions(0x7777)));
        QVERIFY(QFile::setPermissions(fake.file(QStringLiteral("Parco_Veicoli.pro")),
                                      QFileDevice::Permissions(0x6666)));
        {
            AsPlainUser plain;
            bookForContract(fake.context(), nullptr,
                            {days(QStringLiteral("7"), "01/05/2024", "03/05/2024"), std::nullopt});
        }
        QCOMPARE(fake.messages().count(), 1); // told before anything is asked
        QCOMPARE(int(fake.messages().last().kind), int(MessageKind::Error));
        QCOMPARE(fake.messages().last().text, message);
        QCOMPARE(readFile(file), before);
        QCOMPARE(QFileInfo(file).isDir(), kind == QLatin1String("folder"));
    }

    void aFileRemovedOrCutBeforeTheBookingIsWrittenIsWrittenAgain_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::newRow("removed") << true;
        QTest::newRow("cut short") << false;
    }

    void aFileRemovedOrCutBeforeTheBookingIsWrittenIsWrittenAgain()
    {
        QFETCH(bool, removed);
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        book(fake, QStringLiteral("7"), {QDate(2024, 5, 10)}, QStringLiteral("Verdi"));
        const Planning::BookedSpan wanted{QStringLiteral("7"), date("01/05/2024"), date("02/05/2024"),
                                          QStringLiteral("Rossi")};
        const Planning::BookingPlan plan = Planning::planBooking(fake.folder(), wanted, std::nullopt);
        const QString file = planningFile(fake, QStringLiteral("7"), 2024);
        QVERIFY(removed ? QFile::remove(file) : QFile::resize(file, 100));
        const Planning::BookingWritten written =
            Planning::writeBooking(plan, {QStringLiteral("7"), QStringLiteral("Atala City"), {}, {}},
                                   QStringLiteral("Rossi"), false);
        QVERIFY(!written.failed());
        QCOMPARE(int(written.files.size()), 1);
        QCOMPARE(written.files[0].result.meanwhile, removed ? Planning::SaveResult::Meanwhile::Removed
                                                            : Planning::SaveResult::Meanwhile::Damaged);
        // What was read is written back with the booking, not an empty year.
        QCOMPARE(booked(fake, QStringLiteral("7"), 2024),
                 (QStringList{"01/05=Rossi", "02/05=Rossi", "10/05=Verdi"}));
    }

    void aBookingReplacingAnotherWorkstationsTextNamesIt()
    {
        FakeContext fake;
        addVehicle(fake, QStringLiteral("7"));
        const Planning::BookedSpan wanted{QStringLiteral("7"), date("01/05/2024"), date("02/05/2024"),
                                          QStringLiteral("Rossi")};
        const Planning::BookingPlan plan = Planning::planBooking(fake.folder(), wanted, std::nullopt);
        book(fake, QStringLiteral("7"), {QDate(2024, 5, 2)}, QStringLiteral("Neri 333"));
        const Planning::BookingWritten written =
            Planning::writeBooking(plan, {QStringLiteral("7"), QStringLiteral("Atala City"), {}, {}},
                                   QStringLiteral("Rossi"), false);
        QCOMPARE(int(written.files.size()), 1);
        const std::vector<Planning::Conflict>& conflicts = written.files[0].result.conflicts;
        QCOMPARE(int(conflicts.size()), 1);
        QCOMPARE(conflicts[0].slot, Planning::slotOf(5, 2));
        QCOMPARE(conflicts[0].kept, QStringLiteral("Rossi"));
        QCOMPARE(conflicts[0].replaced, QStringLiteral("Neri 333"));
    }
};

RF_REGISTER_TEST(ContractBookingTest)
#include "ContractBookingTest.moc"
