#include "TodayWork.h"

#include "contracts/ContractDefaults.h"
#include "contracts/ContractSearch.h"
#include "contracts/SchedaContratto.h"
#include "contracts/VehicleRentals.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/Availability.h"
#include "storage/Amounts.h"
#include "storage/Cp1252.h"
#include "storage/NumberOrder.h"
#include "storage/TextSearch.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace rf::Today {

namespace {

// "Bici n. NUMBER  MAKE  ": the head of a vehicle's line, its columns as wide as a contract line's.
QString vehicleColumns(const Planning::Vehicle& vehicle)
{
    return QStringLiteral("Bici n. %1  %2  ")
        .arg(vehicle.number.leftJustified(10), vehicle.make.leftJustified(20));
}

} // namespace

QByteArray pickupLine(const Planning::Vehicle& vehicle, const QString& text)
{
    return Cp1252::encode(vehicleColumns(vehicle) + QStringLiteral("Prenotata per: ") + text);
}

QByteArray serviceLine(const Planning::Vehicle& vehicle, const std::vector<Service::Due>& due)
{
    if (due.empty())
        return Cp1252::encode(vehicleColumns(vehicle));
    // The rest by name only, so that the line is read whole in its list.
    QStringList others;
    for (std::size_t i = 1; i < due.size(); ++i)
        others.append(due[i].kind);
    const QString also =
        others.isEmpty() ? QString() : QStringLiteral("; anche ") + others.join(QStringLiteral(", "));
    return Cp1252::encode(vehicleColumns(vehicle) + Service::dueText(due.front()) + also);
}

QByteArray contractLine(const RecordView& record)
{
    static const RecordLayout& layout = TSchedaContratto();
    static const int bicycle = layout.indexOf(QStringLiteral("BiciNum"));
    static const int customer = layout.indexOf(QStringLiteral("Cliente"));
    static const int start = layout.indexOf(QStringLiteral("DataInizio"));
    static const int end = layout.indexOf(QStringLiteral("DataFine"));
    static const int phone = layout.indexOf(QStringLiteral("Recapito"));
    return LineBuilder(record)
        .text("Bici n. ")
        .field(bicycle, 10)
        .text("  ")
        .field(customer, 26)
        .text("  dal ")
        .field(start, 10)
        .text(" al ")
        .field(end, 10)
        .text("  Tel. ")
        .field(phone)
        .take();
}

