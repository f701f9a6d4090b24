#include "Application.h"

#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
#include "TfrmCartella.h"
#include "TfrmCopia.h"
#include "TfrmPassword.h"
#include "app/DataFolder.h"
#include "app/Product.h"
#include "common/ui/Context.h"
#include "common/ui/FrameTimes.h"
#include "common/ui/ReportPreview.h"
#include "common/ui/RunDialog.h"
#include "common/ui/TMisc.h"
#include "contracts/SchedaContratto.h"
#include "contracts/VehicleRentals.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmListino.h"
#include "desk/ui/TfrmOggi.h"
#include "desk/ui/TfrmStatistiche.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "fleet/ui/TfrmManutenzioni.h"
#include "fleet/ui/TfrmTrovaBici.h"
#include "planner/ui/BookForContract.h"
#include "planner/ui/TfrmMenuCamere.h"
#include "planner/ui/TfrmPlanning.h"
#include "reports/Fonts.h"
#include "storage/Backup.h"
#include "storage/Durable.h"
#include "storage/MessageBreaks.h"
#include "storage/RecordScan.h"
#include "storage/StaleFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace rf {

namespace {

class RealMessages final : public Messages {
public:
    void warning(QWidget* parent, const QString& text) override
    {
        QMessageBox::warning(parent, QString(), text, QMessageBox::Ok | QMessageBox::Cancel);
    }
    void error(QWidget* parent, const QString& text) override
    {
        QMessageBox::critical(parent, QString(), text, QMessageBox::Ok | QMessageBox::Cancel);
    }
    void information(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, QString(), text, QMessageBox::Ok | QMessageBox::Cancel);
    }
    bool confirm(QWidget* parent, const QString& text) override
    {
        return QMessageBox::question(parent, QString(), text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    }
    bool confirmNo(QWidget* parent, const QString& text) override { return askDefaultNo(parent, text); }
    void plain(QWidget* parent, const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
        box.exec();
    }
    int choose(QWidget* parent, const QString& text, const QStringList& buttons) override
    {
        QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::NoButton, parent);
        QList<QAbstractButton*> added;
        for (const QString& caption : buttons)
            added.append(box.addButton(caption, QMessageBox::ActionRole));
        if (!added.isEmpty()) {
            box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
            box.setEscapeButton(added.last());
        }
        box.exec();
        return int(added.indexOf(box.clickedButton()));
    }
};

class RealFileDialogs final : public FileDialogs {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& folder,
                     const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, title, folder, filter);
    }
    QString saveFile(QWidget* parent, const QString& title, const QString& folder,
                     const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, title, folder, filter);
    }
    QString folder(QWidget* parent, const QString& title, const QString& start) override
    {
        return QFileDialog::getExistingDirectory(parent, title, start);
    }
};

// Opens with the system's programs; where there are none (a fresh system without xdg-utils or a
// PDF viewer), the user is told what to install and where the file is.
class RealShell final : public Shell {
public:
    explicit RealShell(Messages& messages) : m_messages(messages) {}
    void open(const QString& command) override
    {
        if (!TMisc::Open(command))
            m_messages.warning(QApplication::activeWindow(), TMisc::openFailure(command));
    }

private:
    Messages& m_messages;
};

class RealClock final : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class RealClipboard final : public Clipboard {
public:
    void setText(const QString& text) override { QApplication::clipboard()->setText(text); }
    QString text() const override { return QApplication::clipboard()->text(); }
};

// The vehicles' rental days from the contracts archive, read again only when the archive changed
// since the last read, so browsing the fleet card by card does not scan every contract each time.
TfrmAutoparco::RentalsSource contractRentals(const Context& context)
{
    struct Cache {
        QDateTime modified;
        qint64 size = -1;
        QHash<QString, std::vector<Service::RentalSpan>> byVehicle;
    };
    auto cache = std::make_shared<Cache>();
    return [&context, cache](const QString& number) {
        const QFileInfo archive(context.path(QLatin1String(Contracts::ArchiveName)));
        if (archive.lastModified() != cache->modified || archive.size() != cache->size) {
            cache->byVehicle = Contracts::rentalsByVehicle(context.dataFolder());
            cache->modified = archive.lastModified();
            cache->size = archive.size();
        }
        return cache->byVehicle.value(number.trimmed());
    };
}

} // namespace

Application::Application(Context& context)
    : m_context(context), m_login(std::make_unique<TfrmPassword>(context))
{
    connectFlow();
}

Application::~Application() = default;

void Application::start()
{
    m_login->show();
}

