// Measures the program's heavy operations through the same code the windows run, against the
// physical floor of the machine (reading or writing the same bytes raw), and prints a table.
//
//   rotaflux_bench            full run: 1,000 / 10,000 / 100,000 contracts, 10,000 vehicles
//   rotaflux_bench --smoke    a quick run on 1,000 records that checks the data and times nothing
//
// The data lives in a temporary folder that is removed at the end.

#include "BenchData.h"
#include "BenchServices.h"

#include "app/ui/Application.h"
#include "app/ui/TfrmPassword.h"
#include "contracts/SchedaContratto.h"
#include "contracts/ui/TfrmBiciNonRiconsegnate.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmExpContratti_DOZ_Bici.h"
#include "contracts/ui/TfrmTrovaContratti_DOZ_Bici.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "fleet/ui/TfrmTrovaBici.h"
#include "planner/PlanningFile.h"
#include "planner/ui/TfrmDisponibilita.h"
#include "planner/ui/TfrmPlanning.h"
#include "reports/Layout.h"
#include "reports/Render.h"
#include "storage/ArchiveFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

using namespace rf;

namespace {

bool smoke = false;

// ---- measuring -----------------------------------------------------------------------------

double milliseconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// The median of several runs; prepare runs before each, untimed.
double median(int runs, const std::function<void()>& work, const std::function<void()>& prepare = {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        times.push_back(milliseconds(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Resident memory now and at its peak since the last reset, in MB (Linux).
double statusMb(const char* key)
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
double residentMb()
{
    return statusMb("VmRSS:");
}
double peakMb()
{
    return statusMb("VmHWM:");
}
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The peak memory above what the process held before, while work runs.
double peakAboveMb(const std::function<void()>& work)
{
    const double before = residentMb();
    resetPeak();
    work();
    return std::max(0.0, peakMb() - before);
}

void readRaw(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QByteArray block(1 << 20, Qt::Uninitialized);
    while (file.read(block.data(), block.size()) > 0) {
    }
}

void writeRaw(const QString& path, qint64 bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    const QByteArray block(1 << 20, 'x');
    for (qint64 done = 0; done < bytes; done += block.size())
        file.write(block.constData(), std::min<qint64>(block.size(), bytes - done));
    file.close();
}

// Shows window and runs the event loop until its first frame has been painted.
class PaintSeen : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};
void showUntilPainted(QWidget& window)
{
    PaintSeen seen;
    window.installEventFilter(&seen);
    window.show();
    QElapsedTimer limit;
    limit.start();
    while (!seen.painted && limit.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window.removeEventFilter(&seen);
}

// ---- the table ------------------------------------------------------------------------------

struct Row {
    QString operation;
    QString measured;
    QString baseline;
    QString ratio;
    QString target;
    bool met;
};
std::vector<Row> table;

QString ms(double value)
{
    return QStringLiteral("%1 ms").arg(value, 0, 'f', value < 10 ? 2 : 1);
}

void ratioRow(const QString& operation, double measured, double baseline, double limit)
{
    const double ratio = baseline > 0 ? measured / baseline : 0;
    table.push_back({operation, ms(measured), ms(baseline), QStringLiteral("%1×").arg(ratio, 0, 'f', 2),
                     QStringLiteral("≤ %1×").arg(limit), ratio <= limit});
}

void limitRow(const QString& operation, const QString& measured, const QString& baseline, double value,
              double limit, const QString& target)
{
    table.push_back({operation, measured, baseline, QString(), target, value <= limit});
}

void printTable()
{
    std::printf("\n%-58s %14s %14s %8s %12s  %s\n", "Operation", "Measured", "Baseline", "Ratio", "Target",
                "");
    std::printf("%s\n", QString(118, QLatin1Char('-')).toUtf8().constData());
    for (const Row& row : table) {
        std::printf("%-58s %14s %14s %8s %12s  %s\n", row.operation.toUtf8().constData(),
                    row.measured.toUtf8().constData(), row.baseline.toUtf8().constData(),
                    row.ratio.toUtf8().constData(), row.target.toUtf8().constData(),
                    smoke ? "" : (row.met ? "met" : "MISSED"));
    }
}

// ---- the operations -------------------------------------------------------------------------

struct Folder {
    QTemporaryDir dir;
    BenchContext services{dir.path()};
    Context& context() { return services.context(); }
    QString file(const QString& name) const { return dir.filePath(name); }
};

// A search window with its filters typed in, ready for "Cerca".
std::unique_ptr<TfrmTrovaContratti_DOZ_Bici> contractSearch(Context& context, const QString& customer = {},
                                                            const QString& bicycle = {})
{
    auto search = std::make_unique<TfrmTrovaContratti_DOZ_Bici>(context, nullptr);
    search->filterEdit(QStringLiteral("txtCliente"))->setText(customer);
    search->filterEdit(QStringLiteral("txtBiciNum"))->setText(bicycle);
    return search;
}

// The time of "Cerca" alone: the window is built beforehand, as it is before the user presses it.
double timeSearch(int runs, Context& context, const QString& customer = {}, const QString& bicycle = {})
{
    std::unique_ptr<TfrmTrovaContratti_DOZ_Bici> search;
    return median(
        runs, [&] { search->btnCercaClick(); }, [&] { search = contractSearch(context, customer, bicycle); });
}

void searchContracts(Context& context, const QString& customer = {}, const QString& bicycle = {})
{
    contractSearch(context, customer, bicycle)->btnCercaClick();
}

void notReturned(Context& context)
{
    TfrmBiciNonRiconsegnate list(context, nullptr);
    list.show();
    list.hide();
}

// How the list operations grow with the archive: time per record at each size.
void growth(const std::vector<int>& sizes)
{
    std::printf("\nGrowth (time per record):\n%-34s", "");
    for (const int size : sizes)
        std::printf("%14d", size);
    std::printf("\n");
    struct Operation {
        const char* name;
        std::function<void(Context&)> run;
    };
    const Operation operations[] = {
        {"contract search, no filter", [](Context& c) { searchContracts(c); }},
        {"contract search, two filters",
         [](Context& c) { searchContracts(c, QStringLiteral("ross"), QStringLiteral("1")); }},
        {"vehicles not returned", notReturned},
        {"export window filled", [](Context& c) { TfrmExpContratti_DOZ_Bici window(c, nullptr); }},
    };
    std::vector<std::unique_ptr<Folder>> folders;
    for (const int size : sizes) {
        folders.push_back(std::make_unique<Folder>());
        bench::DataGenerator().writeContracts(
            folders.back()->file(QString::fromLatin1(Contracts::ArchiveName)), size);
    }
    for (const Operation& operation : operations) {
        std::printf("%-34s", operation.name);
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            Context& context = folders[i]->context();
            const double time = median(3, [&] { operation.run(context); });
            std::printf("%11.2f µs", time * 1000.0 / sizes[i]);
        }
        std::printf("\n");
    }
}

void measureContracts(int count)
{
    Folder folder;
    const QString archive = folder.file(QString::fromLatin1(Contracts::ArchiveName));
    bench::DataGenerator generator;
    if (!generator.writeContracts(archive, count)) {
        std::fprintf(stderr, "cannot write the contracts\n");
        std::exit(2);
    }
    if (smoke) {
        const QString problem = generator.checkContracts(archive, count);
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "the generated contracts do not read back: %s\n", qPrintable(problem));
            std::exit(1);
        }
    }
    Context& context = folder.context();
    const QString size = smoke ? QStringLiteral("%1").arg(count) : QStringLiteral("100k");
    const int runs = smoke ? 1 : 5;
    readRaw(archive); // into the page cache
    const double raw = median(runs, [&] { readRaw(archive); });

    // Memory first, while the process holds only the program itself.
    const double idle = residentMb();
    const double searchPeak = peakAboveMb([&] { searchContracts(context); });
    const double exportPeak = peakAboveMb([&] { TfrmExpContratti_DOZ_Bici window(context, nullptr); });
    limitRow(QStringLiteral("peak memory, search, ") + size,
             QStringLiteral("+%1 MB").arg(searchPeak, 0, 'f', 1),
             QStringLiteral("%1 MB idle").arg(idle, 0, 'f', 0), searchPeak, 150, QStringLiteral("≤ +150 MB"));
    limitRow(QStringLiteral("peak memory, export window, ") + size,
             QStringLiteral("+%1 MB").arg(exportPeak, 0, 'f', 1),
             QStringLiteral("%1 MB idle").arg(idle, 0, 'f', 0), exportPeak, 150, QStringLiteral("≤ +150 MB"));

    ratioRow(QStringLiteral("contract search, no filter, ") + size, timeSearch(runs, context), raw, 2);
    ratioRow(QStringLiteral("contract search, two filters, ") + size,
             timeSearch(runs, context, QStringLiteral("ross"), QStringLiteral("1")), raw, 1.5);
    ratioRow(QStringLiteral("vehicles not returned, ") + size, median(runs, [&] { notReturned(context); }),
             raw, 2);
    ratioRow(QStringLiteral("export window filled, ") + size,
             median(runs, [&] { TfrmExpContratti_DOZ_Bici window(context, nullptr); }), raw, 3);

    {
        TfrmExpContratti_DOZ_Bici window(context, nullptr);
        const QString sheet = folder.file(QString::fromLatin1("Contratti_Noleggio_Bici.xls"));
        const double written = median(
            runs, [&] { window.cmdEsportaClick(); },
            [&] {
                folder.services.answers = {true, false};
            });
        const qint64 bytes = QFileInfo(sheet).size();
        const double rawWrite =
            median(runs, [&] { writeRaw(folder.file(QStringLiteral("raw.bin")), bytes); });
        ratioRow(QStringLiteral("export written, ") + size +
                     QStringLiteral(" (%1 MB)").arg(bytes / 1e6, 0, 'f', 1),
                 written, rawWrite, 3);
    }

    {
        TfrmContratti_Noleggio_Bici form(context);
        QByteArray one;
        const double oneRead = median(runs, [&] {
            ArchiveFile file(archive, Contracts::RecordSize);
            file.OpenArchive();
            file.ReadRecord(count / 2, one);
        });
        const double last = median(runs, [&] { form.browse(BrowseButton::Last); });
        const double first = median(runs, [&] { form.browse(BrowseButton::First); });
        limitRow(QStringLiteral("browse to the last card, ") + size, ms(last), ms(oneRead), last, 5,
                 QStringLiteral("≤ 5 ms"));
        limitRow(QStringLiteral("browse back to the first card, ") + size, ms(first), ms(oneRead), first, 5,
                 QStringLiteral("≤ 5 ms"));

        const auto fill = [&form] {
            form.cmdNuovoClick();
            for (const char* field : {"Ditta01", "Luogo", "Cliente", "BiciNum", "Marca"})
                form.edit(QLatin1String(field))->setText(QStringLiteral("Prova"));
        };
        const double save = median(
            runs, [&] { form.cmdSalvaClick(); }, fill);
        const QByteArray record(Contracts::RecordSize, 'x');
        const double rawAppend = median(runs, [&] {
            QFile file(archive);
            file.open(QIODevice::Append);
            file.write(record);
            file.flush();
            ::fsync(file.handle());
        });
        ratioRow(QStringLiteral("save a new contract, ") + size, save, rawAppend, 3);
    }
}

void measureFleet(int vehicles)
{
    Folder folder;
    const QString archive = folder.file(QString::fromLatin1(Fleet::ArchiveName));
    bench::DataGenerator generator;
    generator.writeVehicles(archive, vehicles);
    Context& context = folder.context();
    const int runs = smoke ? 1 : 5;
    const QString size = smoke ? QString::number(vehicles) : QStringLiteral("10k");
    readRaw(archive);
    const double raw = median(runs, [&] { readRaw(archive); });
    std::unique_ptr<TfrmTrovaBici> vehicleSearch;
    ratioRow(QStringLiteral("vehicle search, no filter, ") + size,
             median(
                 runs, [&] { vehicleSearch->btnCercaClick(); },
                 [&] {
                     vehicleSearch =
                         std::make_unique<TfrmTrovaBici>(context, nullptr, TfrmTrovaBici::Mode::Fleet);
                 }),
             raw, 2);

    // Card 2 carries a camera photo, card 1 none.
    QDir(folder.dir.path()).mkpath(QStringLiteral("Autoparco"));
    const QSize photo = smoke ? QSize(800, 600) : QSize(8000, 6000);
    bench::DataGenerator::writePhoto(folder.file(QStringLiteral("Autoparco/Scheda_Veicolo_2.jpg")),
                                     photo.width(), photo.height());
    TfrmAutoparco fleet(context);
    fleet.showRecord(1);
    const double plain = median(
        runs, [&] { fleet.browse(BrowseButton::Next); }, [&] { fleet.showRecord(3); });
    fleet.showRecord(1);
    const double firstOnPhoto = milliseconds([&] { fleet.browse(BrowseButton::Next); });
    table.push_back({QStringLiteral("browse onto that card the first time (makes its display copy)"),
                     ms(firstOnPhoto), ms(plain), QString(), QStringLiteral("(once)"), true});
    double peak = 0;
    const double onPhoto = median(
        runs, [&] { peak = std::max(peak, peakAboveMb([&] { fleet.browse(BrowseButton::Next); })); },
        [&] { fleet.showRecord(1); });
    limitRow(QStringLiteral("browse onto a card with a %1 × %2 photo").arg(photo.width()).arg(photo.height()),
             ms(onPhoto), ms(plain), onPhoto, 50, QStringLiteral("≤ 50 ms"));
    limitRow(QStringLiteral("peak memory, browsing photo cards"),
             QStringLiteral("+%1 MB").arg(peak, 0, 'f', 1), QString(), peak, 100, QStringLiteral("≤ 100 MB"));

    const auto sheetToPdf = [&](qint64* bytes) {
        const std::optional<Reports::Report> sheet = fleet.sheetBuilder()();
        const Reports::Prepared prepared = Reports::prepare(*sheet, QDate::currentDate());
        const QString pdf = folder.file(QStringLiteral("scheda.pdf"));
        Reports::writePdf(prepared.document, pdf);
        *bytes = QFileInfo(pdf).size();
    };
    qint64 withPhoto = 0;
    qint64 without = 0;
    fleet.showRecord(1);
    const double sheetPlain = median(runs, [&] { sheetToPdf(&without); });
    fleet.showRecord(2);
    const double firstSheet = milliseconds([&] { sheetToPdf(&withPhoto); });
    const double sheetPhoto = median(runs, [&] { sheetToPdf(&withPhoto); });
    table.push_back({QStringLiteral("vehicle sheet with that photo, first output"), ms(firstSheet),
                     ms(sheetPlain), QStringLiteral("%1×").arg(firstSheet / sheetPlain, 0, 'f', 2),
                     QStringLiteral("(reads photo)"), true});
    ratioRow(QStringLiteral("vehicle sheet with that photo, to PDF"), sheetPhoto, sheetPlain, 3);
    limitRow(QStringLiteral("vehicle sheet PDF size"), QStringLiteral("%1 KB").arg(withPhoto / 1024),
             QStringLiteral("%1 KB").arg(without / 1024), withPhoto, 1 << 20, QStringLiteral("≤ 1 MB"));

    // The planning grid of two vehicles, one after the other.
    generator.writePlanning(folder.file(Planning::fileName(QStringLiteral("B-1"), QStringLiteral("2024"))),
                            QStringLiteral("B-1"));
    generator.writePlanning(folder.file(Planning::fileName(QStringLiteral("B-2"), QStringLiteral("2024"))),
                            QStringLiteral("B-2"));
    TfrmPlanning grid(context);
    grid.resize(1016, 713);
    // The first Apri: the grid, built at start as the program builds it, shown for the first time
    // until its first frame is painted.
    grid.setTarget(
        {{QStringLiteral("B-1"), QStringLiteral("Atala City"), QStringLiteral("Rosso"), QStringLiteral("M")},
         QStringLiteral("2024"),
         folder.file(Planning::fileName(QStringLiteral("B-1"), QStringLiteral("2024")))});
    const double firstOpen = milliseconds([&] { showUntilPainted(grid); });
    limitRow(QStringLiteral("planner grid, first Apri to first frame"), ms(firstOpen), QString(), firstOpen,
             50, QStringLiteral("≤ 50 ms"));
    int turn = 0;
    const double shown = median(
        runs, [&] { grid.show(); },
        [&] {
            grid.hide();
            const QString number = (turn++ % 2) ? QStringLiteral("B-2") : QStringLiteral("B-1");
            grid.setTarget(
                {{number, QStringLiteral("Atala City"), QStringLiteral("Rosso"), QStringLiteral("M")},
                 QStringLiteral("2024"),
                 folder.file(Planning::fileName(number, QStringLiteral("2024")))});
        });
    grid.hide();
    limitRow(QStringLiteral("planner grid shown, then another vehicle"), ms(shown), QString(), shown, 30,
             QStringLiteral("≤ 30 ms"));
}

// Availability across a fleet whose every vehicle has a planning file for each of two years, over
// a span that crosses the new year.
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
    TfrmDisponibilita window(folder.context(), nullptr);
    window.findChild<QLineEdit*>(QStringLiteral("txtDataInizio"))->setText(QStringLiteral("28/12/2026"));
    window.findChild<QLineEdit*>(QStringLiteral("txtDataFine"))->setText(QStringLiteral("03/01/2027"));
    window.btnCercaClick();
    const double filled = median(smoke ? 1 : 5, [&] { window.btnCercaClick(); });
    if (smoke && window.lines().rowCount() != vehicles) {
        std::fprintf(stderr, "availability listed %d of %d vehicles\n", window.lines().rowCount(), vehicles);
        std::exit(1);
    }
    limitRow(QStringLiteral("availability of %1 vehicles across the new year").arg(vehicles), ms(filled),
             QString(), filled, 1000, QStringLiteral("≤ 1 s"));
}

// Start-up: a child process that shows its first window and ends; the time is the whole process.
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
    // Ends once the first frame of the window has been painted.
    PaintSeen seen;
    shown->installEventFilter(&seen);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (seen.painted)
            app.quit();
    });
    poll.start(0);
    return app.exec();
}

