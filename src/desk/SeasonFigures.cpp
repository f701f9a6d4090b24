#include "SeasonFigures.h"

#include "contracts/SchedaContratto.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "storage/Amounts.h"
#include "storage/Cp1252.h"
#include "storage/NumberOrder.h"
#include "storage/RecordScan.h"

#include <QDate>
#include <QDir>
#include <QHash>

#include <algorithm>
#include <numeric>

namespace rf {

namespace {

// A whole number of days as the card's day count holds it; 0 when it is not one.
int dayCountOf(const QByteArray& text)
{
    bool ok = false;
    const int days = text.toInt(&ok);
    return ok && days > 0 ? days : 0;
}

// The vehicles met, each once, by its number as stored: the fleet's in archive order, then the
// numbers met only in contracts.
class VehicleTallies {
public:
    VehicleFigures& of(const QByteArray& number)
    {
        auto found = m_tallies.find(number);
        if (found == m_tallies.end()) {
            // The number points into the record being read: the key keeps a copy.
            const QByteArray key(number.constData(), number.size());
            found = m_tallies.insert(key, {int(m_tallies.size()), {Cp1252::decode(key), 0, 0, std::nullopt}});
        }
        return found->figures;
    }

    std::vector<VehicleFigures> inOrder()
    {
        std::vector<VehicleFigures> vehicles(std::size_t(m_tallies.size()));
        for (auto it = m_tallies.begin(); it != m_tallies.end(); ++it)
            vehicles[std::size_t(it->order)] = std::move(it->figures);
        return vehicles;
    }

private:
    struct Tally {
        int order = 0;
        VehicleFigures figures;
    };
    QHash<QByteArray, Tally> m_tallies;
};

// The fields of a contract the figures read.
struct ContractFields {
    int data, dataInizio, dataFine, totGiorni, totale, biciNum;