// The work windows are built when they are first opened, so the login window shows at once.
TfrmAutoparco* Application::fleet()
{
    if (!m_fleet) {
        m_fleet = std::make_unique<TfrmAutoparco>(m_context);
        // What falls due by rental days counts the vehicle's contracts, which the fleet does not read.
        m_fleet->setRentalsSource(contractRentals(m_context));
        // The price list is the contracts' window, opened from the fleet card too.
        m_fleet->setPriceListOpener([this](QWidget* owner) { runDialog<TfrmListino>(m_context, owner); });
        connect(m_fleet.get(), &WorkWindow::closed, this, [this] { launcher()->showMaximized(); });
    }
    return m_fleet.get();
}

TfrmContratti_Noleggio_Bici* Application::contracts()
{
    if (!m_contracts) {
        m_contracts = std::make_unique<TfrmContratti_Noleggio_Bici>(m_context);
        // The contracts window takes vehicles from the fleet's search, which it does not know itself.
        m_contracts->setVehiclePicker([this](QWidget* owner) -> std::optional<QStringList> {
            TfrmTrovaBici search(m_context, owner, TfrmTrovaBici::Mode::Contracts);
            if (search.exec() != QDialog::Accepted)
                return std::nullopt;
            return readArchiveRecord(m_context.path(QString::fromLatin1(Fleet::ArchiveName)),
                                     TSchedaVeicolo(), search.chosenPosition());
        });
        // A saved contract's days go to the planner, which the contracts window does not know either.
        m_contracts->setPlannerBooker([this](QWidget* owner, const BookingRequest& request) {
            bookForContract(m_context, owner, request);
        });
        // The statistics read the fleet and the planner too.
        m_contracts->setStatisticsOpener(
            [this](QWidget* owner) { runDialog<TfrmStatistiche>(m_context, owner); });
        connect(m_contracts.get(), &WorkWindow::closed, this, [this] { launcher()->showMaximized(); });
    }
    return m_contracts.get();
}

TfrmMenuCamere* Application::plannerEntry()
{
    if (!m_plannerEntry) {
        m_plannerEntry = std::make_unique<TfrmMenuCamere>(m_context);
        // The board asks for a vehicle's service log, a window of the fleet.
        m_plannerEntry->setServiceLogOpener([this](QWidget* owner, qint64 cardPosition) {
            const std::optional<QStringList> card = readArchiveRecord(
                m_context.path(QString::fromLatin1(Fleet::ArchiveName)), TSchedaVeicolo(), cardPosition);
            if (!card)
                return;
            ShownCard shown;
            for (int i = 0; i < TSchedaVeicolo().fieldCount(); ++i)
                shown.edits.insert(TSchedaVeicolo().name(i), card->value(i));
            shown.position = QString::number(cardPosition);
            TfrmManutenzioni log(m_context, owner, shown);
            log.exec();
        });
        connect(m_plannerEntry.get(), &WorkWindow::closed, this, [this] {
            if (m_plannerEntry->lblMemory == TfrmMenuCamere::Next::Planning) {
                planning()->setTarget(m_plannerEntry->target());
                planning()->showMaximized();
            } else {
                launcher()->showMaximized();
            }
        });
    }
    return m_plannerEntry.get();
}

TfrmPlanning* Application::planning()
{
    if (!m_planning) {
        m_planning = std::make_unique<TfrmPlanning>(m_context);
        connect(m_planning.get(), &WorkWindow::closed, this, [this] {
            // A grid opened from the booking board goes back to the board, where the user stood.
            if (m_plannerEntry && m_plannerEntry->returnsToBoard()) {
                m_plannerEntry->showMaximized();
                QMetaObject::invokeMethod(m_plannerEntry.get(), &TfrmMenuCamere::reopenBoard,
                                          Qt::QueuedConnection);
                return;
            }
            launcher()->showMaximized();
        });
    }
    return m_planning.get();
}

namespace {
// Shows the target first, then hides the source, so the screen is never empty.
void handOver(QWidget* from, QWidget* to, bool maximised)
{
    if (maximised)
        to->showMaximized();
    else
        to->show();
    from->hide();
}
} // namespace

TfrmCambiaPassword* Application::changePassword()
{
    if (!m_changePassword) {
        m_changePassword = std::make_unique<TfrmCambiaPassword>(m_context);
        connect(m_changePassword.get(), &TfrmCambiaPassword::closed, this, [this] {
            m_login->show();
            m_login->resetForReturn();
        });
    }
    return m_changePassword.get();
}

