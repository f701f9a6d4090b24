#include "FuzzTargets.h"

#include "app/PasswordStore.h"
#include "contracts/CustomerRegister.h"
#include "contracts/SchedaContratto.h"
#include "desk/SeasonFigures.h"
#include "desk/TodayWork.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/BookingBoard.h"
#include "planner/PlanningFile.h"
#include "storage/ArchiveFile.h"
#include "storage/Backup.h"
#include "storage/Durable.h"
#include "storage/IniFile.h"
#include "storage/RecordScan.h"

#include <quazip/quazip.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace rf::fuzz {

namespace {

// Every file a target writes lies in this folder, removed when the program ends.
const QTemporaryDir& scratch()
{
    static const QTemporaryDir dir;
    if (!dir.isValid())
        __builtin_trap(); // never write anywhere else
    return dir;
}

// A folder of its own for a target that needs several files side by side.
QString scratchFolder(const QString& name)
{
    const QString path = scratch().filePath(name);
    QDir().mkpath(path);
    return path;
}

QString writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(data);
    return path;
}

QString scratchFile(const QString& name, const QByteArray& data)
{
    return writeFile(scratch().filePath(name), data);
}

// The bytes made up with zeros to whole records: zero length bytes read as empty fields.
QByteArray wholeRecords(QByteArray data, int recordSize)
{
    if (const int rest = int(data.size() % recordSize))
        data.append(recordSize - rest, '\0');
    return data;
}

QByteArray vehicleRecord(const char* number, const char* make)
{
    Record record(TSchedaVeicolo());
    record.setValue(QStringLiteral("BiciNum"), QString::fromLatin1(number));
    record.setValue(QStringLiteral("Marca"), QString::fromLatin1(make));
    return record.encode();
}

// A small fleet: two bicycles, and one whose number cannot name a planning file.
QString writeFleet(const QString& folder)
{
    return writeFile(QDir(folder).filePath(QString::fromLatin1(Fleet::ArchiveName)),
                     vehicleRecord("1", "Bianchi") + vehicleRecord("2/B", "Atala") +
                         vehicleRecord("3", "Olmo"));
}

// A folder with the small fleet and the bytes as its contracts archive.
QString contractsFolder(const QString& name, const QByteArray& data)
{
    const QString folder = scratchFolder(name);
    writeFleet(folder);
    writeFile(QDir(folder).filePath(QString::fromLatin1(Contracts::ArchiveName)),
              wholeRecords(data, TSchedaContratto().size()));
    return folder;
}

} // namespace

void Records(const QByteArray& data)
{
    for (const RecordLayout* layout : {&TSchedaVeicolo(), &TSchedaContratto(), &TSchedaPlanning()}) {
        QByteArray record = data.left(layout->size());
        record.append(layout->size() - record.size(), '\0');
        const QStringList texts = layout->decode(record);
        const RecordView view(*layout, record.constData(), 1);
        for (int i = 0; i < layout->fieldCount(); ++i) {
            if (view.fieldBytes(i).size() > layout->capacity(i) || texts.at(i).size() > layout->capacity(i))
                __builtin_trap(); // a field never reads past its capacity
        }
        // Encoding what was decoded gives a record that decodes the same.
        if (layout->decode(layout->encode(texts)) != texts)
            __builtin_trap();
    }
    ArchiveFile archive(scratchFile(QStringLiteral("a.pro"), data), 37);
    if (archive.OpenArchive())
        archive.ScanRecords([](qint64, const char*) { return true; });
    archive.CloseArchive();
    Durable::readJournal(scratchFile(QStringLiteral("a.journal"), data));
}

void Ini(const QByteArray& data)
{
    IniFile ini(scratchFile(QStringLiteral("Rotaflux.ini"), data));
    if (!ini.load())
        return;
    ini.value(QStringLiteral("Contratti DOZ"), QStringLiteral("Foro"));
    ini.setValue(QStringLiteral("Contratti DOZ"), QStringLiteral("Luogo"), QStringLiteral("Riva"));
    ini.save();
}

void Password(const QByteArray& data)
{
    const std::optional<QString> stored =
        PasswordStore(scratchFile(QStringLiteral("unins000.dll"), data)).read();
    if (stored)
        (void)(PasswordStore::storedForm(QStringLiteral("primaveraverde")) == *stored);
}

