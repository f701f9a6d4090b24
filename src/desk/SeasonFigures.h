#pragma once

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace rf {

// One vehicle's year: its rentals from the contracts, its days booked in the planner, and what it
// cost in the workshop by the workshop log.
struct VehicleFigures {
    QString number;
    int rentals = 0;
    int daysRented = 0;            // rentals of known length
    std::optional<int> daysBooked; // nothing when its planning file cannot be named or read
    qint64 revenueCents = 0;       // the totals of its rentals of the year, as the months count them
    qint64 workshopCents = 0;      // the costs of its log entries dated in the year
    int workshopDays = 0;          // the days of the year its entries keep it in the workshop, each once

    qint64 marginCents() const { return revenueCents - workshopCents; }
};

// The figures of a rental season, read from the contracts and the fleet of a program folder.
//
// A contract belongs to the year, month and weekday of its start ("DataInizio", or "Data" when that
// is empty), whole: a rental from 30 June to 3 July counts once in June, with all its revenue and
// all its days, and one spanning New Year counts in the year it started. So every contract is
// counted exactly once and the months add up to the year. A contract whose start cannot be read is
// left out (and counted in unreadableDates); one whose total cannot be read counts as a rental
// without revenue (and in unreadableAmounts); its length, when neither its end date nor its day
// count can be read, is left out of the days.
struct SeasonFigures {
    int year = 0;
    std::array<int, 12> rentals{};
    std::array<qint64, 12> revenueCents{};
    std::array<int, 7> weekdays{}; // rentals by the weekday they start on, Monday first
    qint64 daysRented = 0;         // over the rentals of known length
    int rentalsOfKnownLength = 0;
    // The fleet's vehicles in archive order, then the numbers met only in contracts, then those met
    // only in the workshop log's entries of the year.
    std::vector<VehicleFigures> vehicles;
    int unreadableDates = 0;
    int unreadableAmounts = 0;
    // Whether each archive was read to its end.
    bool contractsRead = true;
    bool fleetRead = true;
    bool serviceLogRead = true;

    int totalRentals() const;
    qint64 totalRevenueCents() const;
    qint64 totalWorkshopCents() const;
    // Days per rental of known length; 0 when there is none.
    double averageLength() const;
    int daysInYear() const;
    // The share of the year the vehicle is booked in the planner, 0 to 1; nothing when unknown.
    std::optional<double> utilization(const VehicleFigures& vehicle) const;
};

// The days of a year a vehicle is booked in the planner, or nothing when that cannot be known.
using BookedDaysOf = std::function<std::optional<int>(const QString& vehicleNumber)>;

// Scans the contracts, the fleet and the workshop log of programFolder once each. Without bookedDays
// every vehicle's booked days are unknown.
SeasonFigures seasonFigures(const QString& programFolder, int year, const BookedDaysOf& bookedDays = {});

// The vehicles from the most days rented to the fewest; ties by days booked in the planner, then by
// number (numbers that are whole numbers in numeric order).
std::vector<VehicleFigures> rankedVehicles(const std::vector<VehicleFigures>& vehicles);
// The vehicles from the highest margin to the lowest; ties by number (numbers that are whole numbers
// in numeric order).
std::vector<VehicleFigures> rankedByMargin(const std::vector<VehicleFigures>& vehicles);
// The first count and the last count of ranked, each vehicle once: all of them when there are no
// more than twice count.
std::vector<VehicleFigures> topAndBottom(const std::vector<VehicleFigures>& ranked, std::size_t count);

} // namespace rf