TfrmAvvio* Application::launcher()
{
    if (!m_launcher) {
        m_launcher = std::make_unique<TfrmAvvio>(m_context);
        TfrmAvvio* from = m_launcher.get();
        connect(from, &TfrmAvvio::openFleet, this, [this, from] { handOver(from, fleet(), true); });
        connect(from, &TfrmAvvio::openPlanner, this, [this, from] { handOver(from, plannerEntry(), true); });
        connect(from, &TfrmAvvio::openContracts, this, [this, from] { handOver(from, contracts(), true); });
        connect(from, &TfrmAvvio::openToday, this, [this, from] { openToday(from); });
        connect(from, &TfrmAvvio::openStatistics, this,
                [this, from] { runDialog<TfrmStatistiche>(m_context, from); });
        connect(from, &TfrmAvvio::openBackup, this, [this, from] {
            runDialog<TfrmCopia>(m_context, from, [this] { return m_planning && m_planning->isVisible(); });
        });
        connect(from, &TfrmAvvio::exitRequested, this, &Application::quitRequested);
    }
    return m_launcher.get();
}

void Application::openToday(TfrmAvvio* from)
{
    TfrmOggi today(m_context, from);
    if (today.exec() != QDialog::Accepted)
        return;
    const TfrmOggi::Choice choice = today.chosen();
    if (choice.kind == TfrmOggi::Choice::Kind::Contract) {
        handOver(from, contracts(), true);
        contracts()->showRecord(choice.position);
    } else if (choice.kind == TfrmOggi::Choice::Kind::Vehicle) {
        handOver(from, plannerEntry(), true);
        plannerEntry()->openVehicle(
            choice.position,
            QStringLiteral("%1").arg(m_context.clock().today().year(), 4, 10, QLatin1Char('0')));
    } else if (choice.kind == TfrmOggi::Choice::Kind::FleetCard) {
        handOver(from, fleet(), true);
        fleet()->showRecord(choice.position);
    }
}

void Application::connectFlow()
{
    TfrmPassword* login = m_login.get();
    connect(login, &TfrmPassword::accessGranted, this, [this, login] { handOver(login, launcher(), true); });
    connect(login, &TfrmPassword::changePasswordRequested, this,
            [this, login] { handOver(login, changePassword(), false); });
    connect(login, &TfrmPassword::exitRequested, this, &Application::quitRequested);
}

namespace {

// The data folder settled at the start, or none and the status the program ends with: the user
// left, or the folder cannot be used.
struct FolderChosen {
    QString folder;
    int status = 0;
};

// The data folder named with --cartella or remembered, or asked for now when there is none; the
// program folder when it is allowed and can be written.
FolderChosen chooseDataFolder(Messages& messages, FileDialogs& dialogs, Settings& settings,
                              const QString& programFolder, bool programFolderAllowed)
{
    const QString rememberedKey = QStringLiteral("CartellaDati");
    const auto askForFolder = [&]() -> QString {
        TfrmCartella ask(
            messages,
            [&dialogs](QWidget* owner, const QString& start) {
                return dialogs.folder(owner, QStringLiteral("Cartella dei dati"), start);
            },
            programFolder);
        if (ask.exec() != QDialog::Accepted)
            return {};
        settings.setValue(rememberedKey, ask.chosen());
        return ask.chosen();
    };
    DataFolder::Choice choice = DataFolder::choose(QCoreApplication::arguments(), programFolder,
                                                   settings.value(rememberedKey), programFolderAllowed);
    // A folder named or remembered that is not there (a share that did not connect, a disk not
    // plugged in) is never replaced by a new, empty one: the user tries again, picks another
    // folder or leaves.
    while (choice.source == DataFolder::Choice::Source::Unreachable) {
        const int answer = messages.choose(
            nullptr,
            QStringLiteral("Attenzione: la cartella dei dati ") + QDir::toNativeSeparators(choice.folder) +
                QStringLiteral(
                    " non è raggiungibile, oppure non contiene più i dati di Rotaflux." RF_BREAK_LF_CR
                    "Se si trova su un disco di rete o esterno, controllare che sia collegato e "
                    "premere Riprova. Per usare un'altra cartella, o crearne una nuova, premere "
                    "Altra cartella."),
            {QStringLiteral("Riprova"), QStringLiteral("Altra cartella..."), QStringLiteral("Esci")});
        if (answer == 0) {
            choice = DataFolder::choose(QCoreApplication::arguments(), programFolder,
                                        settings.value(rememberedKey), programFolderAllowed);
        } else if (answer == 1) {
            const QString chosen = askForFolder();
            if (chosen.isEmpty())
                continue;
            choice = {DataFolder::Choice::Source::Remembered, chosen};
        } else {
            return {};
        }
    }
    if (choice.source == DataFolder::Choice::Source::Ask) {
        choice.folder = askForFolder();
        if (choice.folder.isEmpty())
            return {};
    } else if (choice.source != DataFolder::Choice::Source::ProgramFolder &&
               !DataFolder::prepare(choice.folder, programFolder)) {
        messages.error(nullptr,
                       QStringLiteral("Attenzione: non è stato possibile usare la cartella dei dati ") +
                           QDir::toNativeSeparators(choice.folder) +
                           QStringLiteral("." RF_BREAK_LF_CR
                                          "Accertarsi che la cartella esista e di possedere i privilegi "
                                          "di scrittura."));
        return {QString(), 1};
    }
    return {choice.folder};
}

// Finishes a restore that a crash cut off, and tells the user what became of it.
void finishInterruptedRestore(Context& context)
{
    switch (Backup::finishInterruptedRestore(context.dataFolder())) {
    case Backup::Recovery::None:
        break;
    case Backup::Recovery::Finished:
        context.messages().information(
            nullptr, QStringLiteral("Un ripristino dei dati interrotto è stato completato."));
        break;
    case Backup::Recovery::RolledBack:
        context.messages().warning(nullptr,
                                   QStringLiteral("Un ripristino dei dati interrotto è stato annullato: "
                                                  "i dati sono quelli di prima del ripristino."));
        break;
    case Backup::Recovery::Failed:
        context.messages().warning(
            nullptr, QStringLiteral("Un ripristino dei dati interrotto non può essere completato "
                                    "ora: chiudere il programma e riaprirlo fra qualche istante."));
        break;
    }
}

} // namespace

