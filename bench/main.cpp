// Drives the program's shown windows on real-looking data, as a person at the desk waits for them
// (from the click to the first frame that shows the answer), against the machine's floor measured
// in the same run (reading or writing the same bytes raw), and prints a table.
//
//   rotaflux_bench            full run: 100,000 contracts, 10,000 vehicles, growth from 1,000
//   rotaflux_bench --smoke    a quick run on 1,000 records that checks the data and judges nothing
//   rotaflux_bench --only contracts|fleet|board|planner|availability|startup|growth|search|today
//   rotaflux_bench --data DIR  lays down 100,000 contracts, 300 vehicles, their bookings and their
//                              workshop log in DIR, to time a session of the real program on them
//                              (ROTAFLUX_TEMPI=1 ./Rotaflux)
//
// The data lives in a temporary folder that is removed at the end.

#include "BenchData.h"
#include "BenchServices.h"
#include "Shown.h"
#include "Table.h"

#include "app/ui/Application.h"
#include "app/ui/TfrmPassword.h"
#include "contracts/ContractDefaults.h"
#include "contracts/SchedaContratto.h"
#include "contracts/ui/TfrmBiciNonRiconsegnate.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmExpContratti_DOZ_Bici.h"
#include "contracts/ui/TfrmTrovaContratti_DOZ_Bici.h"
#include "desk/ui/TfrmOggi.h"
#include "desk/ui/TfrmStatistiche.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "fleet/ui/TfrmTrovaBici.h"
#include "planner/PlanningFile.h"
#include "planner/ui/BoardView.h"
#include "planner/ui/TfrmDisponibilita.h"
#include "planner/ui/TfrmPlanning.h"
#include "planner/ui/TfrmTabellone.h"
#include "reports/Layout.h"
#include "reports/Render.h"
#include "storage/Amounts.h"
#include "storage/Backup.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

using namespace rf;
using namespace rf::bench;

namespace {

bool smoke = false;
constexpr int BoardVehicles = 300;                  // a large shop's fleet
const QString HeavyService = QStringLiteral("B-7"); // the vehicle with 200 log entries
Table table;

int runs()
{
    return smoke ? 1 : 7;
}

// ---- the machine's floors and memory ---------------------------------------------------------

double readRaw(const QString& path)
{
    return timed([&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QByteArray block(1 << 20, Qt::Uninitialized);
        while (file.read(block.data(), block.size()) > 0) {
        }
    });
}

// The same number of bytes written and synced, as the export writes its sheet.
double writeRaw(const QString& path, qint64 bytes)
{
    return timed([&] {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        const QByteArray block(1 << 20, 'x');
        for (qint64 done = 0; done < bytes; done += block.size())
            file.write(block.constData(), std::min<qint64>(block.size(), bytes - done));
        file.flush();
        ::fsync(file.handle());
    });
}

// Resident memory now and at its peak since the last reset, in MiB (Linux).
double statusMib(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// The peak memory above what the process held before, while work runs.
double peakAboveMib(const std::function<void()>& work)
{
    const double before = statusMib("VmRSS:");
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    work();
    return std::max(0.0, statusMib("VmHWM:") - before);
}

// ---- the data ---------------------------------------------------------------------------------

struct Folder {
    QTemporaryDir dir;
    BenchContext services{dir.path()};
    Context& context() { return services.context(); }
    QString file(const QString& name) const { return dir.filePath(name); }
};

QString contractsArchive(const Folder& folder)
{
    return folder.file(QString::fromLatin1(Contracts::ArchiveName));
}

void writeContracts(const Folder& folder, int count)
{
    bench::DataGenerator generator;
    if (!generator.writeContracts(contractsArchive(folder), count)) {
        std::fprintf(stderr, "cannot write the contracts\n");
        std::exit(2);
    }
    if (smoke) {
        const QString problem = generator.checkContracts(contractsArchive(folder), count);
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "the generated contracts do not read back: %s\n", qPrintable(problem));
            std::exit(1);
        }
    }
}

