#include "Application.h"

#include "common/ui/Context.h"
#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
#include "TfrmPassword.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "planner/ui/TfrmMenuCamere.h"
#include "planner/ui/TfrmPlanning.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace rf {

Application::Application(Context& context)
    : m_context(context), m_login(std::make_unique<TfrmPassword>(context)),
      m_changePassword(std::make_unique<TfrmCambiaPassword>(context)),
      m_launcher(std::make_unique<TfrmAvvio>(context)),
      m_contracts(std::make_unique<TfrmContratti_Noleggio_Bici>(context)),
      m_fleet(std::make_unique<TfrmAutoparco>(context)),
      m_plannerEntry(std::make_unique<TfrmMenuCamere>(context)),
      m_planning(std::make_unique<TfrmPlanning>(context))
{
    connectFlow();
}

Application::~Application() = default;

void Application::start()
{
    m_login->show();
}

void Application::connectFlow()
{
    auto handOver = [](QWidget* from, auto showTarget) {
        showTarget();
        from->hide();
    };

    connect(m_login.get(), &TfrmPassword::accessGranted, this,
            [=] { handOver(m_login.get(), [this] { m_launcher->showMaximized(); }); });
    connect(m_login.get(), &TfrmPassword::changePasswordRequested, this,
            [=] { handOver(m_login.get(), [this] { m_changePassword->show(); }); });
    connect(m_login.get(), &TfrmPassword::exitRequested, this, &Application::quitRequested);
    connect(m_changePassword.get(), &TfrmCambiaPassword::closed, this, [this] {
        m_login->show();
        m_login->resetForReturn();
    });

    connect(m_launcher.get(), &TfrmAvvio::openFleet, this,
            [=] { handOver(m_launcher.get(), [this] { m_fleet->showMaximized(); }); });
    connect(m_launcher.get(), &TfrmAvvio::openPlanner, this,
            [=] { handOver(m_launcher.get(), [this] { m_plannerEntry->showMaximized(); }); });
    connect(m_launcher.get(), &TfrmAvvio::openContracts, this,
            [=] { handOver(m_launcher.get(), [this] { m_contracts->showMaximized(); }); });
    connect(m_launcher.get(), &TfrmAvvio::exitRequested, this, &Application::quitRequested);

    auto backToLauncher = [this] { m_launcher->showMaximized(); };
    connect(m_fleet.get(), &WorkWindow::closed, this, backToLauncher);
    connect(m_contracts.get(), &WorkWindow::closed, this, backToLauncher);
    connect(m_planning.get(), &WorkWindow::closed, this, backToLauncher);
    connect(m_plannerEntry.get(), &WorkWindow::closed, this, [this] {
        if (m_plannerEntry->lblMemory.trimmed() == QLatin1String("planning"))
            m_planning->showMaximized();
        else
            m_launcher->showMaximized();
    });
}

int Application::run(QApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // The toolkit's own dialogs and buttons (message boxes, file and print dialogs) in Italian.
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    QApplication::setQuitOnLastWindowClosed(false);
    const std::unique_ptr<Context> context = Context::createReal(QCoreApplication::applicationDirPath());
    Application application(*context);
    connect(&application, &Application::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    application.start();
    return app.exec();
}

} // namespace rf
