#include "app/PasswordStore.h"
#include "app/ui/Application.h"
#include "app/ui/TfrmAvvio.h"
#include "app/ui/TfrmCambiaPassword.h"
#include "app/ui/TfrmPassword.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "desk/ui/TfrmOggi.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "planner/ui/TfrmMenuCamere.h"
#include "planner/ui/TfrmPlanning.h"
#include "support/Archives.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTest>

using namespace rf;
using namespace rf::Test;

namespace {
QStringList visibleWindows(Application& app)
{
    QStringList names;
    const QList<QWidget*> windows{app.login(),     app.changePassword(), app.launcher(), app.fleet(),
                                  app.contracts(), app.plannerEntry(),   app.planning()};
    for (QWidget* w : windows) {
        if (w->isVisible())
            names.append(w->objectName());
    }
    return names;
}
} // namespace

class ApplicationFlowTest : public QObject {
    Q_OBJECT
private slots:
    void loginLeadsToTheLauncherAndEachWorkAreaBackToIt()
    {
        FakeContext fake;
        QVERIFY(PasswordStore(fake.file("unins000.dll")).write(QStringLiteral("primaveraverde")));
        Application app(fake.context());
        QSignalSpy quit(&app, &Application::quitRequested);
        app.start();
        QCOMPARE(visibleWindows(app), QStringList{"frmPassword"});

        auto* password = app.login()->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
        QTest::keyClicks(password, "  PrimaveraVerde ");
        QTest::keyClick(password, Qt::Key_Return);
        QCOMPARE(visibleWindows(app), QStringList{"frmAvvio"});

        const struct {
            const char* tile;
            QWidget* area;
        } tiles[] = {{"imgApp01", app.fleet()},
                     {"btnApp02", app.plannerEntry()},
                     {"imgApp03", app.contracts()},
                     {"btnApp01", app.fleet()}};
        for (const auto& t : tiles) {
            QVERIFY(click(app.launcher(), t.tile));
            QCOMPARE(visibleWindows(app), QStringList{t.area->objectName()});
            t.area->close();
            QCOMPARE(visibleWindows(app), QStringList{"frmAvvio"});
        }
        QCOMPARE(quit.count(), 0);

        // The planner entry leads on to the grid when it closes in "planning" mode; the grid
        // always leads back to the launcher.
        QVERIFY(click(app.launcher(), "imgApp02"));
        app.plannerEntry()->lblMemory = TfrmMenuCamere::Next::Planning;
        app.plannerEntry()->close();
        QCOMPARE(visibleWindows(app), QStringList{"frmPlanning"});
        app.planning()->close();
        QCOMPARE(visibleWindows(app), QStringList{"frmAvvio"});

        app.launcher()->close();
        QCOMPARE(quit.count(), 1);
    }

    // A vehicle chosen in the day's list of work due opens on its own card in the fleet window.
    void todaysServiceLineOpensTheVehiclesCard()
    {
        FakeContext fake;
        for (const char* number : {"1", "2"})
            appendRecord(fake.file(QString::fromLatin1(Fleet::ArchiveName)), TSchedaVeicolo(),
                         {{QStringLiteral("BiciNum"), QString::fromLatin1(number)}});
        Service::Entry tagliando;
        tagliando.vehicleNumber = QStringLiteral("2");
        tagliando.date = QDate(2022, 1, 10);
        tagliando.work = QStringLiteral("Tagliando");
        QVERIFY(Service::append(fake.folder(), tagliando) > 0);
        Application app(fake.context());
        app.launcher()->showMaximized();
        QVERIFY(driveModal<TfrmOggi>([&] { emit app.launcher()->openToday(); },
                                     [](TfrmOggi* today) {
                                         QListView* service = today->listView(TfrmOggi::List::Service);
                                         QCOMPARE(service->model()->rowCount(), 1);
                                         QVERIFY(doubleClickRow(service, 0));
                                     }));
        QCOMPARE(visibleWindows(app), QStringList{"frmAutoparco"});
        QCOMPARE(app.fleet()->edit(QStringLiteral("BiciNum"))->text(), QStringLiteral("2"));
    }

    void changePasswordWindowReturnsToAnEmptyLogin()
    {
        FakeContext fake;
        Application app(fake.context());
        QSignalSpy quit(&app, &Application::quitRequested);
        app.start();
        auto* password = app.login()->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
        QTest::keyClicks(password, "abc");
        QVERIFY(click(app.login(), "btnCambiaPassword"));
        QCOMPARE(visibleWindows(app), QStringList{"frmCambiaPassword"});
        app.changePassword()->close();
        QCOMPARE(visibleWindows(app), QStringList{"frmPassword"});
        QCOMPARE(password->text(), QString());

        QVERIFY(click(app.login(), "cmdEsci"));
        QCOMPARE(quit.count(), 1);
    }
};

RF_REGISTER_TEST(ApplicationFlowTest)
#include "ApplicationFlowTest.moc"