// The workshop log of a large shop's fleet over the last year, one vehicle with 200 entries, and
// the shop's service rules, in folder.
bool writeServiceLog(const QDir& folder)
{
    bench::DataGenerator generator;
    return generator.writeServiceLog(folder.filePath(QLatin1String(Service::ArchiveName)), BoardVehicles,
                                     HeavyService, QDate::currentDate()) &&
           bench::DataGenerator::writeServiceRules(
               folder.filePath(QLatin1String(ContractDefaults::FileName)));
}

// The fleet of a large shop with this year's and next year's bookings and its workshop log, beside
// the contracts.
void writeBoardFleet(const Folder& folder)
{
    bench::DataGenerator generator;
    generator.writeVehicles(folder.file(QString::fromLatin1(Fleet::ArchiveName)), BoardVehicles);
    const int year = QDate::currentDate().year();
    for (int i = 1; i <= BoardVehicles; ++i) {
        const QString number = QStringLiteral("B-%1").arg(i);
        for (const int y : {year, year + 1})
            generator.writePlanning(folder.file(Planning::fileName(number, QString::number(y))), number);
    }
    if (!writeServiceLog(QDir(folder.dir.path()))) {
        std::fprintf(stderr, "cannot write the workshop log\n");
        std::exit(2);
    }
}

// ---- the windows -------------------------------------------------------------------------------

// A contract search shown with its filters typed in; "Cerca" is then clicked and the time runs
// until the results are on screen.
double searchClicked(Context& context, const QString& customer = {}, const QString& bicycle = {})
{
    TfrmTrovaContratti_DOZ_Bici search(context, nullptr);
    search.filterEdit(QStringLiteral("txtCliente"))->setText(customer);
    search.filterEdit(QStringLiteral("txtBiciNum"))->setText(bicycle);
    showToFrame(search);
    settle();
    const double time = clickToFrame(search, QStringLiteral("btnCerca"));
    if (smoke && customer.isEmpty() && bicycle.isEmpty() && search.lines().rowCount() == 0) {
        std::fprintf(stderr, "the search found nothing\n");
        std::exit(1);
    }
    return time;
}

// Building a window and showing it to its first frame: what the user waits for after clicking the
// command that opens it.
template <typename Window> double windowOpened(Context& context)
{
    const double start = now();
    Window window(context, nullptr);
    return showToFrame(window) < 0 ? -1 : now() - start;
}

// The day's work opened to its first frame, its five lists read; the smoke run checks that the
// workshop list has lines, so that it is measured with work due.
double dayWorkOpened(Context& context)
{
    const double start = now();
    TfrmOggi window(context, nullptr);
    const double time = showToFrame(window) < 0 ? -1 : now() - start;
    if (smoke && window.lines(TfrmOggi::List::Service).rowCount() == 0) {
        std::fprintf(stderr, "the day's work lists no vehicle to service\n");
        std::exit(1);
    }
    return time;
}

// The lines a vehicle's workshop log shows, one per entry: date, work, cost, mechanic, workshop days.
QStringList serviceLogLines(const std::vector<Service::Entry>& entries)
{
    QStringList lines;
    lines.reserve(qsizetype(entries.size()));
    for (const Service::Entry& entry : entries) {
        const bool inWorkshop = entry.workshopFrom.isValid() || entry.workshopTo.isValid();
        lines.append(QStringLiteral("%1  %2  %3  %4  %5")
                         .arg(formatDate(entry.date), entry.work.leftJustified(20),
                              euroText(entry.costCents()).rightJustified(12),
                              entry.mechanic.leftJustified(15),
                              inWorkshop ? Service::workshopText(entry) : QString()));
    }
    return lines;
}

