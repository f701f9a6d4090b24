#include "StrayWindows.h"
#include "app/ui/Application.h"
#include "app/ui/TfrmAvvio.h"
#include "app/ui/TfrmPassword.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "planner/PlanningFile.h"
#include "planner/ui/TfrmGiorno.h"
#include "planner/ui/TfrmIntervallo.h"
#include "planner/ui/TfrmMenuCamere.h"
#include "planner/ui/TfrmPlanning.h"
#include "planner/ui/TfrmRiepPrenotazioni.h"
#include "planner/ui/TfrmTabellone.h"
#include "reports/Layout.h"
#include "support/FakeContext.h"
#include "support/Files.h"
#include "support/Fixtures.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using namespace rf::Test;

namespace {

// Messages that let a test act when the user is asked something (lift a failure before a retry).
class ActingMessages final : public Messages {
public:
    std::function<bool(const QString&)> onConfirm;
    QStringList texts;
    void warning(QWidget*, const QString& text) override { texts.append(text); }
    void error(QWidget*, const QString& text) override { texts.append(text); }
    void information(QWidget*, const QString& text) override { texts.append(text); }
    bool confirm(QWidget*, const QString& text) override
    {
        texts.append(text);
        return onConfirm(text);
    }
    void plain(QWidget*, const QString& text) override { texts.append(text); }
};

// Messages shown as real message boxes, each answered with Enter once it is up: the focus leaves
// the window and comes back as it does for the user.
class BoxMessages final : public Messages {
public:
    QStringList texts;
    void warning(QWidget* parent, const QString& text) override { show(parent, text); }
    void error(QWidget* parent, const QString& text) override { show(parent, text); }
    void information(QWidget* parent, const QString& text) override { show(parent, text); }
    bool confirm(QWidget* parent, const QString& text) override
    {
        show(parent, text);
        return false;
    }
    void plain(QWidget* parent, const QString& text) override { show(parent, text); }

private:
    void show(QWidget* parent, const QString& text)
    {
        texts.append(text);
        QVERIFY(driveModal<QMessageBox>(
            [&] {
                QMessageBox box(QMessageBox::Warning, QString(), text, QMessageBox::Ok, parent);
                box.exec();
            },
            [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }));
        if (parent)
            parent->window()->activateWindow(); // as the window system does when the message closes
    }
};

QString saveFailed(const QString& folder)
{
    return QStringLiteral(
               "Attenzione: non è stato possibile salvare le prenotazioni.\n\r\n\rIl file \"Prenotazioni "
               "bicicletta 7 anno 2024.pln\" è in uso da un'altra postazione, oppure non è possibile "
               "scrivere "
               "nella cartella dei dati %1 (privilegi di scrittura insufficienti o disco pieno).\n\r\n\r"
               "Riprovare il salvataggio?")
        .arg(QDir::toNativeSeparators(QDir(folder).absolutePath()));
}
const QString CloseUnsaved =
    QStringLiteral("Chiudere il planner senza salvare? Le prenotazioni inserite o modificate "
                   "in questa schermata andranno perse.");

// Chooses start day, start month, end day and end month in the interval dialog.
void pickInterval(QWidget* dialog, const QStringList& picks)
{
    const char* pickers[] = {"txtGiornoInizio", "txtMeseInizio", "txtGiornoFine", "txtMeseFine"};
    for (int i = 0; i < 4; ++i) {
        auto* picker = child<QComboBox>(dialog, QLatin1String(pickers[i]));
        picker->setCurrentIndex(picker->findText(picks.at(i)));
    }
}

// The program with the planner entry shown, over a fleet of the given vehicles.
struct Planner {
    FakeContext fake;
    std::unique_ptr<Application> app;
    explicit Planner(const QStringList& vehicles, const QString& year = QStringLiteral("2024"))
    {
        fake.clock().moment = QDateTime(QDate(year.toInt(), 3, 5), QTime(9, 0));
        for (const QString& v : vehicles)
            addVehicle(fake, v, QStringLiteral("Atala City"),
                       {{QStringLiteral("Colore"), QStringLiteral("Rosso")},
                        {QStringLiteral("Taglia"), QStringLiteral("M")},
                        {QStringLiteral("Anno"), QStringLiteral("2023")}});
        app = std::make_unique<Application>(fake.context());
        entry()->show();
    }
    TfrmMenuCamere* entry() const { return app->plannerEntry(); }
    TfrmPlanning* grid() const { return app->planning(); }
    QString file(const QString& number, const QString& year = QStringLiteral("2024")) const
    {
        return fake.file(Planning::fileName(number, year));
    }
    // Picks the list line of a vehicle and presses Apri.
    void open(const QString& number)
    {
        auto* list = child<QListView>(entry(), QStringLiteral("lstRecords"));
        const QStringList lines = entry()->vehicles().lines();
        for (int row = 0; row < lines.size(); ++row) {
            if (lines.at(row).startsWith(QStringLiteral("Bici n. ") + number + QLatin1Char(' ')))
                list->setCurrentIndex(list->model()->index(row, 0));
        }
        QVERIFY(click(entry(), QStringLiteral("btnApriFatture")));
    }
    // Shows the planner entry of app, picks its first line and presses Apri.
    static void openFirst(Application& app)
    {
        app.plannerEntry()->show();
        child<QListView>(app.plannerEntry(), QStringLiteral("lstRecords"))
            ->setCurrentIndex(app.plannerEntry()->vehicles().index(0, 0));
        QVERIFY(click(app.plannerEntry(), QStringLiteral("btnApriFatture")));
    }
};

} // namespace

class PlannerWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // The vehicles in number order: 2 before 10.
    void entryListsTheFleetInNumberOrder()
    {
        Planner p({QStringLiteral("2"), QString(), QStringLiteral("10")});
        const QStringList lines = p.entry()->vehicles().lines();
        QCOMPARE(lines.size(), 2); // a card without a number is not listed
        QVERIFY(lines.at(0).startsWith(QStringLiteral("Bici n. 2 ")));
        QCOMPARE(lines.at(1), QStringLiteral("Bici n. 10               Atala City                    Taglia: "
                                             "M             Colore: Rosso                     Anno: 2023"));
        QCOMPARE(child<QLineEdit>(p.entry(), QStringLiteral("txtAnnoFatture"))->text(),
                 QStringLiteral("2024"));
        QCOMPARE(p.entry()->lblMemory, TfrmMenuCamere::Next::Launcher);
    }

    // A vehicle's yearly grid asked for on the board comes back, when closed, to the board where the
    // user stood: the same first day and span, the same vehicle and day.
    void gridFromTheBoardGoesBackToTheBoard()
    {
        Planner p({QStringLiteral("10"), QStringLiteral("2"), QStringLiteral("7")});
        QVERIFY(driveModal<TfrmTabellone>(
            [&] { QVERIFY(click(p.entry(), QStringLiteral("btnTabellone"))); },
            [](TfrmTabellone* board) {
                child<QComboBox>(board, QStringLiteral("cboPeriodo"))
                    ->setCurrentIndex(int(TfrmTabellone::Span::ThreeMonths));
                child<QLineEdit>(board, QStringLiteral("txtDal"))->setText(QStringLiteral("01/02/2024"));
                QVERIFY(board->reload());
                board->board()->setCurrent(1, 40);
                QTest::keyClick(board->board(), Qt::Key_Return, Qt::ShiftModifier);
            }));
        QTRY_VERIFY(p.grid()->isVisible());
        QVERIFY(p.grid()->vehicleLine().startsWith(QStringLiteral("Bici n. 7 ")));

        BoardPlace back;
        bool driven = false;
        QVERIFY(driveModal<TfrmTabellone>(
            [&] {
                QVERIFY(QTest::qWaitForWindowActive(p.grid()));
                QTest::keyClick(p.grid(), Qt::Key_Escape);
                QTRY_VERIFY(driven);
            },
            [&](TfrmTabellone* board) {
                back = board->place();
                driven = true;
                QTest::keyClick(board, Qt::Key_Escape);
            }));
        QCOMPARE(back.start, QDate(2024, 2, 1));
        QCOMPARE(back.span, int(TfrmTabellone::Span::ThreeMonths));
        QCOMPARE(back.day, 40);
        QCOMPARE(back.vehicle, p.entry()->vehicles().entries()[1].position);
        QVERIFY(!p.grid()->isVisible());
        QVERIFY(p.entry()->isVisible());
        // Once back, the grid opened with Apri leads to the launcher as before.
        p.open(QStringLiteral("2"));
        QTRY_VERIFY(p.grid()->isVisible());
        p.grid()->close();
        QTRY_VERIFY(p.app->launcher()->isVisible());
    }

    void apriChecksInOrder_data()
    {
        QTest::addColumn<QStringList>("vehicles");
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("pick");
        QTest::addColumn<QString>("warning");
        QTest::newRow("three digits") << QStringList{QStringLiteral("1")} << "202" << true
                                      << "Attenzione: indicare l'anno solare utilizzando quattro cifre.";
        QTest::newRow("no vehicle")
            << QStringList{} << "2024" << false
            << "Attenzione: l'elenco dei veicoli non contiene nessuna voce.\n\r\n\rPer poter "
               "utilizzare il planner delle prenotazioni è necessario registrare almeno un "
               "veicolo nella flotta bici.";
        QTest::newRow("none picked")
            << QStringList{QStringLiteral("1")} << "2024" << false
            << "Attenzione: selezionare un veicolo dall'elenco prima di premere il pulsante "
               "Apri.";
        QTest::newRow("number no file can hold") << QStringList{QStringLiteral("12/A")} << "2024" << true
                                                 << "Attenzione: il numero del veicolo contiene caratteri "
                                                    "che non possono far parte del nome di un file "
                                                    "(\"/\").\n\r\n\rPer utilizzare il planner è necessario "
                                                    "modificare il numero nella scheda del veicolo.";
    }

    void apriChecksInOrder()
    {
        QFETCH(QStringList, vehicles);
        QFETCH(QString, year);
        QFETCH(bool, pick);
        QFETCH(QString, warning);
        Planner p(vehicles);
        child<QLineEdit>(p.entry(), QStringLiteral("txtAnnoFatture"))->setText(year);
        if (pick)
            p.open(vehicles.first());
        else
            QVERIFY(click(p.entry(), QStringLiteral("btnApriFatture")));
        QCOMPARE(p.fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(p.fake.messages().last().text, warning);
        QVERIFY(p.entry()->isVisible());
        QVERIFY(!p.grid()->isVisible());
    }

    void yearTakesDigitsOnly()
    {
        Planner p({QStringLiteral("1")});
        auto* year = child<QLineEdit>(p.entry(), QStringLiteral("txtAnnoFatture"));
        year->clear();
        QTest::keyClicks(year, QStringLiteral("2a0 25x7"));
        QCOMPARE(year->text(), QStringLiteral("2025"));
    }

    // 202, Apri, the four-digits warning answered, 4: the year reads 2024.
    void typingAfterTheYearsWarningGoesOnAtTheCursor()
    {
        QTemporaryDir dir;
        auto messages = std::make_unique<BoxMessages>();
        BoxMessages& shown = *messages;
        Context context(dir.path(), std::move(messages), std::make_unique<FakeFileDialogs>(),
                        std::make_unique<FakeShell>(), std::make_unique<FakeClock>(),
                        std::make_unique<FakeClipboard>(), std::make_unique<FakeReportOutput>());
        TfrmMenuCamere entry(context);
        entry.show();
        QVERIFY(QTest::qWaitForWindowActive(&entry));
        auto* year = child<QLineEdit>(&entry, QStringLiteral("txtAnnoFatture"));
        QTRY_VERIFY(year->hasFocus());
        year->clear();
        QTest::keyClicks(year, QStringLiteral("202"));
        QTest::keyClick(year, Qt::Key_Return); // on to Apri
        QTRY_VERIFY(child(&entry, QStringLiteral("btnApriFatture"))->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(shown.texts, QStringList{QStringLiteral(
                                  "Attenzione: indicare l'anno solare utilizzando quattro cifre.")});
        QTRY_VERIFY(year->hasFocus());
        QTest::keyClicks(year, QStringLiteral("4"));
        QCOMPARE(year->text(), QStringLiteral("2024"));
    }

    void apriShowsTheVehiclesYearAndCloseSavesIt()
    {
        Planner p({QStringLiteral("7"), QStringLiteral("8")});
        p.open(QStringLiteral("7"));
        QVERIFY(p.grid()->isVisible());
        QVERIFY(!p.entry()->isVisible());
        QCOMPARE(p.grid()->windowTitle(), QStringLiteral(" Rotaflux - Planner prenotazioni anno 2024"));
        QCOMPARE(child<QLineEdit>(p.grid(), QStringLiteral("txtBiciNum"))->text(), QStringLiteral("7"));
        QCOMPARE(child<QLineEdit>(p.grid(), QStringLiteral("txtMarca"))->text(),
                 QStringLiteral("Atala City"));
        QCOMPARE(child<QLabel>(p.grid(), QStringLiteral("txtAnno"))->text(), QStringLiteral("2024"));
        QCOMPARE(QFileInfo(p.file(QStringLiteral("7"))).size(), 0); // created empty when shown
        QVERIFY(child<QWidget>(p.grid(), QStringLiteral("libFeb_29"))->isVisible());
        QVERIFY(!child<QWidget>(p.grid(), QStringLiteral("occFeb_29"))->isVisible());
        QVERIFY(!child<QWidget>(p.grid(), QStringLiteral("libApr_31")));
        p.grid()->setDay(0, QStringLiteral("Rossi 333 1234567"));
        p.grid()->close();
        QVERIFY(p.app->launcher()->isVisible());
        QCOMPARE(QFileInfo(p.file(QStringLiteral("7"))).size(), 18900);
        QCOMPARE(Planning::load(p.file(QStringLiteral("7"))).days[0], QStringLiteral("Rossi 333 1234567"));
    }

    void openingTheGridAndItsDialogsShowsNoStrayWindow()
    {
        Planner p({QStringLiteral("7")});
        WindowsShown shown;
        p.open(QStringLiteral("7")); // the grid is built here, on its first Apri
        QVERIFY(p.grid()->isVisible());
        QCOMPARE(shown.names, QStringList{QStringLiteral("rf::TfrmPlanning frmPlanning")});
        QCOMPARE(strayTopLevels({p.app->login(), p.app->launcher(), p.entry(), p.grid()}), QStringList());

        QVERIFY(driveModal([&] { QVERIFY(click(p.grid(), QStringLiteral("libGiu_27"))); },
                           [](QWidget* dialog) { QVERIFY(click(dialog, QStringLiteral("btnAnnulla"))); }));
        p.grid()->close();
        p.entry()->show();
        QVERIFY(driveModal([&] { QVERIFY(click(p.entry(), QStringLiteral("btnDisponibilita"))); },
                           [](QWidget* dialog) { QVERIFY(click(dialog, QStringLiteral("btnChiudi"))); }));
        QCOMPARE(shown.names, (QStringList{QStringLiteral("rf::TfrmPlanning frmPlanning"),
                                           QStringLiteral("rf::TfrmGiorno frmGiorno"),
                                           QStringLiteral("rf::TfrmAvvio frmAvvio"),
                                           QStringLiteral("rf::TfrmMenuCamere frmMenuCamere"),
                                           QStringLiteral("rf::TfrmDisponibilita frmDisponibilita")}));
    }

    void workWindowsFitALaptopScreenLessItsTaskbar_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("controls"); // those at the window's edges
        QTest::newRow("grid") << "grid" << QStringList{"panInfo", "cmdIntervallo", "cmdEsci",
                                                       "titDic",  "libDic_31",     "txtAnno"};
        QTest::newRow("entry") << "entry" << QStringList{"lstRecords", "imgEsci", "imgTitolo"};
        QTest::newRow("fleet") << "fleet" << QStringList{"panInfo", "cmdEsci"};
        QTest::newRow("contracts") << "contracts" << QStringList{"panInfo", "cmdEsci"};
    }

    void workWindowsFitALaptopScreenLessItsTaskbar()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, controls);
        Planner p({QStringLiteral("7")});
        QWidget* shown = p.entry();
        if (window == QLatin1String("grid")) {
            p.open(QStringLiteral("7"));
            shown = p.grid();
        } else if (window == QLatin1String("fleet")) {
            shown = p.app->fleet();
        } else if (window == QLatin1String("contracts")) {
            shown = p.app->contracts();
        }
        // 1366 x 768 less a taskbar of 40 and a title bar of 30.
        const QSize usable(1366, 768 - 70);
        shown->showNormal();
        shown->resize(usable);
        QCOMPARE(shown->size(), usable);
        QCoreApplication::processEvents();
        for (const QString& name : controls) {
            auto* control = child<QWidget>(shown, name);
            QVERIFY2(control && control->isVisible(), qPrintable(name));
            const QRect place(control->mapTo(shown, QPoint(0, 0)), control->size());
            QVERIFY2(shown->rect().contains(place), qPrintable(name));
        }
        // The grid scales down to fit, keeping its tiles apart.
        if (window == QLatin1String("grid")) {
            auto* last = child<QWidget>(shown, QStringLiteral("libDic_31"));
            auto* before = child<QWidget>(shown, QStringLiteral("libDic_30"));
            QVERIFY(before->geometry().right() < last->geometry().left());
            QVERIFY(child<QWidget>(shown, QStringLiteral("titDic"))->geometry().bottom() <
                    child<QWidget>(shown, QStringLiteral("panInfo"))->mapTo(shown, QPoint(0, 0)).y());
        }
    }

    void longVehicleTextsShowTheirStart()
    {
        FakeContext fake;
        fake.clock().moment = QDateTime(QDate(2024, 3, 5), QTime(9, 0));
        const QString make =
            QStringLiteral("Bianchi Spillo Cobalto Tourney Shimano ventuno velocità freni a disco "
                           "idraulici ruote da ventotto pollici");
        addVehicle(fake, QStringLiteral("1234567890123456789012345"), make,
                   {{QStringLiteral("Colore"), QStringLiteral("Blu cobalto metallizzato con inserti gialli")},
                    {QStringLiteral("Taglia"), QStringLiteral("Extra Large telaio 62 cm")}});
        Application app(fake.context());
        Planner::openFirst(app);
        TfrmPlanning* grid = app.planning();
        QVERIFY(grid->isVisible());
        for (const char* name : {"txtBiciNum", "txtMarca", "txtColore", "txtTaglia"}) {
            auto* field = child<QLineEdit>(grid, QLatin1String(name));
            QVERIFY2(field->cursorPosition() == 0, name);
        }
        // The day dialog's band wraps the vehicle line instead of cutting it.
        QVERIFY(driveModal([&] { QVERIFY(click(grid, QStringLiteral("libGiu_27"))); },
                           [](QWidget* dialog) {
                               auto* band = child<QLabel>(dialog, QStringLiteral("infCamera"));
                               QVERIFY(band->text().startsWith(
                                   QStringLiteral("Bici n. 1234567890123456789012345  Bianchi")));
                               QVERIFY(band->wordWrap());
                               QVERIFY(band->height() >= band->heightForWidth(band->width()));
                               QVERIFY(click(dialog, QStringLiteral("btnAnnulla")));
                           }));
    }

    void storedBookingsShowRed()
    {
        Planner p({QStringLiteral("7")});
        Planning::Days days;
        days[0] = QStringLiteral("Rossi");
        days[365] = QStringLiteral("Bianchi");
        days[100] = QStringLiteral("   ");
        QVERIFY(Planning::save(p.file(QStringLiteral("7")), {}, days));
        p.open(QStringLiteral("7"));
        int red = 0;
        for (int slot = 0; slot < Planning::DayCount; ++slot)
            red += p.grid()->isBooked(slot) ? 1 : 0;
        QCOMPARE(red, 2);
        QVERIFY(child<QWidget>(p.grid(), QStringLiteral("occGen_01"))->isVisible());
        QVERIFY(!child<QWidget>(p.grid(), QStringLiteral("libGen_01"))->isVisible());
        QVERIFY(child<QWidget>(p.grid(), QStringLiteral("occDic_31"))->isVisible());
    }

    void clickingADayBooksIt()
    {
        Planner p({QStringLiteral("7")});
        p.open(QStringLiteral("7"));
        QVERIFY(driveModal([&] { QVERIFY(click(p.grid(), QStringLiteral("libGiu_27"))); },
                           [](QWidget* dialog) {
                               auto* day = qobject_cast<TfrmGiorno*>(dialog);
                               QVERIFY(day);
                               QCOMPARE(day->lblMemory, Planning::slotOf(6, 27));
                               QCOMPARE(child<QLabel>(day, QStringLiteral("infGiorno"))->text(),
                                        QStringLiteral("Prenotazione del 27 giugno 2024"));
                               QCOMPARE(child<QLabel>(day, QStringLiteral("infCamera"))->text(),
                                        QStringLiteral("Bici n. 7  Atala City"));
                               QVERIFY(!day->showsBooked());
                               QTest::keyClicks(child<QLineEdit>(day, QStringLiteral("txtPrenotazione")),
                                                QStringLiteral("  Rossi 333 "));
                               QVERIFY(day->showsBooked());
                               QVERIFY(click(day, QStringLiteral("btnChiudi")));
                           }));
        QCOMPARE(p.grid()->days()[std::size_t(Planning::slotOf(6, 27))], QStringLiteral("Rossi 333"));
        QVERIFY(child<QWidget>(p.grid(), QStringLiteral("occGiu_27"))->isVisible());
    }

    void dayDialogFreesCopiesAndCancels()
    {
        FakeContext fake;
        TfrmGiorno day(fake.context(), nullptr);
        day.setDay(Planning::slotOf(1, 2), QStringLiteral("Prenotazione del 2 gennaio 2024"), QString(),
                   QStringLiteral(" Rossi "));
        day.show();
        QVERIFY(day.showsBooked());
        QVERIFY(click(&day, QStringLiteral("cmdClipboard")));
        QCOMPARE(fake.clipboard().content, QStringLiteral(" Rossi ")); // as typed
        QCOMPARE(fake.messages().last().text,
                 QStringLiteral("Il contenuto del campo di testo è stato copiato in memoria."));
        auto* text = child<QLineEdit>(&day, QStringLiteral("txtPrenotazione"));
        text->setText(QStringLiteral("   "));
        QVERIFY(!day.showsBooked());
        QVERIFY(click(&day, QStringLiteral("cmdClipboard")));
        QCOMPARE(fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(
            fake.messages().last().text,
            QStringLiteral("Attenzione: il campo di testo non contiene nessun dato da copiare in memoria."));
        QCOMPARE(fake.clipboard().content, QStringLiteral(" Rossi "));
        text->setText(QStringLiteral("x"));
        QVERIFY(click(&day, QStringLiteral("cmdCancella")));
        QCOMPARE(text->text(), QString());
        QCOMPARE(text->maxLength(), 50);
        QCOMPARE(day.text(), QString());
    }

    void february29OfACommonYearOpensNothing()
    {
        Planner p({QStringLiteral("7")}, QStringLiteral("2025"));
        p.open(QStringLiteral("7"));
        QVERIFY(click(p.grid(), QStringLiteral("libFeb_29")));
        QCOMPARE(p.fake.messages().last().text,
                 QStringLiteral("Attenzione: la data 29/02/2025 non esiste.\n\r\n\rPer poter effettuare la "
                                "prenotazione è necessario indicare una data valida."));
        QVERIFY(!p.grid()->isBooked(Planning::slotOf(2, 29)));
    }

    void intervalChecks_data()
    {
        QTest::addColumn<QStringList>("picks"); // start day, start month, end day, end month
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        const int warning = int(MessageKind::Warning);
        const int plain = int(MessageKind::Plain);
        QTest::newRow("start day")
            << QStringList{"", "Marzo", "02", "Marzo"} << "Rossi" << warning
            << "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco "
               "a cascata.";
        QTest::newRow("start month")
            << QStringList{"01", "", "02", "Marzo"} << "Rossi" << warning
            << "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco "
               "a cascata.";
        QTest::newRow("end day")
            << QStringList{"01", "Marzo", "", "Marzo"} << "Rossi" << warning
            << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a "
               "cascata.";
        QTest::newRow("end month")
            << QStringList{"01", "Marzo", "02", ""} << "Rossi" << warning
            << "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a "
               "cascata.";
        QTest::newRow("31 April")
            << QStringList{"31", "Aprile", "02", "Maggio"} << "Rossi" << plain
            << "Attenzione: la data 31/04/2025 di inizio intervallo non esiste.\n\r\n\rPer poter "
               "effettuare la prenotazione è necessario indicare una data valida.";
        QTest::newRow("29 February")
            << QStringList{"01", "Febbraio", "29", "Febbraio"} << "Rossi" << plain
            << "Attenzione: la data 29/02/2025 di fine intervallo non esiste.\n\r\n\rPer "
               "effettuare la prenotazione è necessario indicare una data valida.";
        QTest::newRow("end before start")
            << QStringList{"10", "Marzo", "05", "Marzo"} << "Rossi" << plain
            << "Attenzione: la data di fine intervallo (05/03/2025) non può essere "
               "anteriore a quella di inizio intervallo (10/03/2025).\n\r\n\rPer "
               "effettuare la prenotazione è necessario indicare un intervallo di tempo "
               "valido.";
        QTest::newRow("no customer")
            << QStringList{"01", "Marzo", "02", "Marzo"} << "  " << warning
            << "Attenzione: per effettuare la prenotazione è necessario indicare il nome del "
               "cliente.";
        QTest::newRow("answered No")
            << QStringList{"01", "Marzo", "02", "Marzo"} << "Rossi" << int(MessageKind::Confirmation)
            << "INTERVALLO SELEZIONATO:  DAL  01/03/2025 AL 02/03/2025.\r\n\r\nSi conferma la "
               "prenotazione?";
    }

    void intervalChecks()
    {
        QFETCH(QStringList, picks);
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QString, message);
        FakeContext fake;
        fake.messages().answerNext(false);
        TfrmIntervallo interval(fake.context(), nullptr);
        interval.setUp(QStringLiteral("2025"), QStringLiteral("Bici n. 7  Atala"));
        interval.show();
        pickInterval(&interval, picks);
        child<QLineEdit>(&interval, QStringLiteral("txtPrenotazione"))->setText(text);
        QVERIFY(click(&interval, QStringLiteral("btnChiudi")));
        QCOMPARE(int(fake.messages().last().kind), kind);
        QCOMPARE(fake.messages().last().text, message);
        QVERIFY(interval.isVisible());
        QCOMPARE(interval.result(), 0);
    }

    void pickersTakeNoTypingAndBackspaceEmpties()
    {
        FakeContext fake;
        TfrmIntervallo interval(fake.context(), nullptr);
        interval.show();
        auto* day = child<QComboBox>(&interval, QStringLiteral("txtGiornoInizio"));
        QTest::keyClicks(day, QStringLiteral("12"));
        QCOMPARE(day->currentText(), QString());
        day->setCurrentIndex(4);
        QTest::keyClick(day, Qt::Key_Backspace);
        QCOMPARE(day->currentIndex(), -1);
    }

    void intervalBooksEveryDayOfALeapFebruary()
    {
        Planner p({QStringLiteral("7")});
        p.open(QStringLiteral("7"));
        p.grid()->setDay(Planning::slotOf(2, 28), QStringLiteral("Bianchi"));
        QVERIFY(driveModal([&] { QVERIFY(click(p.grid(), QStringLiteral("cmdIntervallo"))); },
                           [](QWidget* dialog) {
                               pickInterval(dialog, {QStringLiteral("27"), QStringLiteral("Febbraio"),
                                                     QStringLiteral("02"), QStringLiteral("Marzo")});
                               child<QLineEdit>(dialog, QStringLiteral("txtPrenotazione"))
                                   ->setText(QStringLiteral("Rossi 333"));
                               QVERIFY(click(dialog, QStringLiteral("btnChiudi")));
                           }));
        QStringList booked;
        for (int slot = 0; slot < Planning::DayCount; ++slot) {
            if (p.grid()->isBooked(slot))
                booked.append(Planning::dayKey(slot) + QLatin1Char('=') +
                              p.grid()->days()[std::size_t(slot)]);
        }
        QCOMPARE(booked, (QStringList{"feb_27=Rossi 333", "feb_28=Rossi 333", "feb_29=Rossi 333",
                                      "mar_01=Rossi 333", "mar_02=Rossi 333"}));
        // The day booked for someone else was listed before the question.
        QCOMPARE(p.fake.messages().last().text,
                 QStringLiteral(
                     "Attenzione: nell'intervallo risultano già prenotati i giorni 28/02 Bianchi, che "
                     "verranno sostituiti.\r\n\r\nINTERVALLO SELEZIONATO:  DAL  27/02/2024 AL 02/03/2024."
                     "\r\n\r\nSi conferma la prenotazione?"));
    }

    void intervalListsDaysBookedForSomeoneElse_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QStringList>("booked"); // day key=text
        QTest::addColumn<QString>("listed");     // empty: the plain question
        QTest::newRow("free") << "2025" << QStringList{"mag_20=Verdi"} << "";
        QTest::newRow("same customer again") << "2025" << QStringList{"mag_12=Rossi", "mag_13= Rossi "} << "";
        QTest::newRow("two days") << "2025" << QStringList{"mag_12=Verdi", "mag_13=Bianchi", "mag_20=Verdi"}
                                  << "12/05 Verdi, 13/05 Bianchi";
        QStringList many;
        for (int day = 1; day <= 13; ++day)
            many.append(QStringLiteral("mag_%1=Neri").arg(day, 2, 10, QLatin1Char('0')));
        QTest::newRow("thirteen days")
            << "2025" << many
            << "01/05 Neri, 02/05 Neri, 03/05 Neri, 04/05 Neri, 05/05 Neri, 06/05 Neri, "
               "07/05 Neri, 08/05 Neri, 09/05 Neri, 10/05 Neri e altri 3 giorni";
        many.append(QStringLiteral("feb_29=Neri")); // not a day of 2025
        many.removeAt(0);
        many.removeAt(0);
        QTest::newRow("eleven days")
            << "2025" << many
            << "03/05 Neri, 04/05 Neri, 05/05 Neri, 06/05 Neri, 07/05 Neri, 08/05 Neri, "
               "09/05 Neri, 10/05 Neri, 11/05 Neri, 12/05 Neri e un altro giorno";
    }

    void intervalListsDaysBookedForSomeoneElse()
    {
        QFETCH(QString, year);
        QFETCH(QStringList, booked);
        QFETCH(QString, listed);
        FakeContext fake;
        fake.messages().answerNext(false);
        Planning::Days days;
        for (const QString& entry : booked) {
            const QStringList parts = entry.split(QLatin1Char('='));
            days[std::size_t(Planning::slotOfKey(parts.at(0)))] = parts.at(1);
        }
        TfrmIntervallo interval(fake.context(), nullptr);
        interval.setUp(year, QStringLiteral("Bici n. 7  Atala"));
        interval.setBooked(days);
        interval.show();
        pickInterval(&interval, {"01", "Febbraio", "13", "Maggio"});
        child<QLineEdit>(&interval, QStringLiteral("txtPrenotazione"))->setText(QStringLiteral("Rossi"));
        QVERIFY(click(&interval, QStringLiteral("btnChiudi")));
        const QString question = QStringLiteral("INTERVALLO SELEZIONATO:  DAL  01/02/") + year +
                                 QStringLiteral(" AL 13/05/") + year +
                                 QStringLiteral(".\r\n\r\nSi conferma la prenotazione?");
        QCOMPARE(fake.messages().last().text,
                 listed.isEmpty()
                     ? question
                     : QStringLiteral("Attenzione: nell'intervallo risultano già prenotati i giorni ") +
                           listed + QStringLiteral(", che verranno sostituiti.\r\n\r\n") + question);
        QCOMPARE(interval.result(), 0); // answered No: nothing booked
    }

    void summaryListsInCalendarOrderAndRemembersTheSearch()
    {
        Planner p({QStringLiteral("7")});
        p.open(QStringLiteral("7"));
        p.grid()->setDay(Planning::slotOf(3, 1), QStringLiteral("Rossi B"));
        p.grid()->setDay(Planning::slotOf(2, 29), QStringLiteral("Verdi"));
        p.grid()->setDay(Planning::slotOf(1, 5), QStringLiteral("Rossi A"));
        p.grid()->setDay(Planning::slotOf(1, 6), QStringLiteral("   "));
        QCOMPARE(p.grid()->summaryLines(), (QStringList{QStringLiteral("05 gennaio     Rossi A"),
                                                        QStringLiteral("29 febbraio    Verdi"),
                                                        QStringLiteral("01 marzo       Rossi B")}));
        int selected = -1;
        const auto findRossi = [&selected](QWidget* dialog) {
            child<QLineEdit>(dialog, QStringLiteral("txtTrova"))->setText(QStringLiteral("ROSSI"));
            QVERIFY(click(dialog, QStringLiteral("btnTrova")));
            selected = child<QListView>(dialog, QStringLiteral("lstRecords"))->currentIndex().row();
            QVERIFY(click(dialog, QStringLiteral("btnStampa")));
            QVERIFY(click(dialog, QStringLiteral("btnChiudi")));
        };
        QVERIFY(driveModal([&] { QVERIFY(click(p.grid(), QStringLiteral("cmdRiepilogo"))); }, findRossi));
        QCOMPARE(selected, 0);
        // Reopened, the same key goes on after the first line, as the last search is remembered.
        QVERIFY(driveModal([&] { QVERIFY(click(p.grid(), QStringLiteral("cmdRiepilogo"))); }, findRossi));
        QCOMPARE(selected, 2);
        const Reports::LaidOutPage& page = p.fake.reports().printed.front().pages.front();
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->text(),
                 QStringLiteral("Riepilogo prenotazioni bici n. 7 Atala City anno 2024"));
        QCOMPARE(page.find(QStringLiteral("txtRiepilogo"))->lines.size(), std::size_t(3));
    }

    void yearlySheetMarksTheBookedDays()
    {
        Planner p({QStringLiteral("7")});
        p.open(QStringLiteral("7"));
        p.grid()->setDay(Planning::slotOf(5, 12), QStringLiteral("Rossi"));
        QVERIFY(driveModal([&] { QVERIFY(click(p.grid(), QStringLiteral("cmdAnteprima"))); },
                           [](QWidget* dialog) { QVERIFY(click(dialog, QStringLiteral("btnStampa"))); }));
        QCOMPARE(p.fake.reports().previewed.size(), std::size_t(1));
        const Reports::LaidOutPage& page = p.fake.reports().previewed.front().pages.front();
        QCOMPARE(page.find(QStringLiteral("txtMag_12"))->text(), QStringLiteral("X"));
        QCOMPARE(page.find(QStringLiteral("txtMag_13"))->text(), QStringLiteral(" "));
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->text(),
                 QStringLiteral("PLANNER PRENOTAZIONI ANNO 2024"));
    }

    void unreadableBookingsAreNeverOverwritten()
    {
        Planner p({QStringLiteral("7")});
        QVERIFY(QDir(p.fake.folder()).mkdir(Planning::fileName(QStringLiteral("7"), QStringLiteral("2024"))));
        p.open(QStringLiteral("7"));
        QTRY_COMPARE(
            p.fake.messages().last().text,
            QStringLiteral("Attenzione: non è stato possibile leggere le prenotazioni del veicolo per l'anno "
                           "2024.\n\r\n\rLe modifiche apportate in questa schermata non verranno salvate."));
        p.grid()->setDay(0, QStringLiteral("Rossi"));
        p.grid()->close();
        QVERIFY(QFileInfo(p.file(QStringLiteral("7"))).isDir());
    }

    void twoGridsKeepEachOthersBookings()
    {
        Planner first({QStringLiteral("7")});
        first.open(QStringLiteral("7"));
        // A second workstation on the same folder opens the same vehicle and year.
        Application other(first.fake.context());
        TfrmPlanning& second = *other.planning();
        second.setTarget(first.entry()->target());
        second.show();
        first.grid()->setDay(0, QStringLiteral("Rossi"));
        first.grid()->setDay(5, QStringLiteral("Qui"));
        second.setDay(1, QStringLiteral("Bianchi"));
        second.setDay(5, QStringLiteral("Là"));
        second.close();
        first.grid()->close();
        const Planning::Days stored = Planning::load(first.file(QStringLiteral("7"))).days;
        QCOMPARE(stored[0], QStringLiteral("Rossi"));
        QCOMPARE(stored[1], QStringLiteral("Bianchi"));
        QCOMPARE(stored[5], QStringLiteral("Qui"));
        // The day both changed is listed with both texts, so the other customer can be called back.
        QCOMPARE(
            first.fake.messages().last().text,
            QStringLiteral("Attenzione: nel frattempo un'altra postazione ha modificato le prenotazioni dei "
                           "seguenti giorni:\n\r\n\r06/01: mantenuta \"Qui\", sostituita \"Là\"\n\r\n\rSono "
                           "state mantenute le prenotazioni inserite in questa postazione; le prenotazioni "
                           "sostituite non sono più registrate nel planner."));
    }

    void aFileChangedUnderTheGridKeepsWhatItShows_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("told");
        QTest::newRow("deleted") << true << "è stato eliminato";
        QTest::newRow("cut to 100 bytes") << false << "è stato danneggiato";
    }

    void aFileChangedUnderTheGridKeepsWhatItShows()
    {
        QFETCH(bool, removed);
        QFETCH(QString, told);
        Planner p({QStringLiteral("7")});
        Planning::Days days;
        days[0] = QStringLiteral("Rossi");
        QVERIFY(Planning::save(p.file(QStringLiteral("7")), {}, days));
        p.open(QStringLiteral("7"));
        p.grid()->setDay(10, QStringLiteral("Verdi"));
        p.grid()->setDay(11, QStringLiteral("Verdi"));
        if (removed)
            QVERIFY(QFile::remove(p.file(QStringLiteral("7"))));
        else
            QVERIFY(QFile::resize(p.file(QStringLiteral("7")), 100));
        p.grid()->close();
        QVERIFY(!p.grid()->isVisible());
        const Planning::Days stored = Planning::load(p.file(QStringLiteral("7"))).days;
        QCOMPARE(stored, p.grid()->days());
        QCOMPARE(stored[0], QStringLiteral("Rossi"));
        QCOMPARE(stored[11], QStringLiteral("Verdi"));
        QCOMPARE(p.fake.messages().last().kind, MessageKind::Warning);
        QCOMPARE(
            p.fake.messages().last().text,
            QStringLiteral("Attenzione: nel frattempo il file \"Prenotazioni bicicletta 7 anno 2024.pln\" ") +
                told +
                QStringLiteral(
                    " da un'altra postazione o da un altro programma.\n\r\n\rIl file è stato scritto "
                    "di nuovo con le prenotazioni note a questa postazione; le prenotazioni registrate "
                    "nel frattempo da altre postazioni potrebbero non essere presenti."));
    }

    void gridsThatCannotBeSavedShowButDoNotBook_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("notice");
        QTest::newRow("cut short")
            << false
            << "Attenzione: non è stato possibile leggere le prenotazioni del veicolo per l'anno "
               "2024.\n\r\n\rLe modifiche apportate in questa schermata non verranno salvate."
            << "Prenotazioni non leggibili: le modifiche non possono essere salvate.";
        QTest::newRow("read-only")
            << true
            << "Attenzione: le prenotazioni del veicolo per l'anno 2024 possono essere consultate, "
               "ma non modificate.\n\r\n\rIl file \"Prenotazioni bicicletta 7 anno 2024.pln\" è di "
               "sola lettura: le modifiche non possono essere salvate."
            << "Sola consultazione: le modifiche non possono essere salvate.";
    }

    void gridsThatCannotBeSavedShowButDoNotBook()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, warning);
        QFETCH(QString, notice);
        Planner p({QStringLiteral("7")});
        const QString file = p.file(QStringLiteral("7"));
        Planning::Days days;
        for (int slot = 0; slot < 140; slot += 2)
            days[std::size_t(slot)] = QStringLiteral("Cliente %1").arg(slot);
        QVERIFY(Planning::save(file, {}, days));
        // Opened as a plain user (tests may run as root, whom permissions do not bind).
        QVERIFY(QFile::setPermissions(p.fake.folder(), QFileDevice::Permissions(0x7777)));
        QVERIFY(QFile::setPermissions(p.fake.file(QStringLiteral("Parco_Veicoli.pro")),
                                      QFileDevice::Permissions(0x6666)));
        if (readOnly) {
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        } else {
            QVERIFY(QFile::resize(file, 18000));
        }
        const QByteArray before = readFile(file);
        {
            AsPlainUser plain;
            p.open(QStringLiteral("7"));
        }
        QTRY_COMPARE(p.fake.messages().last().text, warning);
        // A read-only file still shows its bookings; an unreadable one shows none.
        QCOMPARE(p.grid()->isBooked(0), readOnly);
        QCOMPARE(child<QWidget>(p.grid(), QStringLiteral("occGen_01"))->isVisible(), readOnly);
        QVERIFY(!p.grid()->isSaveable());
        for (const char* name : {"libGen_02", "occGen_01", "libDic_31", "cmdIntervallo"})
            QVERIFY2(!child<QWidget>(p.grid(), QLatin1String(name))->isEnabled(), name);
        for (const char* name : {"cmdRiepilogo", "cmdAnteprima", "cmdStampa", "cmdGuida", "cmdEsci"})
            QVERIFY2(child<QWidget>(p.grid(), QLatin1String(name))->isEnabled(), name);
        // The notice stays while hints come and go and the pointer crosses the background.
        auto* lblAvviso = child<QLabel>(p.grid(), QStringLiteral("lblAvviso"));
        QVERIFY(lblAvviso->isVisible());
        QCOMPARE(lblAvviso->text(), notice);
        QTest::mouseMove(p.grid(), QPoint(5, 5));
        QTest::mouseMove(p.grid(), QPoint(8, 8));
        QCOMPARE(lblAvviso->text(), notice);
        QVERIFY(lblAvviso->isVisible());
        const int told = p.fake.messages().count();
        p.grid()->close();
        QVERIFY(!p.grid()->isVisible());
        QCOMPARE(p.fake.messages().count(), told);
        QCOMPARE(readFile(file), before);
        // The next vehicle-year is bookable again.
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::resize(file, 0));
        p.entry()->show();
        p.open(QStringLiteral("7"));
        QVERIFY(p.grid()->isSaveable());
        QVERIFY(child<QWidget>(p.grid(), QStringLiteral("libGen_02"))->isEnabled());
        QVERIFY(!child<QLabel>(p.grid(), QStringLiteral("lblAvviso"))->isVisible());
    }

    void aFailedSaveKeepsTheGridOpenUntilSavedOrLeft_data()
    {
        QTest::addColumn<bool>("leave");
        QTest::newRow("stays open") << false;
        QTest::newRow("closed without saving") << true;
    }

    void aFailedSaveKeepsTheGridOpenUntilSavedOrLeft()
    {
        QFETCH(bool, leave);
        Planner p({QStringLiteral("7")});
        p.open(QStringLiteral("7"));
        p.grid()->setDay(3, QStringLiteral("Rossi"));
        const QByteArray before = readFile(p.file(QStringLiteral("7")));
        p.fake.messages().clear();
        p.fake.messages().answerNext(true);  // retry: fails again
        p.fake.messages().answerNext(false); // no more retries
        p.fake.messages().answerNext(leave);
        {
            FileWritesFail full;
            p.grid()->close();
        }
        QCOMPARE(p.fake.messages().count(), 3);
        QCOMPARE(p.fake.messages().all().at(0).text, saveFailed(p.fake.folder()));
        QCOMPARE(p.fake.messages().all().at(1).text, saveFailed(p.fake.folder()));
        QCOMPARE(p.fake.messages().all().at(2).text, CloseUnsaved);
        QCOMPARE(readFile(p.file(QStringLiteral("7"))), before);
        QCOMPARE(p.grid()->isVisible(), !leave);
        QCOMPARE(p.app->launcher()->isVisible(), leave);
        if (leave)
            return;
        // Still on screen, the bookings are saved by the next close once the disk takes them.
        QCOMPARE(p.grid()->days()[3], QStringLiteral("Rossi"));
        p.grid()->close();
        QVERIFY(!p.grid()->isVisible());
        QCOMPARE(Planning::load(p.file(QStringLiteral("7"))).days[3], QStringLiteral("Rossi"));
    }

    void retryingAFailedSaveStoresTheBookings()
    {
        QTemporaryDir dir;
        auto messages = std::make_unique<ActingMessages>();
        ActingMessages& asked = *messages;
        Context context(dir.path(), std::move(messages), std::make_unique<FakeFileDialogs>(),
                        std::make_unique<FakeShell>(), std::make_unique<FakeClock>(),
                        std::make_unique<FakeClipboard>(), std::make_unique<FakeReportOutput>());
        const QString file =
            QDir(dir.path()).filePath(Planning::fileName(QStringLiteral("7"), QStringLiteral("2024")));
        TfrmPlanning grid(context);
        grid.setTarget(
            {{QStringLiteral("7"), QStringLiteral("Atala City"), {}, {}}, QStringLiteral("2024"), file});
        grid.show();
        grid.setDay(3, QStringLiteral("Rossi"));
        auto full = std::make_unique<FileWritesFail>();
        // The user frees the disk, then answers Yes.
        asked.onConfirm = [&full](const QString&) {
            full.reset();
            return true;
        };
        QSignalSpy closed(&grid, &WorkWindow::closed);
        grid.close();
        QCOMPARE(asked.texts, QStringList{saveFailed(dir.path())});
        QCOMPARE(closed.count(), 1);
        QVERIFY(!grid.isVisible());
        QCOMPARE(Planning::load(file).days[3], QStringLiteral("Rossi"));
    }

    // A free day the vehicle spends in the workshop asks before its day dialog opens, naming the
    // stay: No opens nothing; Yes goes on to the dialog. A day outside the stay asks nothing.
    void gridAsksBeforeBookingAWorkshopDay()
    {
        FakeContext fake;
        addWorkshopStay(fake.folder(), QStringLiteral("7"), QDate(2024, 3, 6), QDate(2024, 3, 8));
        TfrmPlanning grid(fake.context());
        grid.setTarget({{QStringLiteral("7"), QStringLiteral("Atala City"), {}, {}},
                        QStringLiteral("2024"),
                        fake.file(Planning::fileName(QStringLiteral("7"), QStringLiteral("2024")))});
        grid.show();
        fake.messages().answerNext(false);
        grid.dayClick(Planning::slotOf(3, 7)); // no dialog: a modal one would block here
        QCOMPARE(fake.messages().defaultNoQuestions, 1);
        QVERIFY(fake.messages().last().text.contains(QStringLiteral("IN OFFICINA: Freni")));
        QVERIFY(!grid.isBooked(Planning::slotOf(3, 7)));

        fake.messages().answerNext(true);
        QVERIFY(driveModal([&] { grid.dayClick(Planning::slotOf(3, 7)); },
                           [](QWidget* dialog) {
                               QVERIFY(qobject_cast<TfrmGiorno*>(dialog));
                               QTest::keyClick(dialog, Qt::Key_Escape);
                           }));
        QCOMPARE(fake.messages().defaultNoQuestions, 2);
        QVERIFY(driveModal([&] { grid.dayClick(Planning::slotOf(3, 9)); },
                           [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }));
        QCOMPARE(fake.messages().defaultNoQuestions, 2);
    }
};

RF_REGISTER_TEST(PlannerWindowsTest)
#include "PlannerWindowsTest.moc"