void measureStartup(const QString& self)
{
    const auto run = [&self](const char* kind) {
        return median(smoke ? 1 : 7, [&] {
            QProcess child;
            child.start(self, {QStringLiteral("--startup"), QLatin1String(kind)});
            child.waitForFinished(30000);
        });
    };
    const double bare = run("bare");
    ratioRow(QStringLiteral("start to the login window's first frame (process)"), run("program"), bare, 2);
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
    smoke = argc >= 2 && QByteArray(argv[1]) == "--smoke";
    // "--only contracts|fleet|availability|startup|growth" measures one part alone, for profiling.
    const QByteArray only = argc >= 3 && QByteArray(argv[1]) == "--only" ? QByteArray(argv[2]) : QByteArray();
    const auto wanted = [&only](const char* part) { return only.isEmpty() || only == part; };

    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const int contracts = smoke ? 1000 : 100000;
    const int vehicles = smoke ? 1000 : 10000;
    std::printf("Rotaflux benchmark: %d contracts (%.0f MB), %d vehicles%s\n", contracts,
                contracts * double(Contracts::RecordSize) / 1e6, vehicles,
                smoke ? " (smoke run, no targets)" : "");
    std::fflush(stdout);

    if (only == "search") { // the no-filter search alone, ten times over, for a profiler
        Folder folder;
        bench::DataGenerator().writeContracts(folder.file(QString::fromLatin1(Contracts::ArchiveName)),
                                              contracts);
        std::printf("search: %.1f ms\n", timeSearch(10, folder.context()));
        return 0;
    }
    if (wanted("contracts"))
        measureContracts(contracts);
    if (wanted("fleet"))
        measureFleet(vehicles);
    if (wanted("availability"))
        measureAvailability(smoke ? 100 : 1000);
    if (wanted("startup"))
        measureStartup(QCoreApplication::applicationFilePath());
    printTable();
    if (wanted("growth"))
        growth(smoke ? std::vector<int>{100, 1000} : std::vector<int>{1000, 10000, 100000});

    const bool allMet = std::all_of(table.begin(), table.end(), [](const Row& row) { return row.met; });
    if (!smoke)
        std::printf("\n%s\n", allMet ? "Every target met." : "Some targets were missed.");
    return smoke || allMet ? 0 : 1;
}