// A vehicle's log of 200 entries read from the fleet's log and made into its lines, with reading the
// whole log raw beside it. The log is about 1 MB, read raw in a tenth of a millisecond, so a ratio
// to that floor would only measure the decoding of 200 records; the target is a share of the
// planner grid's 30 ms for another vehicle to its frame, leaving the rest to the log's window.
void measureServiceLog(const Folder& folder)
{
    const QString archive = folder.file(QLatin1String(Service::ArchiveName));
    readRaw(archive);
    const auto opened = [&] {
        QStringList lines;
        const double time =
            timed([&] { lines = serviceLogLines(Service::read(folder.dir.path(), HeavyService).entries); });
        if (smoke && lines.size() != 200) {
            std::fprintf(stderr, "the workshop log of %s holds %d lines\n", qPrintable(HeavyService),
                         int(lines.size()));
            std::exit(1);
        }
        return time;
    };
    const Paired times = paired(runs(), opened, [&] { return readRaw(archive); });
    table.milliseconds(QStringLiteral("registro manutenzioni (200 voci)"), times.program, 5, times.floor);
}

// "Esporta" clicked on the shown export window, Yes to "export now?": the time from that answer
// until the next question ("open the sheet?", answered No) is on screen.
double exportWritten(QWidget& window, BenchContext& services)
{
    services.answers = {true, false};
    services.shown.clear();
    services.answered.clear();
    click(window, QStringLiteral("cmdEsporta"));
    const auto& answered = services.answered;
    const auto& shown = services.shown;
    return answered.size() == 2 && shown.size() == 2 ? shown[1] - answered[0] : -1.0;
}

// Yes to "export now?" until the next question is on screen, against writing the sheet's bytes raw.
void measureExportWritten(Folder& folder, Context& context)
{
    TfrmExpContratti_DOZ_Bici window(context, nullptr);
    showToFrame(window);
    const QString sheet = folder.file(QStringLiteral("Contratti_Noleggio_Bici.xls"));
    const auto written = [&] { return exportWritten(window, folder.services); };
    written(); // the sheet exists, as on any later export
    const qint64 bytes = QFileInfo(sheet).size();
    table.ratio(
        QStringLiteral("export written, Yes to next question (%1 MB)").arg(bytes / 1e6, 0, 'f', 0),
        paired(runs(), written, [&] { return writeRaw(folder.file(QStringLiteral("raw.bin")), bytes); }), 2);
}

// Other workstations wait for an archive's lock while a backup holds it: the longest hold of a
// whole backup of the folder, against reading the contracts raw.
void measureBackupLockHold(Folder& folder, const QString& size, const std::function<double()>& cat)
{
    QTemporaryDir out;
    double longest = 0;
    Backup::setLockHoldObserver(
        [&longest](const QString&, qint64 nanoseconds) { longest = std::max(longest, nanoseconds / 1e6); });
    const Series holds = repeat(smoke ? 1 : 3, [&] {
        longest = 0;
        const QString zip = QDir(out.path()).filePath(QStringLiteral("copia.zip"));
        const bool written = Backup::writeBackup(folder.dir.path(), zip).ok();
        QFile::remove(zip);
        if (smoke && !written) {
            std::fprintf(stderr, "the backup failed\n");
            std::exit(1);
        }
        return written ? longest : -1.0;
    });
    Backup::setLockHoldObserver({});
    table.milliseconds(QStringLiteral("longest lock hold during a backup, ") + size, holds, 1000,
                       repeat(runs(), cat));
}

// Browsing the shown card, against the same card repainted with nothing changed; saving a new
// contract.
void measureContractCard(Folder& folder, Context& context, const QString& archive, const QString& size)
{
    TfrmContratti_Noleggio_Bici form(context);
    form.resize(form.sizeHint());
    showToFrame(form);
    settle();
    const auto repaint = [&] { return repaintToFrame(form); };
    table.ratio(QStringLiteral("browse to the last card, click to frame, ") + size,
                paired(
                    runs(), [&] { return clickToFrame(form, QStringLiteral("cmdUltimo")); }, repaint,
                    [&] {
                        form.browse(BrowseButton::First);
                        settle();
                    }),
                2);

    const auto fill = [&form] {
        form.cmdNuovoClick();
        for (const char* field : {"Ditta01", "Luogo", "Cliente", "BiciNum", "Marca"})
            form.edit(QLatin1String(field))->setText(QStringLiteral("Prova"));
        settle();
    };
    const QByteArray record(Contracts::RecordSize, 'x');
    const auto appendRaw = [&] {
        return timed([&] {
            QFile file(archive);
            file.open(QIODevice::Append);
            file.write(record);
            file.flush();
            ::fsync(file.handle());
        });
    };
    // The wait ends when the "saved" message is on screen; the floor of a save is the record
    // appended and synced plus a frame of the card.
    const Paired save = paired(
        runs(),
        [&] {
            folder.services.shown.clear();
            const double start = now();
            click(form, QStringLiteral("cmdSalva"));
            return folder.services.shown.size() == 1 ? folder.services.shown[0] - start : -1;
        },
        [&] { return appendRaw() + repaint(); }, fill);
    table.ratio(QStringLiteral("save a new contract, click to message shown, ") + size, save, 2);
}

