#include "SeasonFigures.h"

#include "contracts/SchedaContratto.h"
#include "fleet/SchedaVeicolo.h"
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

struct VehicleTally {
    int order = 0; // fleet order first, then the order met in the contracts
    VehicleFigures figures;
};

} // namespace

int SeasonFigures::totalRentals() const
{
    return std::accumulate(rentals.begin(), rentals.end(), 0);
}

qint64 SeasonFigures::totalRevenueCents() const
{
    return std::accumulate(revenueCents.begin(), revenueCents.end(), qint64(0));
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
    QHash<QByteArray, VehicleTally> vehicles;
    const auto tallyOf = [&vehicles](const QByteArray& number) -> VehicleTally& {
        auto found = vehicles.find(number);
        if (found == vehicles.end()) {
            // The number points into the record being read: the key keeps a copy.
            const QByteArray key(number.constData(), number.size());
            found = vehicles.insert(key, {int(vehicles.size()), {Cp1252::decode(key), 0, 0, std::nullopt}});
        }
        return *found;
    };

    const RecordLayout& fleet = TSchedaVeicolo();
    const int fleetNumber = fleet.indexOf(QStringLiteral("BiciNum"));
    out.fleetRead = scanArchive(folder.filePath(QString::fromLatin1(Fleet::ArchiveName)), fleet,
                                [&](const RecordView& card) {
                                    const QByteArray number = card.fieldBytes(fleetNumber);
                                    if (!number.isEmpty())
                                        tallyOf(number);
                                }) == ScanResult::Done;

    const RecordLayout& contract = TSchedaContratto();
    const int data = contract.indexOf(QStringLiteral("Data"));
    const int dataInizio = contract.indexOf(QStringLiteral("DataInizio"));
    const int dataFine = contract.indexOf(QStringLiteral("DataFine"));
    const int totGiorni = contract.indexOf(QStringLiteral("TotGiorni"));
    const int totale = contract.indexOf(QStringLiteral("Totale"));
    const int biciNum = contract.indexOf(QStringLiteral("BiciNum"));
    const auto visit = [&](const RecordView& card) {
        QByteArray startText = card.fieldBytes(dataInizio);
        if (startText.isEmpty())
            startText = card.fieldBytes(data);
        const QDate start = parseStoredDate(startText);
        if (!start.isValid()) {
            ++out.unreadableDates;
            return;
        }
        if (start.year() != year)
            return;
        const std::size_t month = std::size_t(start.month() - 1);
        ++out.rentals[month];
        ++out.weekdays[std::size_t(start.dayOfWeek() - 1)];

        const QByteArray amount = card.fieldBytes(totale);
        if (!amount.isEmpty()) {
            const std::optional<qint64> cents = amountCents(Cp1252::decode(amount));
            if (cents)
                out.revenueCents[month] += *cents;
            else
                ++out.unreadableAmounts;
        }

        // The length as the card's Calcola counts it: calendar days from start to end, one at least.
        const QDate end = parseStoredDate(card.fieldBytes(dataFine));
        const int days = end.isValid() && end >= start ? std::max(qint64(1), start.daysTo(end))
                                                       : dayCountOf(card.fieldBytes(totGiorni));
        if (days > 0) {
            out.daysRented += days;
            ++out.rentalsOfKnownLength;
        }

        const QByteArray number = card.fieldBytes(biciNum);
        if (!number.isEmpty()) {
            VehicleFigures& vehicle = tallyOf(number).figures;
            ++vehicle.rentals;
            vehicle.daysRented += days;
        }
    };
    out.contractsRead = scanArchive(folder.filePath(QString::fromLatin1(Contracts::ArchiveName)), contract,
                                    visit) == ScanResult::Done;

    out.vehicles.resize(std::size_t(vehicles.size()));
    for (auto it = vehicles.begin(); it != vehicles.end(); ++it)
        out.vehicles[std::size_t(it->order)] = std::move(it->figures);
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

std::vector<VehicleFigures> topAndBottom(const std::vector<VehicleFigures>& ranked, std::size_t count)
{
    if (ranked.size() <= 2 * count)
        return ranked;
    std::vector<VehicleFigures> out(ranked.begin(), ranked.begin() + std::ptrdiff_t(count));
    out.insert(out.end(), ranked.end() - std::ptrdiff_t(count), ranked.end());
    return out;
}

} // namespace rf