    static const ContractFields& get()
    {
        static const RecordLayout& contract = TSchedaContratto();
        static const ContractFields fields{
            contract.indexOf(QStringLiteral("Data")),     contract.indexOf(QStringLiteral("DataInizio")),
            contract.indexOf(QStringLiteral("DataFine")), contract.indexOf(QStringLiteral("TotGiorni")),
            contract.indexOf(QStringLiteral("Totale")),   contract.indexOf(QStringLiteral("BiciNum"))};
        return fields;
    }
};

// A contract's length as the card's Calcola counts it: calendar days from start to end, one at
// least; else its day count; 0 when neither can be read.
int rentalDays(const RecordView& card, const QDate& start)
{
    const ContractFields& fields = ContractFields::get();
    const QDate end = parseStoredDate(card.fieldBytes(fields.dataFine));
    return end.isValid() && end >= start ? int(std::max(qint64(1), start.daysTo(end)))
                                         : dayCountOf(card.fieldBytes(fields.totGiorni));
}

// Counts a contract in the figures of its start's year.
void countContract(const RecordView& card, SeasonFigures& out, VehicleTallies& vehicles)
{
    const ContractFields& fields = ContractFields::get();
    QByteArray startText = card.fieldBytes(fields.dataInizio);
    if (startText.isEmpty())
        startText = card.fieldBytes(fields.data);
    const QDate start = parseStoredDate(startText);
    if (!start.isValid()) {
        ++out.unreadableDates;
        return;
    }
    if (start.year() != out.year)
        return;
    const std::size_t month = std::size_t(start.month() - 1);
    ++out.rentals[month];
    ++out.weekdays[std::size_t(start.dayOfWeek() - 1)];

    const QByteArray amount = card.fieldBytes(fields.totale);
    std::optional<qint64> cents;
    if (!amount.isEmpty()) {
        cents = amountCents(Cp1252::decode(amount));
        if (cents)
            out.revenueCents[month] += *cents;
        else
            ++out.unreadableAmounts;
    }

    const int days = rentalDays(card, start);
    if (days > 0) {
        out.daysRented += days;
        ++out.rentalsOfKnownLength;
    }

    const QByteArray number = card.fieldBytes(fields.biciNum);
    if (!number.isEmpty()) {
        VehicleFigures& vehicle = vehicles.of(number);
        ++vehicle.rentals;
        vehicle.daysRented += days;
        vehicle.revenueCents += cents.value_or(0);
    }
}

// The days the spans cover, each day once; spans in order of their first day.
int daysCovered(const std::vector<Service::WorkshopSpan>& spans)
{
    int days = 0;
    QDate reached; // the last day counted
    for (const Service::WorkshopSpan& span : spans) {
        const QDate from = reached.isValid() ? std::max(span.from, reached.addDays(1)) : span.from;
        if (from <= span.to) {
            days += int(from.daysTo(span.to)) + 1;
            reached = span.to;
        }
    }
    return days;
}

// Counts each vehicle's workshop costs of the year (by the entry's date) and its days in the
// workshop within the year. Vehicles met here first come in number order.
void countWorkshop(const Service::Log& log, int year, VehicleTallies& vehicles)
{
    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    const QHash<QString, std::vector<Service::Entry>> entries = Service::byVehicle(log);
    QStringList numbers = entries.keys();
    std::sort(numbers.begin(), numbers.end(), numberOrderLess);
    for (const QString& number : numbers) {
        const std::vector<Service::Entry>& ofVehicle = *entries.constFind(number);
        qint64 cents = 0;
        bool ofTheYear = false;
        for (const Service::Entry& entry : ofVehicle) {
            if (entry.date.isValid() && entry.date.year() == year) {
                cents += entry.costCents();
                ofTheYear = true;
            }
        }
        const int days = daysCovered(Service::workshopSpans(ofVehicle, first, last));
        // A vehicle whose log has nothing of the year is not met here.
        if (number.isEmpty() || (!ofTheYear && days == 0))
            continue;
        VehicleFigures& vehicle = vehicles.of(Cp1252::encode(number));
        vehicle.workshopCents += cents;
        vehicle.workshopDays += days;
    }
}

} // namespace

int SeasonFigures::totalRentals() const
{
    return std::accumulate(rentals.begin(), rentals.end(), 0);
}

qint64 SeasonFigures::totalRevenueCents() const
{
    return std::accumulate(revenueCents.begin(), revenueCents.end(), qint64(0));
}

qint64 SeasonFigures::totalWorkshopCents() const
{
    qint64 cents = 0;
    for (const VehicleFigures& vehicle : vehicles)
        cents += vehicle.workshopCents;
    return cents;
}

double SeasonFigures::averageLength() const
{
    return rentalsOfKnownLength > 0 ? double(daysRented) / rentalsOfKnownLength : 0.0;
}

int SeasonFigures::daysInYear() const
{
    return QDate::isLeapYear(year) ? 366 : 365;
}

std::optional<double> SeasonFigures::utilization(const VehicleFigures& vehicle) const
{
    if (!vehicle.daysBooked)
        return std::nullopt;
    return double(*vehicle.daysBooked) / daysInYear();
}

SeasonFigures seasonFigures(const QString& programFolder, int year, const BookedDaysOf& bookedDays)
{
    SeasonFigures out;
    out.year = year;
    const QDir folder(programFolder);
    VehicleTallies vehicles;

    const RecordLayout& fleet = TSchedaVeicolo();
    const int fleetNumber = fleet.indexOf(QStringLiteral("BiciNum"));
    out.fleetRead = scanArchive(folder.filePath(QString::fromLatin1(Fleet::ArchiveName)), fleet,
                                [&](const RecordView& card) {
                                    const QByteArray number = card.fieldBytes(fleetNumber);
                                    if (!number.isEmpty())
                                        vehicles.of(number);
                                }) == ScanResult::Done;
    out.contractsRead =
        scanArchive(folder.filePath(QString::fromLatin1(Contracts::ArchiveName)), TSchedaContratto(),
                    [&](const RecordView& card) { countContract(card, out, vehicles); }) == ScanResult::Done;
    const Service::Log log = Service::read(programFolder);
    out.serviceLogRead = log.result == ScanResult::Done;
    countWorkshop(log, year, vehicles);

    out.vehicles = vehicles.inOrder();
    if (bookedDays)
        for (VehicleFigures& vehicle : out.vehicles)
            vehicle.daysBooked = bookedDays(vehicle.number);
    return out;
}

std::vector<VehicleFigures> rankedVehicles(const std::vector<VehicleFigures>& vehicles)
{
    std::vector<VehicleFigures> ranked = vehicles;
    std::stable_sort(ranked.begin(), ranked.end(), [&](const VehicleFigures& a, const VehicleFigures& b) {
        if (a.daysRented != b.daysRented)
            return a.daysRented > b.daysRented;
        const int aBooked = a.daysBooked.value_or(-1);
        const int bBooked = b.daysBooked.value_or(-1);
        if (aBooked != bBooked)
            return aBooked > bBooked;
        return numberOrderLess(a.number, b.number);
    });
    return ranked;
}

std::vector<VehicleFigures> rankedByMargin(const std::vector<VehicleFigures>& vehicles)
{
    std::vector<VehicleFigures> ranked = vehicles;
    std::stable_sort(ranked.begin(), ranked.end(), [](const VehicleFigures& a, const VehicleFigures& b) {
        if (a.marginCents() != b.marginCents())
            return a.marginCents() > b.marginCents();
        return numberOrderLess(a.number, b.number);
    });
    return ranked;
}

std::vector<VehicleFigures> topAndBottom(const std::vector<VehicleFigures>& ranked, std::size_t count)
{
    if (ranked.size() <= 2 * count)
        return ranked;
    std::vector<VehicleFigures> out(ranked.begin(), ranked.begin() + std::ptrdiff_t(count));
    out.insert(out.end(), ranked.end() - std::ptrdiff_t(count), ranked.end());
    return out;
}

} // namespace rf