void measureContracts(int count)
{
    Folder folder;
    writeContracts(folder, count);
    Context& context = folder.context();
    const QString archive = contractsArchive(folder);
    const QString size = smoke ? QString::number(count) : QStringLiteral("100k");
    readRaw(archive); // into the page cache
    const auto cat = [&] { return readRaw(archive); };

    // Memory first, while the process holds only the program itself: a search, then the export
    // window and its sheet written, as a user does one after the other.
    const double idle = statusMib("VmRSS:");
    const double peak = peakAboveMib([&] {
        searchClicked(context);
        TfrmExpContratti_DOZ_Bici window(context, nullptr);
        showToFrame(window);
        exportWritten(window, folder.services);
    });
    settle();
    table.memory(QStringLiteral("peak memory, search then export, ") + size, peak, idle, 100);

    table.ratio(QStringLiteral("contract search, no filter, ") + size,
                paired(
                    runs(), [&] { return searchClicked(context); }, cat),
                2);
    table.ratio(
        QStringLiteral("contract search, two filters, ") + size,
        paired(
            runs(), [&] { return searchClicked(context, QStringLiteral("ross"), QStringLiteral("1")); }, cat),
        1.5);
    table.ratio(QStringLiteral("vehicles not returned, opened, ") + size,
                paired(
                    runs(), [&] { return windowOpened<TfrmBiciNonRiconsegnate>(context); }, cat),
                2);
    {
        // "Richiama" on the shown contracts window until the customers' dialog is on screen: the
        // archive read and the customers found.
        TfrmContratti_Noleggio_Bici form(context);
        form.resize(form.sizeHint());
        showToFrame(form);
        settle();
        table.ratio(QStringLiteral("returning customers, Richiama to dialog, ") + size,
                    paired(
                        runs(), [&] { return clickToDialogFrame(form, QStringLiteral("btnCliente")); }, cat),
                    2);
    }
    {
        // The season's charts and the day's work read the fleet and its bookings too.
        writeBoardFleet(folder);
        table.milliseconds(QStringLiteral("statistics of a season, opened, ") + size +
                               QStringLiteral(" + 300 vehicles"),
                           repeat(runs(), [&] { return windowOpened<TfrmStatistiche>(context); }), 1000);
        // Beyond the contracts' scan the day's work reads the fleet, its 300 planning files for the
        // pickups and the workshop log for the vehicles due, gathering their rentals in the same
        // scan: more than a list of contracts (2×), as the export window's model is (2.5×).
        table.ratio(QStringLiteral("day's work (Oggi), opened, ") + size + QStringLiteral(" + 300 vehicles"),
                    paired(
                        runs(), [&] { return dayWorkOpened(context); }, cat),
                    2.5);
        measureServiceLog(folder);
    }
    table.ratio(QStringLiteral("export window, opened, ") + size,
                paired(
                    runs(), [&] { return windowOpened<TfrmExpContratti_DOZ_Bici>(context); }, cat),
                2.5);

    measureExportWritten(folder, context);
    measureBackupLockHold(folder, size, cat);
    measureContractCard(folder, context, archive, size);
}