int Application::run(QApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // The toolkit's own dialogs and buttons (message boxes, file and print dialogs) in Italian.
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    QApplication::setQuitOnLastWindowClosed(false);
    // The menu entry's name, so that desktops match the windows to it, and the program's picture.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.rotaflux.Rotaflux"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("rotaflux"), QIcon(QStringLiteral(":/app/logo.svg"))));
    // Before the first picture or window is drawn: the faces that fit the boxes drawn for Arial.
    Fonts::preferMetricCompatibleFaces();
    auto messages = std::make_unique<RealMessages>();
    auto dialogs = std::make_unique<RealFileDialogs>();
    auto reports = std::make_unique<PrinterReportOutput>(*messages, *dialogs);

    // The data folder: the program folder, as always, when it can be written (never for the
    // packaged program, whose folder belongs to the system); otherwise the one named or
    // remembered, or asked for now. The first password and the guide come with the program.
#ifdef ROTAFLUX_PACKAGED
    const bool programFolderAllowed = false;
    const QString programFolder = QStringLiteral(ROTAFLUX_SHARE_DIR);
#else
    const bool programFolderAllowed = true;
    const QString programFolder = QCoreApplication::applicationDirPath();
#endif
    auto settingsOwned = std::make_unique<UserSettings>();
    const FolderChosen chosen =
        chooseDataFolder(*messages, *dialogs, *settingsOwned, programFolder, programFolderAllowed);
    if (chosen.folder.isEmpty())
        return chosen.status;
    Messages* const messagesView = messages.get();
    // What this workstation saves in a folder shared by a group stays readable and writable by
    // the group's other users.
    Durable::shareWithFolderGroup(chosen.folder);
    Context context(chosen.folder, std::move(messages), std::move(dialogs),
                    std::make_unique<RealShell>(*messagesView), std::make_unique<RealClock>(),
                    std::make_unique<RealClipboard>(), std::move(reports), std::move(settingsOwned));
    context.setInstallFolder(programFolder);
    // A restore that a crash cut off is finished, and temporary files and working folders that a
    // crash left beside the program's files are cleared, before anything else reads the folder.
    Backup::setProgramFiles(Product::ownFiles());
    finishInterruptedRestore(context);
    removeStaleTemporaryFiles(context.dataFolder());
    // ROTAFLUX_TEMPI=1 prints how long each click takes to show its answer, to time a real session.
    std::unique_ptr<FrameTimes> frameTimes;
    if (!qEnvironmentVariableIsEmpty("ROTAFLUX_TEMPI"))
        frameTimes = std::make_unique<FrameTimes>(
            [](const QString& line) { std::fprintf(stderr, "%s\n", qPrintable(line)); });
    Application application(context);
    connect(&application, &Application::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    application.start();
    return app.exec();
}

} // namespace rf