void Backup(const QByteArray& data)
{
    const QString path = scratchFile(QStringLiteral("Rotaflux_copia.zip"), data);
    if (!rf::Backup::checkBackup(path).ok())
        return;
    // A backup that passes names only files that a restore puts inside the data folder.
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        __builtin_trap();
    const QString root = QStringLiteral("/dati");
    for (const QString& name : zip.getFileNameList()) {
        if (name.endsWith(QLatin1Char('/')) || name == QLatin1String(rf::Backup::MarkerName))
            continue;
        const QString target = QDir::cleanPath(root + QLatin1Char('/') + name);
        if (!target.startsWith(root + QLatin1Char('/')) || target.size() <= root.size() + 1 ||
            !rf::Backup::isDataPath(name))
            __builtin_trap();
    }
}

void Customers(const QByteArray& data)
{
    const QString folder = contractsFolder(QStringLiteral("clienti"), data);
    Contracts::CustomerRegister customers;
    if (customers.read(QDir(folder).filePath(QString::fromLatin1(Contracts::ArchiveName))) !=
        ScanResult::Done)
        return;
    const std::vector<Contracts::Customer>& all = customers.customers();
    for (std::size_t i = 0; i < all.size(); ++i) {
        // Everyone rented at least once, newest rental first.
        if (all[i].rentals < 1 || (i > 0 && all[i - 1].lastRental < all[i].lastRental))
            __builtin_trap();
    }
    const QString query = all.empty() ? QStringLiteral("ros") : all.front().fields[0].left(4);
    for (const Contracts::Customer* found : customers.find(query)) {
        if (found < all.data() || found >= all.data() + all.size())
            __builtin_trap();
    }
}

void Season(const QByteArray& data)
{
    const QString folder = contractsFolder(QStringLiteral("stagione"), data);
    const SeasonFigures figures =
        seasonFigures(folder, 2026, [](const QString& number) -> std::optional<int> {
            if (number.isEmpty())
                return std::nullopt;
            return int(number.size());
        });
    // Every rental counted once: in a month, on a weekday, its length known or not.
    int weekdays = 0;
    for (const int rentals : figures.weekdays)
        weekdays += rentals;
    if (weekdays != figures.totalRentals() || figures.rentalsOfKnownLength > figures.totalRentals() ||
        figures.daysRented < figures.rentalsOfKnownLength || figures.averageLength() < 0)
        __builtin_trap();
    for (const VehicleFigures& vehicle : figures.vehicles) {
        if (vehicle.rentals < 0 || vehicle.rentals > figures.totalRentals())
            __builtin_trap();
        const std::optional<double> used = figures.utilization(vehicle);
        if (used && *used < 0)
            __builtin_trap();
    }
}

void Today(const QByteArray& data)
{
    const QString folder = contractsFolder(QStringLiteral("oggi"), data);
    const rf::Today::Work work = rf::Today::dayWork(folder, QDate(2026, 2, 1));
    // What is due today and what is late are contracts still out, never both.
    if (work.dueToday.size() + work.late.size() > work.out.size())
        __builtin_trap();
}

void Board(const QByteArray& data)
{
    const QString folder = scratchFolder(QStringLiteral("tabellone"));
    const QString fleet = writeFleet(folder);
    const QDir dir(folder);
    const auto planning = [&dir](const char* number, const char* year) {
        return dir.filePath(Planning::fileName(QString::fromLatin1(number), QString::fromLatin1(year)));
    };
    writeFile(planning("1", "2025"), data.left(data.size() / 2));
    writeFile(planning("1", "2026"), data);
    writeFile(planning("3", "2025"), data);
    QFile::remove(planning("3", "2026"));

    const QDate start(2025, 12, 15);
    constexpr int count = 40;
    for (const Planning::BoardRow& row : Planning::boardRows(folder, fleet, start, count)) {
        if (row.days.size() != std::size_t(count))
            __builtin_trap();
        // The bars cover exactly the booked days, in order, within the span.
        int covered = 0;
        int previous = -1;
        for (const Planning::BoardBar& bar : row.bars) {
            if (bar.first <= previous || bar.last < bar.first || bar.last >= count || bar.text.isEmpty())
                __builtin_trap();
            for (int day = bar.first; day <= bar.last; ++day) {
                if (row.days[std::size_t(day)] != bar.text)
                    __builtin_trap();
            }
            covered += bar.last - bar.first + 1;
            previous = bar.last;
        }
        const auto booked = std::count_if(row.days.begin(), row.days.end(),
                                          [](const QString& text) { return !text.isEmpty(); });
        if (covered != booked)
            __builtin_trap();
        for (const auto& [first, last] : row.unknown) {
            if (first < 0 || last >= count || first > last)
                __builtin_trap();
        }
    }
}

} // namespace rf::fuzz