// The sheet printed again from the photo card on show, against a second window on a card without one.
void measureSheetWithPhoto(Folder& folder, Context& context, TfrmAutoparco& fleet)
{
    TfrmAutoparco plainFleet(context);
    plainFleet.showRecord(1);
    qint64 withPhoto = 0;
    qint64 without = 0;
    const auto sheetToPdf = [&](TfrmAutoparco& window, qint64* bytes) {
        return timed([&] {
            const std::optional<Reports::Report> sheet = window.sheetBuilder()();
            const Reports::Prepared prepared = Reports::prepare(*sheet, QDate::currentDate());
            const QString pdf = folder.file(QStringLiteral("scheda.pdf"));
            Reports::writePdf(prepared.document, pdf);
            *bytes = QFileInfo(pdf).size();
        });
    };
    fleet.showRecord(2);
    settle();
    table.note(QStringLiteral("vehicle sheet with that photo, first output"),
               Series{{sheetToPdf(fleet, &withPhoto)}});
    table.ratio(QStringLiteral("vehicle sheet with that photo, again, to PDF"),
                paired(
                    runs(), [&] { return sheetToPdf(fleet, &withPhoto); },
                    [&] { return sheetToPdf(plainFleet, &without); }),
                3);
    table.size(QStringLiteral("vehicle sheet PDF size, with that photo"), double(withPhoto), double(without),
               1 << 20);
}

void measureFleet(int vehicles)
{
    Folder folder;
    const QString archive = folder.file(QString::fromLatin1(Fleet::ArchiveName));
    bench::DataGenerator generator;
    generator.writeVehicles(archive, vehicles);
    Context& context = folder.context();
    const QString size = smoke ? QString::number(vehicles) : QStringLiteral("10k");
    readRaw(archive);
    // A fleet's file is small: the frame of the results weighs as much as reading it, so the floor
    // is reading the file plus a frame of the results window.
    TfrmTrovaBici shownResults(context, nullptr, TfrmTrovaBici::Mode::Fleet);
    showToFrame(shownResults);
    clickToFrame(shownResults, QStringLiteral("btnCerca"));
    table.ratio(QStringLiteral("vehicle search, no filter, ") + size,
                paired(
                    runs(),
                    [&] {
                        TfrmTrovaBici search(context, nullptr, TfrmTrovaBici::Mode::Fleet);
                        showToFrame(search);
                        settle();
                        return clickToFrame(search, QStringLiteral("btnCerca"));
                    },
                    [&] { return readRaw(archive) + repaintToFrame(shownResults); }),
                2);
    shownResults.hide();

    // Card 2 carries a camera photo, cards 1 and 3 none.
    QDir(folder.dir.path()).mkpath(QStringLiteral("Autoparco"));
    const QSize photo = smoke ? QSize(800, 600) : QSize(8000, 6000);
    bench::DataGenerator::writePhoto(folder.file(QStringLiteral("Autoparco/Scheda_Veicolo_2.jpg")),
                                     photo.width(), photo.height());
    TfrmAutoparco fleet(context);
    fleet.resize(fleet.sizeHint());
    showToFrame(fleet);
    const auto onto = [&](qint64 from) {
        fleet.showRecord(from);
        settle();
    };
    const auto next = [&] { return clickToFrame(fleet, QStringLiteral("cmdAvanti")); };
    onto(1);
    const double first = next();
    const Series plain = repeat(runs(), next, [&] { onto(3); });
    double peak = 0;
    const Series onPhoto = repeat(
        runs(),
        [&] {
            double time = 0;
            peak = std::max(peak, peakAboveMib([&] { time = next(); }));
            return time;
        },
        [&] { onto(1); });
    table.note(QStringLiteral("browse onto the photo card, first time"), Series{{first}});
    table.milliseconds(
        QStringLiteral("browse onto a %1 × %2 photo card").arg(photo.width()).arg(photo.height()), onPhoto,
        20, plain);
    table.memory(QStringLiteral("peak memory, browsing onto the photo card"), peak, statusMib("VmRSS:"), 50);

    measureSheetWithPhoto(folder, context, fleet);
}

// The planner grid: the first Apri in a fresh process, on this platform and, when a display is
// there, on X11; then another vehicle in the same grid.
PlanningTarget planningTarget(const Folder& folder, const QString& number)
{
    return {{number, QStringLiteral("Atala City"), QStringLiteral("Rosso"), QStringLiteral("M")},
            QStringLiteral("2024"),
            folder.file(Planning::fileName(number, QStringLiteral("2024")))};
}