namespace {

// Minutes since midnight of the first time written in text ("9:30", "09.30"); -1 when there is none.
int minutesIn(const QString& text)
{
    static const QRegularExpression time(QStringLiteral("(?<!\\d)(\\d{1,2})[:.](\\d{2})(?!\\d)"));
    const QRegularExpressionMatch match = time.match(text);
    if (!match.hasMatch())
        return -1;
    const int hours = match.capturedView(1).toInt();
    const int minutes = match.capturedView(2).toInt();
    return hours < 24 && minutes < 60 ? hours * 60 + minutes : -1;
}

// A line of the day's lists with what puts it in its place.
struct Ranked {
    qint64 key; // the sooner, the more urgent; unknown last
    QString number;
    ListEntry entry;
};

constexpr qint64 Unknown = std::numeric_limits<qint64>::max();

// A vehicle number split before its last run of digits ("B-" and 12 of "B-12"), so that the
// many numbers that differ only there are ordered without the full comparison; number is -1 when
// there is no such run, or it is too long to hold.
struct NumberParts {
    QStringView prefix;
    qint64 number = -1;
};

NumberParts partsOf(const QString& text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    qsizetype digits = trimmed.size();
    while (digits > 0 && trimmed[digits - 1] >= QLatin1Char('0') && trimmed[digits - 1] <= QLatin1Char('9'))
        --digits;
    NumberParts parts{trimmed.left(digits)};
    if (digits == trimmed.size() || trimmed.size() - digits > 18)
        return parts;
    parts.number = 0;
    for (qsizetype i = digits; i < trimmed.size(); ++i)
        parts.number = parts.number * 10 + (trimmed[i].unicode() - '0');
    return parts;
}

// The lines by key, then by vehicle number as a shop counts it, then in archive order. Small
// keys are sorted rather than the lines themselves, which are only moved once, into place.
std::vector<ListEntry> inOrder(std::vector<Ranked> ranked)
{
    struct Key {
        qint64 key;
        NumberParts vehicle;
        int index;
    };
    std::vector<Key> keys;
    keys.reserve(ranked.size());
    for (std::size_t i = 0; i < ranked.size(); ++i)
        keys.push_back({ranked[i].key, partsOf(ranked[i].number), int(i)});
    std::sort(keys.begin(), keys.end(), [&ranked](const Key& a, const Key& b) {
        if (a.key != b.key)
            return a.key < b.key;
        // The same text before different numbers: the numbers decide, as in number order.
        if (a.vehicle.number >= 0 && b.vehicle.number >= 0 && a.vehicle.number != b.vehicle.number &&
            a.vehicle.prefix == b.vehicle.prefix)
            return a.vehicle.number < b.vehicle.number;
        if (const int order =
                numberOrderCompare(ranked[std::size_t(a.index)].number, ranked[std::size_t(b.index)].number))
            return order < 0;
        return a.index < b.index;
    });
    std::vector<ListEntry> lines;
    lines.reserve(ranked.size());
    for (const Key& key : keys)
        lines.push_back(std::move(ranked[std::size_t(key.index)].entry));
    return lines;
}

// Pickups by the time written in the booking, those with none after: the vehicles booked today for
// a text they were not booked for the day before, with no contract covering them today.
std::vector<Ranked> pickupsOf(const QString& folder, const std::vector<Planning::FleetVehicle>& fleet,
                              const QSet<QString>& covered, const QDate& today)
{
    std::vector<Ranked> pickups;
    for (const Planning::FleetVehicle& vehicle : fleet) {
        const Planning::Availability days =
            Planning::availabilityOf(folder, vehicle.vehicle.number, today.addDays(-1), today);
        QString yesterday, now;
        for (const Planning::BookedDay& day : days.booked)
            (day.date == today ? now : yesterday) = day.text;
        if (!now.isEmpty() && now != yesterday && !covered.contains(vehicle.vehicle.number.toUpper())) {
            const int minutes = minutesIn(now);
            pickups.push_back({minutes < 0 ? Unknown : minutes,
                               vehicle.vehicle.number,
                               {pickupLine(vehicle.vehicle, now), vehicle.position}});
        }
    }
    return pickups;
}

// The rentals of the fleet's vehicles, gathered while the day's contracts are scanned rather than in
// a second scan of the whole archive. Every contract is looked up by its number's stored bytes.
class FleetRentals {
public:
    explicit FleetRentals(const std::vector<Planning::FleetVehicle>& fleet)
    {
        m_numbers.reserve(fleet.size());
        for (const Planning::FleetVehicle& vehicle : fleet) {
            m_numbers.push_back(Cp1252::encode(vehicle.vehicle.number));
            m_rentals.emplace(view(m_numbers.back()), std::vector<Service::RentalSpan>());
        }
    }

    void add(const RecordView& contract)
    {
        static const int bicycle = TSchedaContratto().indexOf(QStringLiteral("BiciNum"));
        const auto vehicle = m_rentals.find(view(contract.fieldBytes(bicycle)));
        if (vehicle == m_rentals.end())
            return;
        if (const std::optional<Service::RentalSpan> rental = Contracts::rentalOf(contract))
            vehicle->second.push_back(*rental);
    }

    const std::vector<Service::RentalSpan>& of(const QString& number) const
    {
        static const std::vector<Service::RentalSpan> none;
        const QByteArray bytes = Cp1252::encode(number);
        const auto vehicle = m_rentals.find(view(bytes));
        return vehicle == m_rentals.end() ? none : vehicle->second;
    }

private:
    static std::string_view view(const QByteArray& bytes)
    {
        return {bytes.constData(), std::size_t(bytes.size())};
    }

