#include "desk/TodayWork.h"
#include "contracts/SchedaContratto.h"
#include "desk/ui/TfrmOggi.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "planner/PlanningFile.h"
#include "storage/ArchiveFile.h"
#include "storage/RecordScan.h"
#include "support/Archives.h"
#include "support/FakeContext.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace rf;
using namespace rf::Test;

namespace {

// Today is 05/03/2024 on the fake clock.
void addContract(FakeContext& fake, const QString& customer, const QString& bicycle, const QString& start,
                 const QString& end, const QString& returned = QStringLiteral("No"),
                 const QString& endTime = QString())
{
    Test::addContract(fake, {{QStringLiteral("Cliente"), customer},
                             {QStringLiteral("OraFine"), endTime},
                             {QStringLiteral("BiciNum"), bicycle},
                             {QStringLiteral("DataInizio"), start},
                             {QStringLiteral("DataFine"), end},
                             {QStringLiteral("Riconsegnato"), returned}});
}

// Books days of March 2024 (by day number) for text.
void bookMarch(FakeContext& fake, const QString& number, const QList<int>& days, const QString& text)
{
    QList<QDate> dates;
    for (const int day : days)
        dates.append(QDate(2024, 3, day));
    Test::book(fake, number, dates, text);
}

// A workshop log entry of a vehicle: the work done on a day (dd/MM/yyyy).
void addService(FakeContext& fake, const QString& number, const char* day, const QString& work)
{
    Service::Entry entry;
    entry.vehicleNumber = number;
    entry.date = QDate::fromString(QLatin1String(day), QStringLiteral("dd/MM/yyyy"));
    entry.work = work;
    QVERIFY(Service::append(fake.folder(), entry) > 0);
}

// Five vehicles on 05/03/2024, the shop's tagliando every 300 days: 1 and 5 past it by days (1 past
// its first brakes too, by rental days), 2 past its brakes by rental days, 3 serviced and rented
// little, 4 never rented nor serviced.
void layDownServiceFleet(FakeContext& fake)
{
    for (const char* number : {"1", "2", "3", "4", "5"})
        addVehicle(fake, QLatin1String(number));
    QFile ini(fake.file(QStringLiteral("Rotaflux.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Manutenzione]\r\nTagliando_Giorni=300\r\n");
    ini.close();
    const QString tagliando = QStringLiteral("Tagliando");
    addService(fake, QStringLiteral("1"), "01/02/2023", tagliando); // 98 days over
    addContract(fake, QStringLiteral("Verdi"), QStringLiteral("1"), QStringLiteral("20/11/2023"),
                QStringLiteral("28/02/2024"), QStringLiteral("S\u00EC")); // 100 days, brakes never done
    addService(fake, QStringLiteral("5"), "01/01/2023", tagliando);       // 129 days over
    addService(fake, QStringLiteral("2"), "01/03/2024", tagliando);
    addService(fake, QStringLiteral("2"), "01/10/2023", QStringLiteral("Freni"));
    // 91 days out since the brakes, against 90.
    addContract(fake, QStringLiteral("Rossi"), QStringLiteral("2"), QStringLiteral("02/10/2023"),
                QStringLiteral("31/12/2023"), QStringLiteral("S\u00EC"));
    addService(fake, QStringLiteral("3"), "01/01/2024", tagliando);
    addContract(fake, QStringLiteral("Bianchi"), QStringLiteral("3"), QStringLiteral("10/02/2024"),
                QStringLiteral("12/02/2024"), QStringLiteral("S\u00EC"));
}

// A field of the record a list line was made from (the archive's record at the line's position),
// read by its name, provided the line shows it as a word or words of its own; what the line shows
// instead otherwise.
QString shownField(const QString& archive, const RecordLayout& layout, const ListEntry& entry,
                   const QString& field)
{
    const std::optional<QStringList> record = readArchiveRecord(archive, layout, entry.position);
    const QString value = record ? record->value(layout.indexOf(field)) : QString();
    const QRegularExpression shown(QStringLiteral("(^|\\s)%1(\\s|$)").arg(QRegularExpression::escape(value)));
    return !value.isEmpty() && shown.match(entry.text()).hasMatch()
               ? value
               : QStringLiteral("%1 not in: %2").arg(value, entry.text());
}

// The customers of lines of contracts.
QStringList customers(FakeContext& fake, const std::vector<ListEntry>& lines)
{
    QStringList names;
    for (const ListEntry& line : lines)
        names << shownField(fake.file(QString::fromLatin1(Contracts::ArchiveName)), TSchedaContratto(), line,
                            QStringLiteral("Cliente"));
    return names;
}

// The vehicles of lines of fleet cards (the pickups).
QStringList bicycles(FakeContext& fake, const std::vector<ListEntry>& lines)
{
    QStringList numbers;
    for (const ListEntry& line : lines)
        numbers << shownField(fake.file(QString::fromLatin1(Fleet::ArchiveName)), TSchedaVeicolo(), line,
                              QStringLiteral("BiciNum"));
    return numbers;
}

} // namespace

class TodayWorkTest : public QObject {
    Q_OBJECT
private slots:
    // Before, on and after the end date; returned contracts and unreadable end dates.
    void contractListsFollowTheEndDate()
    {
        FakeContext fake;
        addContract(fake, QStringLiteral("Ieri"), QStringLiteral("1"), QStringLiteral("01/03/2024"),
                    QStringLiteral("04/03/2024"));
        addContract(fake, QStringLiteral("Oggi"), QStringLiteral("2"), QStringLiteral("01/03/2024"),
                    QStringLiteral("05/03/2024"));
        addContract(fake, QStringLiteral("Domani"), QStringLiteral("3"), QStringLiteral("01/03/2024"),
                    QStringLiteral("06/03/2024"));
        addContract(fake, QStringLiteral("Reso"), QStringLiteral("4"), QStringLiteral("01/03/2024"),
                    QStringLiteral("04/03/2024"), QStringLiteral("S\u00EC"));
        addContract(fake, QStringLiteral("Senza fine"), QStringLiteral("5"), QStringLiteral("01/03/2024"),
                    QStringLiteral("31/02/2024"));
        const Today::Work work = Today::dayWork(fake.folder(), fake.clock().today());
        QCOMPARE(customers(fake, work.out), (QStringList{"Ieri", "Oggi", "Domani", "Senza fine"}));
        QCOMPARE(customers(fake, work.dueToday), QStringList{"Oggi"});
        QCOMPARE(customers(fake, work.late), QStringList{"Ieri"});
        QCOMPARE(work.contracts, ScanResult::Done);
    }

    // The most urgent first: late by days late, due today by end time, out by end date, pickups by
    // the time in the booking; then the vehicles in number order (9 before B-2 before B-10).
    void listsInOrderOfUrgency()
    {
        FakeContext fake;
        const QString start = QStringLiteral("01/02/2024");
        const QString no = QStringLiteral("No");
        addContract(fake, QStringLiteral("Tardi B-10"), QStringLiteral("B-10"), start,
                    QStringLiteral("01/03/2024"));
        addContract(fake, QStringLiteral("Poco tardi"), QStringLiteral("B-2"), start,
                    QStringLiteral("04/03/2024"));
        addContract(fake, QStringLiteral("Tardi 9"), QStringLiteral("9"), start,
                    QStringLiteral("01/03/2024"));
        addContract(fake, QStringLiteral("Molto tardi"), QStringLiteral("B-20"), start,
                    QStringLiteral("20/02/2024"));
        addContract(fake, QStringLiteral("Sera"), QStringLiteral("1"), start, QStringLiteral("05/03/2024"),
                    no, QStringLiteral("18:00"));
        addContract(fake, QStringLiteral("Senza ora"), QStringLiteral("2"), start,
                    QStringLiteral("05/03/2024"));
        addContract(fake, QStringLiteral("Mattina"), QStringLiteral("3"), start, QStringLiteral("05/03/2024"),
                    no, QStringLiteral("9.30"));
        addContract(fake, QStringLiteral("Dopodomani"), QStringLiteral("4"), start,
                    QStringLiteral("07/03/2024"));
        addContract(fake, QStringLiteral("Domani"), QStringLiteral("5"), start, QStringLiteral("06/03/2024"));
        for (const char* number : {"A", "B", "C", "D"})
            addVehicle(fake, QLatin1String(number));
        bookMarch(fake, QStringLiteral("A"), {5}, QStringLiteral("Rossi ore 15:00"));
        bookMarch(fake, QStringLiteral("B"), {5}, QStringLiteral("Neri"));
        bookMarch(fake, QStringLiteral("C"), {5}, QStringLiteral("Bianchi 333 1234567 alle 9.15"));
        bookMarch(fake, QStringLiteral("D"), {5}, QStringLiteral("Verdi 11:00"));
        const Today::Work work = Today::dayWork(fake.folder(), fake.clock().today());
        QCOMPARE(customers(fake, work.late),
                 (QStringList{"Molto tardi", "Tardi 9", "Tardi B-10", "Poco tardi"}));
        QCOMPARE(customers(fake, work.dueToday), (QStringList{"Mattina", "Sera", "Senza ora"}));
        QCOMPARE(customers(fake, work.out),
                 (QStringList{"Molto tardi", "Tardi 9", "Tardi B-10", "Poco tardi", "Sera", "Senza ora",
                              "Mattina", "Domani", "Dopodomani"}));
        QCOMPARE(bicycles(fake, work.pickups), (QStringList{"C", "D", "A", "B"}));
    }

    // A booking that begins today is a pickup unless a contract covers its bicycle today; one that
    // goes on from yesterday is not.
    void pickupsAreTodaysNewBookingsWithNoContract()
    {
        FakeContext fake;
        for (const char* number : {"A", "B", "C", "D"})
            addVehicle(fake, QLatin1String(number));
        bookMarch(fake, QStringLiteral("A"), {5, 6}, QStringLiteral("Rossi"));   // begins today
        bookMarch(fake, QStringLiteral("B"), {4, 5}, QStringLiteral("Bianchi")); // from yesterday
        bookMarch(fake, QStringLiteral("C"), {5}, QStringLiteral("Verdi"));      // contract drawn up
        bookMarch(fake, QStringLiteral("D"), {4}, QStringLiteral("Neri"));       // a new customer today
        bookMarch(fake, QStringLiteral("D"), {5}, QStringLiteral("Gialli"));
        addContract(fake, QStringLiteral("Verdi"), QStringLiteral("c"), QStringLiteral("05/03/2024"),
                    QStringLiteral("05/03/2024"), QStringLiteral("S\u00EC"));
        const Today::Work work = Today::dayWork(fake.folder(), fake.clock().today());
        QCOMPARE(bicycles(fake, work.pickups), (QStringList{"A", "D"}));
        QVERIFY(work.pickups[1].text().endsWith(QStringLiteral("Prenotata per: Gialli")));
        QVERIFY(work.pickups[0].position > 0);
    }

    // The window: Riconsegnato, after Yes, marks the selected contract returned and the lists follow;
    // Enter on a line asks for its contract; Escape closes.
    // Marking a contract returned reads, decides and writes under one lock: another workstation
    // saving the same contract all the while loses none of its saves.
    void markingReturnedKeepsAnotherWorkstationsSaves()
    {
        FakeContext fake;
        addContract(fake, QStringLiteral("Rossi"), QStringLiteral("1"), QStringLiteral("01/03/2024"),
                    QStringLiteral("05/03/2024"));
        const QString path = fake.file(QStringLiteral("Contratti_Noleggio_Bici.pro"));
        const QByteArray line = Today::dayWork(fake.folder(), fake.clock().today()).dueToday.at(0).line;
        const int rounds = 150;
        QProcess other;
        other.start(QStringLiteral(RECORD_EDIT_HELPER), {path, QStringLiteral("count"), QStringLiteral("1"),
                                                         QStringLiteral("Note"), QString::number(rounds)});
        QVERIFY(other.waitForStarted());
        int marked = 0;
        while (other.state() != QProcess::NotRunning || marked == 0) {
            // Back to "No" first, so that every mark really writes.
            ArchiveFile archive(path, TSchedaContratto().size());
            QVERIFY(archive.OpenArchive());
            archive.update(1, [](QByteArray& record) {
                QStringList texts = TSchedaContratto().decode(record);
                texts[Contracts::ReturnedField] = Contracts::returnedNo();
                record = TSchedaContratto().encode(texts);
                return true;
            });
            archive.CloseArchive();
            QCOMPARE(Today::markReturned(fake.folder(), 1, line), Contracts::Returned::Done);
            ++marked;
            other.waitForFinished(0);
        }
        QCOMPARE(other.exitCode(), 0);
        const std::optional<QStringList> record = readArchiveRecord(path, TSchedaContratto(), 1);
        QVERIFY(record);
        QCOMPARE(record->value(TSchedaContratto().indexOf(QStringLiteral("Note"))), QString::number(rounds));
        QCOMPARE(record->value(Contracts::ReturnedField), Contracts::returnedYes());
    }

    // Looking at the day's work in a folder with no archives yet leaves the folder as it was.
    void readingTheDaysWorkCreatesNoFile()
    {
        FakeContext fake;
        const Today::Work work = Today::dayWork(fake.folder(), fake.clock().today());
        QVERIFY(work.out.empty() && work.pickups.empty());
        QCOMPARE(QDir(fake.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }

    // From the keyboard: a line chosen in Fuori, then Tab across the other lists to Riconsegnato and
    // Enter acts on that line.
    void riconsegnatoActsOnTheLineChosenLast()
    {
        FakeContext fake;
        addContract(fake, QStringLiteral("Rossi"), QStringLiteral("1"), QStringLiteral("01/03/2024"),
                    QStringLiteral("09/03/2024"));
        addContract(fake, QStringLiteral("Bianchi"), QStringLiteral("2"), QStringLiteral("01/03/2024"),
                    QStringLiteral("08/03/2024"));
        addContract(fake, QStringLiteral("Verdi"), QStringLiteral("3"), QStringLiteral("01/03/2024"),
                    QStringLiteral("04/03/2024"));
        TfrmOggi today(fake.context(), nullptr);
        today.show();
        QVERIFY(QTest::qWaitForWindowActive(&today));
        QListView* out = today.listView(TfrmOggi::List::Out);
        // The scan field has the focus at first; Tab leads to the first list.
        auto* scanField = child<QLineEdit>(&today, QStringLiteral("txtScansione"));
        QTRY_VERIFY(scanField->hasFocus());
        QTest::keyClick(scanField, Qt::Key_Tab);
        QTRY_VERIFY(out->hasFocus());
        QTest::keyClick(out, Qt::Key_Home);
        QTest::keyClick(out, Qt::Key_Down); // Bianchi, the second by end date
        auto* button = child<QPushButton>(&today, QStringLiteral("btnRiconsegna"));
        for (int tab = 0; tab < 10 && !button->hasFocus(); ++tab)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(button->hasFocus());
        fake.messages().answerNext(false);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Confirmation);
        QVERIFY2(fake.messages().last().text.contains(QStringLiteral("Bianchi")),
                 qPrintable(fake.messages().last().text));
    }

    // One line per vehicle with work due, the most overdue first, by the rules of the folder's
    // settings file; the work and how overdue after the vehicle, which stands as on a pickup's line.
    void serviceListShowsTheVehiclesWithWorkDue()
    {
        FakeContext fake;
        layDownServiceFleet(fake);
        const Today::Work work = Today::dayWork(fake.folder(), fake.clock().today());
        QCOMPARE(work.serviceLog, ScanResult::Done);
        QCOMPARE(bicycles(fake, work.service), (QStringList{"5", "1", "2"}));
        QVERIFY2(work.service[0].text().endsWith(QStringLiteral("  Tagliando scaduto da 129 giorni")),
                 qPrintable(work.service[0].text()));
        // The most overdue work in words, the rest by name.
        QVERIFY2(
            work.service[1].text().endsWith(QStringLiteral("  Tagliando scaduto da 98 giorni; anche Freni")),
            qPrintable(work.service[1].text()));
        QVERIFY2(work.service[2].text().endsWith(QStringLiteral("  Freni scaduto da 1 giorno di noleggio")),
                 qPrintable(work.service[2].text()));
        const Planning::Vehicle vehicle{QStringLiteral("5"), QStringLiteral("Atala City"), {}, {}};
        QCOMPARE(work.service[0].text().indexOf(QStringLiteral("Atala City")),
                 QString::fromLatin1(Today::pickupLine(vehicle, QStringLiteral("x"))).indexOf(vehicle.make));

        // The window lists them under their count; Enter on a line asks for that vehicle's card.
        TfrmOggi today(fake.context(), nullptr);
        today.show();
        QVERIFY(QTest::qWaitForWindowActive(&today));
        QCOMPARE(required<QLabel>(&today, QStringLiteral("titRevisione"))->text(),
                 QStringLiteral("Da revisionare (3)"));
        QListView* service = today.listView(TfrmOggi::List::Service);
        QCOMPARE(service->objectName(), QStringLiteral("lstRevisione"));
        service->setFocus();
        service->setCurrentIndex(service->model()->index(1, 0));
        // Not a contract: Riconsegnato has nothing to mark.
        QVERIFY(click(&today, QStringLiteral("btnRiconsegna")));
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        service->setFocus();
        QTest::keyClick(service, Qt::Key_Return);
        QCOMPARE(today.result(), int(QDialog::Accepted));
        QCOMPARE(today.chosen().kind, TfrmOggi::Choice::Kind::FleetCard);
        QCOMPARE(today.chosen().position, work.service[1].position);
    }

    // A log that cannot be read lists nothing, rather than work as due that was done, and says so
    // as an unreadable contracts archive does.
    void unreadableLogLeavesTheServiceListEmpty()
    {
        FakeContext fake;
        layDownServiceFleet(fake);
        QVERIFY(QFile::remove(fake.file(QLatin1String(Service::ArchiveName))));
        QVERIFY(QDir(fake.folder()).mkdir(QLatin1String(Service::ArchiveName)));
        const Today::Work work = Today::dayWork(fake.folder(), fake.clock().today());
        QCOMPARE(work.serviceLog, ScanResult::Failed);
        QVERIFY(work.service.empty());

        TfrmOggi today(fake.context(), nullptr);
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Plain);
        QVERIFY2(fake.messages().last().text.contains(QLatin1String(Service::ArchiveName)),
                 qPrintable(fake.messages().last().text));
        QCOMPARE(required<QLabel>(&today, QStringLiteral("titRevisione"))->text(),
                 QStringLiteral("Da revisionare (0)"));
    }

    // A code read at the counter, as a scanner types it with Enter: a bike out has its contract
    // selected and Enter marks it returned after the question; a pickup of today has its booking
    // selected; a code that is no fleet number is told.
    void scanFindsTheBikeOutOrItsPickup()
    {
        FakeContext fake;
        for (const char* number : {"1", "2", "3"})
            addVehicle(fake, QLatin1String(number));
        addContract(fake, QStringLiteral("Rossi"), QStringLiteral("1"), QStringLiteral("01/03/2024"),
                    QStringLiteral("09/03/2024"));
        addContract(fake, QStringLiteral("Verdi"), QStringLiteral("3"), QStringLiteral("01/03/2024"),
                    QStringLiteral("08/03/2024"));
        bookMarch(fake, QStringLiteral("2"), {5}, QStringLiteral("Bianchi"));
        TfrmOggi today(fake.context(), nullptr);
        today.show();
        QVERIFY(QTest::qWaitForWindowActive(&today));
        auto* scanField = child<QLineEdit>(&today, QStringLiteral("txtScansione"));
        QTRY_VERIFY(scanField->hasFocus());

        QTest::keyClicks(scanField, QStringLiteral("1"));
        QTest::keyClick(scanField, Qt::Key_Return);
        QListView* out = today.listView(TfrmOggi::List::Out);
        QVERIFY(out->currentIndex().data().toString().contains(QStringLiteral("Rossi")));
        auto* button = child<QPushButton>(&today, QStringLiteral("btnRiconsegna"));
        QTRY_VERIFY(button->hasFocus());
        QCOMPARE(fake.messages().count(), 0);
        QTest::keyClick(button, Qt::Key_Return); // answered Yes
        QCOMPARE(fake.messages().last().kind, MessageKind::Confirmation);
        QVERIFY(fake.messages().last().text.contains(QStringLiteral("Rossi")));
        QCOMPARE(today.lines(TfrmOggi::List::Out).rowCount(), 1); // Verdi alone is out now

        QTest::keyClicks(scanField, QStringLiteral("2"));
        QTest::keyClick(scanField, Qt::Key_Return);
        QListView* pickups = today.listView(TfrmOggi::List::Pickups);
        QTRY_VERIFY(pickups->hasFocus());
        QVERIFY(pickups->currentIndex().data().toString().contains(QStringLiteral("Bianchi")));

        fake.messages().clear();
        QTest::keyClicks(scanField, QStringLiteral("X-99"));
        QTest::keyClick(scanField, Qt::Key_Return);
        QCOMPARE(fake.messages().count(), 1);
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QVERIFY(fake.messages().last().text.contains(QStringLiteral("(X-99) non è il numero")));
        QVERIFY(today.isVisible());
    }

    void windowMarksReturnedAndOpensALine()
    {
        FakeContext fake;
        addContract(fake, QStringLiteral("Rossi"), QStringLiteral("1"), QStringLiteral("01/03/2024"),
                    QStringLiteral("05/03/2024"));
        addContract(fake, QStringLiteral("Bianchi"), QStringLiteral("2"), QStringLiteral("01/03/2024"),
                    QStringLiteral("04/03/2024"));
        {
            TfrmOggi today(fake.context(), nullptr);
            today.show();
            QVERIFY(QTest::qWaitForWindowActive(&today));
            QCOMPARE(today.lines(TfrmOggi::List::DueToday).rowCount(), 1);
            QListView* due = today.listView(TfrmOggi::List::DueToday);
            due->setFocus();
            due->setCurrentIndex(due->model()->index(0, 0));
            fake.messages().answerNext(true);
            QVERIFY(click(&today, QStringLiteral("btnRiconsegna")));
            QCOMPARE(fake.messages().last().kind, MessageKind::Confirmation);
            QCOMPARE(today.lines(TfrmOggi::List::DueToday).rowCount(), 0);
            QCOMPARE(today.lines(TfrmOggi::List::Out).rowCount(), 1);
            const std::optional<QStringList> record = readArchiveRecord(
                fake.file(QStringLiteral("Contratti_Noleggio_Bici.pro")), TSchedaContratto(), 1);
            QVERIFY(record);
            QCOMPARE(record->value(TSchedaContratto().indexOf(QStringLiteral("Riconsegnato"))),
                     QStringLiteral("S\u00EC"));
            QCOMPARE(record->value(TSchedaContratto().indexOf(QStringLiteral("Cliente"))),
                     QStringLiteral("Rossi"));

            QListView* late = today.listView(TfrmOggi::List::Late);
            late->setFocus();
            late->setCurrentIndex(late->model()->index(0, 0));
            QTest::keyClick(late, Qt::Key_Return);
            QCOMPARE(today.result(), int(QDialog::Accepted));
            QCOMPARE(today.chosen().kind, TfrmOggi::Choice::Kind::Contract);
            QCOMPARE(today.chosen().position, qint64(2));
        }
        TfrmOggi again(fake.context(), nullptr);
        again.show();
        QVERIFY(QTest::qWaitForWindowActive(&again));
        QTest::keyClick(&again, Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QCOMPARE(again.chosen().kind, TfrmOggi::Choice::Kind::None);
    }
};

RF_REGISTER_TEST(TodayWorkTest)
#include "TodayWorkTest.moc"