void writePlanningFiles(const Folder& folder)
{
    bench::DataGenerator generator;
    for (const char* number : {"B-1", "B-2"}) {
        generator.writePlanning(
            folder.file(Planning::fileName(QLatin1String(number), QStringLiteral("2024"))),
            QLatin1String(number));
    }
}

// In the child: a program that has shown its login window opens the grid for the first time.
int firstApriChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    Folder folder;
    writePlanningFiles(folder);
    QWidget login;
    auto* layout = new QVBoxLayout(&login);
    layout->addWidget(new QLabel(QStringLiteral("Immetti la password e premi OK.")));
    layout->addWidget(new QLineEdit);
    showToFrame(login);
    settle();
    TfrmPlanning grid(folder.context());
    grid.resize(1016, 713);
    grid.setTarget(planningTarget(folder, QStringLiteral("B-1")));
    std::printf("%.3f\n", showToFrame(grid));
    return 0;
}

Series firstApri(const QString& self, const QString& platform)
{
    return repeat(smoke ? 1 : 5, [&] {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        child.setProcessEnvironment(environment);
        child.start(self, {QStringLiteral("--first-apri")});
        child.waitForFinished(30000);
        bool ok = false;
        const double time = child.readAllStandardOutput().trimmed().toDouble(&ok);
        return ok ? time : -1;
    });
}

// The booking board of 300 vehicles: opened on a month, three months chosen, and scrolled a page
// at a time, each to its frame.
void measureBoard()
{
    Folder folder;
    writeBoardFleet(folder);
    Context& context = folder.context();
    const QString size = QStringLiteral("%1 vehicles").arg(BoardVehicles);
    table.milliseconds(QStringLiteral("booking board, %1, opened on a month").arg(size),
                       repeat(runs(), [&] { return windowOpened<TfrmTabellone>(context); }), 300);
    TfrmTabellone board(context, nullptr);
    showToFrame(board);
    if (board.board()->rows().size() != std::size_t(BoardVehicles)) {
        std::fprintf(stderr, "the board shows %zu vehicles\n", board.board()->rows().size());
        std::exit(1);
    }
    auto* span = board.findChild<QComboBox*>(QStringLiteral("cboPeriodo"));
    const Series threeMonths = repeat(
        runs(),
        [&] {
            FrameWatch watch(&board);
            const double start = now();
            span->setCurrentIndex(int(TfrmTabellone::Span::ThreeMonths));
            board.reload();
            return waitForFrame(watch) ? now() - start : -1;
        },
        [&] {
            span->setCurrentIndex(int(TfrmTabellone::Span::OneMonth));
            board.reload();
            settle();
        });
    table.milliseconds(QStringLiteral("booking board, three months chosen, to frame"), threeMonths, 300);
    // Scrolling: a page down (or back up at the end) to its frame, against the 16.7 ms of a 60 Hz screen.
    QScrollBar* down = board.board()->verticalScrollBar();
    Series scrolled;
    for (int i = 0; i < (smoke ? 2 : 30); ++i) {
        FrameWatch watch(&board);
        const double start = now();
        down->setValue(down->value() >= down->maximum() ? 0 : down->value() + down->pageStep());
        scrolled.values.push_back(waitForFrame(watch) ? now() - start : -1);
    }
    table.milliseconds(QStringLiteral("booking board, three months, a page scrolled"), scrolled, 16.7);
}

void measurePlanner(const QString& self)
{
    table.milliseconds(QStringLiteral("planner grid, first Apri to first frame"),
                       firstApri(self, QStringLiteral("offscreen")), 50);
    if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
        table.milliseconds(QStringLiteral("planner grid, first Apri to first frame, X11"),
                           firstApri(self, QStringLiteral("xcb")), 50);
    }
    Folder folder;
    writePlanningFiles(folder);
    TfrmPlanning grid(folder.context());
    grid.resize(1016, 713);
    int turn = 0;
    table.milliseconds(QStringLiteral("planner grid, another vehicle to first frame"),
                       repeat(
                           runs(), [&] { return showToFrame(grid); },
                           [&] {
                               grid.hide();
                               settle();
                               grid.setTarget(planningTarget(folder, (turn++ % 2) ? QStringLiteral("B-2")
                                                                                  : QStringLiteral("B-1")));
                           }),
                       30);
}