    std::vector<QByteArray> m_numbers; // the keys' bytes, which the keys point into
    std::unordered_map<std::string_view, std::vector<Service::RentalSpan>> m_rentals;
};

// The fleet's vehicles with work due, the most overdue first; none when the log could not be read
// whole (logRead says how its read ended). The log and the rules are read once for the whole
// fleet.
std::vector<Ranked> serviceDue(const QString& folder, const std::vector<Planning::FleetVehicle>& fleet,
                               const FleetRentals& rentals, const QDate& today, ScanResult& logRead)
{
    const Service::Log log = Service::read(folder);
    logRead = log.result;
    if (log.result != ScanResult::Done)
        return {};
    const QHash<QString, std::vector<Service::Entry>> entries = Service::byVehicle(log);
    // The rules live in the folder's settings file, beside the contracts' defaults.
    const std::vector<Service::DueRule> rules = Service::dueRules(ContractDefaults::filePath(folder));
    const std::vector<Service::Entry> noEntries;
    std::vector<Ranked> due;
    for (const Planning::FleetVehicle& vehicle : fleet) {
        const QString& number = vehicle.vehicle.number;
        const auto entriesOf = entries.constFind(number);
        const std::vector<Service::Due> work = Service::dueFor(
            entriesOf == entries.cend() ? noEntries : *entriesOf, rules, rentals.of(number), today);
        if (!work.empty())
            due.push_back({-qint64(work.front().overdue),
                           number,
                           {serviceLine(vehicle.vehicle, work), vehicle.position}});
    }
    return due;
}

} // namespace

Work dayWork(const QString& folder, const QDate& today)
{
    const QDir dir(folder);
    const RecordLayout& layout = TSchedaContratto();
    static const int bicycle = layout.indexOf(QStringLiteral("BiciNum"));
    static const int start = layout.indexOf(QStringLiteral("DataInizio"));
    static const int end = layout.indexOf(QStringLiteral("DataFine"));
    static const int endTime = layout.indexOf(QStringLiteral("OraFine"));
    Work work;
    // Out by end date, due today by end time, late by days late (the latest first): the most
    // urgent at the top.
    std::vector<Ranked> outLines, dueToday, late;
    // The bicycles a contract covers today: their pickups are drawn up already.
    QSet<QString> covered;
    const std::vector<Planning::FleetVehicle> fleet =
        Planning::fleetVehicles(dir.filePath(QString::fromLatin1(Fleet::ArchiveName)));
    FleetRentals rentals(fleet);
    work.contracts = scanArchive(dir.filePath(QString::fromLatin1(Contracts::ArchiveName)), layout,
                                 [&](const RecordView& record) {
                                     rentals.add(record);
                                     const bool out = Contracts::notReturned(record);
                                     const QDate from = parseStoredDate(record.fieldBytes(start));
                                     // The end date matters for a contract still out, or one that began by
                                     // today.
                                     if (!out && !(from.isValid() && from <= today))
                                         return;
                                     const QDate to = parseStoredDate(record.fieldBytes(end));
                                     if (from.isValid() && from <= today && (!to.isValid() || today <= to))
                                         covered.insert(record.field(bicycle).toUpper());
                                     if (!out)
                                         return;
                                     const ListEntry entry{contractLine(record), record.position()};
                                     const QString number = record.field(bicycle);
                                     const qint64 endDay = to.isValid() ? to.toJulianDay() : Unknown;
                                     outLines.push_back({endDay, number, entry});
                                     work.contractOutOf.insert(number.toUpper(), record.position());
                                     if (to == today) {
                                         const int minutes = minutesIn(record.field(endTime));
                                         dueToday.push_back({minutes < 0 ? Unknown : minutes, number, entry});
                                     } else if (Contracts::pastItsEnd(to, today)) {
                                         late.push_back({endDay, number, entry});
                                     }
                                 });
    work.out = inOrder(std::move(outLines));
    work.dueToday = inOrder(std::move(dueToday));
    work.late = inOrder(std::move(late));

    for (const Planning::FleetVehicle& vehicle : fleet)
        work.fleetCardOf.insert(vehicle.vehicle.number.trimmed().toUpper(), vehicle.position);
    work.pickups = inOrder(pickupsOf(folder, fleet, covered, today));
    work.service = inOrder(serviceDue(folder, fleet, rentals, today, work.serviceLog));
    return work;
}

Contracts::Returned markReturned(const QString& folder, qint64 position, const QByteArray& line)
{
    return Contracts::markReturned(QDir(folder).filePath(QString::fromLatin1(Contracts::ArchiveName)),
                                   position, line, contractLine);
}

} // namespace rf::Today