// Availability across a fleet whose every vehicle has a planning file for each of two years, over
// a span that crosses the new year: "Cerca" clicked to the list on screen.
void measureAvailability(int vehicles)
{
    Folder folder;
    bench::DataGenerator generator;
    generator.writeVehicles(folder.file(QString::fromLatin1(Fleet::ArchiveName)), vehicles);
    for (int i = 1; i <= vehicles; ++i) {
        const QString number = QStringLiteral("B-%1").arg(i);
        for (const char* year : {"2026", "2027"})
            generator.writePlanning(folder.file(Planning::fileName(number, QLatin1String(year))), number);
    }
    const Series filled = repeat(runs(), [&] {
        TfrmDisponibilita window(folder.context(), nullptr);
        window.findChild<QLineEdit*>(QStringLiteral("txtDataInizio"))->setText(QStringLiteral("28/12/2026"));
        window.findChild<QLineEdit*>(QStringLiteral("txtDataFine"))->setText(QStringLiteral("03/01/2027"));
        showToFrame(window);
        settle();
        const double time = clickToFrame(window, QStringLiteral("btnCerca"));
        if (smoke && window.lines().rowCount() != vehicles) {
            std::fprintf(stderr, "availability listed %d of %d vehicles\n", window.lines().rowCount(),
                         vehicles);
            std::exit(1);
        }
        return time;
    });
    table.milliseconds(QStringLiteral("availability of %1 vehicles across the new year").arg(vehicles),
                       filled, 1000);
}

// Start-up: a child process that shows its first window and ends once it has been painted; the
// time is the whole process.
int startupChild(const QString& kind, int argc, char** argv)
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> bare;
    std::unique_ptr<BenchContext> services;
    std::unique_ptr<Application> program;
    QWidget* shown = nullptr;
    if (kind == QLatin1String("bare")) {
        // The fair floor: a window that also sets up fonts and draws text and an edit.
        bare = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(bare.get());
        layout->addWidget(new QLabel(QStringLiteral("Immetti la password e premi OK.")));
        layout->addWidget(new QLineEdit);
        bare->resize(388, 405);
        bare->show();
        shown = bare.get();
    } else {
        services = std::make_unique<BenchContext>(QDir::tempPath());
        program = std::make_unique<Application>(services->context());
        program->start();
        shown = program->login();
    }
    FrameWatch watch(shown);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (watch.painted())
            app.quit();
    });
    poll.start(0);
    return app.exec();
}

void measureStartup(const QString& self)
{
    const auto run = [&self](const char* kind) {
        return [&self, kind] {
            return timed([&] {
                QProcess child;
                child.start(self, {QStringLiteral("--startup"), QLatin1String(kind)});
                child.waitForFinished(30000);
            });
        };
    };
    table.ratio(QStringLiteral("start to the login window's first frame"),
                paired(smoke ? 1 : 9, run("program"), run("bare")), 2);
}

// How the list operations grow with the archive: time per record at each size.
void growth(const std::vector<int>& sizes)
{
    std::printf("\nGrowth (time per record, median of 3):\n%-34s", "");
    for (const int size : sizes)
        std::printf("%14d", size);
    std::printf("\n");
    struct Operation {
        const char* name;
        std::function<double(Context&)> run;
    };
    const Operation operations[] = {
        {"contract search, no filter", [](Context& c) { return searchClicked(c); }},
        {"contract search, two filters",
         [](Context& c) { return searchClicked(c, QStringLiteral("ross"), QStringLiteral("1")); }},
        {"vehicles not returned", [](Context& c) { return windowOpened<TfrmBiciNonRiconsegnate>(c); }},
        {"export window", [](Context& c) { return windowOpened<TfrmExpContratti_DOZ_Bici>(c); }},
    };
    std::vector<std::unique_ptr<Folder>> folders;
    for (const int size : sizes) {
        folders.push_back(std::make_unique<Folder>());
        bench::DataGenerator().writeContracts(contractsArchive(*folders.back()), size);
    }
    for (const Operation& operation : operations) {
        std::printf("%-34s", operation.name);
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            Context& context = folders[i]->context();
            const double time = repeat(3, [&] { return operation.run(context); }).median();
            std::printf("%11.2f µs", time * 1000.0 / sizes[i]);
        }
        std::printf("\n");
    }
}

// The benchmark's data laid down in a folder, to time a driven session of the real program on the
// same records (ROTAFLUX_TEMPI=1): the contracts, the fleet, its workshop log, and this year's and
// next year's bookings of every vehicle, for the board and the planner.
bool writeShopFolder(const QDir& folder)
{
    bench::DataGenerator generator;
    bool written =
        generator.writeContracts(folder.filePath(QString::fromLatin1(Contracts::ArchiveName)), 100000) &&
        generator.writeVehicles(folder.filePath(QString::fromLatin1(Fleet::ArchiveName)), BoardVehicles) &&
        writeServiceLog(folder);
    const int year = QDate::currentDate().year();
    for (int i = 1; written && i <= BoardVehicles; ++i) {
        const QString number = QStringLiteral("B-%1").arg(i);
        for (int y : {year, year + 1})
            written = generator.writePlanning(folder.filePath(Planning::fileName(number, QString::number(y))),
                                              number);
    }
    return written;
}

// The offscreen platform's notices would only clutter the table.
void quietNotices(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !message.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietNotices);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 3 && QByteArray(argv[1]) == "--startup")
        return startupChild(QString::fromLatin1(argv[2]), argc, argv);
    if (argc >= 2 && QByteArray(argv[1]) == "--first-apri")
        return firstApriChild(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--data") {
        QCoreApplication app(argc, argv);
        return writeShopFolder(QDir(QString::fromLocal8Bit(argv[2]))) ? 0 : 2;
    }
    smoke = argc >= 2 && QByteArray(argv[1]) == "--smoke";
    const QByteArray only = argc >= 3 && QByteArray(argv[1]) == "--only" ? QByteArray(argv[2]) : QByteArray();
    const auto wanted = [&only](const char* part) { return only.isEmpty() || only == part; };

    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const int contracts = smoke ? 1000 : 100000;
    const int vehicles = smoke ? 1000 : 10000;
    std::printf("Rotaflux benchmark: %d contracts (%.0f MB), %d vehicles, %d runs a row%s\n", contracts,
                contracts * double(Contracts::RecordSize) / 1e6, vehicles, runs(),
                smoke ? " (smoke run, nothing judged)" : "");
    std::fflush(stdout);

    if (only == "search") { // the no-filter search alone, ten times over, for a profiler
        Folder folder;
        writeContracts(folder, contracts);
        std::printf("search: %.1f ms\n",
                    repeat(10, [&] { return searchClicked(folder.context()); }).median());
        return 0;
    }
    if (only == "today") { // the day's work alone, ten times over, for a profiler
        Folder folder;
        writeContracts(folder, contracts);
        writeBoardFleet(folder);
        std::printf("today: %.1f ms\n",
                    repeat(10, [&] { return windowOpened<TfrmOggi>(folder.context()); }).median());
        return 0;
    }
    const QString self = QCoreApplication::applicationFilePath();
    if (wanted("contracts"))
        measureContracts(contracts);
    if (wanted("fleet"))
        measureFleet(vehicles);
    if (wanted("board"))
        measureBoard();
    if (wanted("planner"))
        measurePlanner(self);
    if (wanted("availability"))
        measureAvailability(smoke ? 100 : 1000);
    if (wanted("startup"))
        measureStartup(self);
    table.print(!smoke);
    if (wanted("growth"))
        growth(smoke ? std::vector<int>{100, 1000} : std::vector<int>{1000, 10000, 100000});

    if (!smoke)
        std::printf("\n%s\n", table.allMet() ? "Every target met." : "Some targets were missed.");
    return smoke || table.allMet() ? 0 : 1;
}
