#pragma once

#include "fleet/ServiceLog.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace rf::Service {

// The data folder's settings file, whose section "Manutenzione" holds the due rules.
constexpr const char* SettingsFileName = "Rotaflux.ini";

// When a kind of work falls due again: every so many days, or every so many days the vehicle was
// out on rental, since the last entry of that kind (0: that basis is not used).
struct DueRule {
    QString kind;
    int everyDays = 0;
    int everyRentalDays = 0;
};

// The rules of the data folder's settings file (section "Manutenzione": "Lavori" lists the kinds,
// separated by ";", then "<kind>_Giorni" and "<kind>_GiorniNoleggio" for each), with the
// shop's defaults where a key is missing: Tagliando every 365 days, Freni every 90 rental days,
// Pneumatici every 180 rental days, Batteria every 365 days, Riparazione danni never. A file that
// cannot be read gives the defaults.
std::vector<DueRule> dueRules(const QString& settingsPath);

// The days a vehicle was out, from its contracts.
struct RentalSpan {
    QDate start;
    QDate end;
};

// A kind of work that is due: by how much it is overdue (0: due today), counted in calendar days
// or in rental days, and the last time it was done (null: never, counted from the first rental).
struct Due {
    QString kind;
    int overdue = 0;
    bool rentalDays = false;
    QDate last;
};

// What is due for a vehicle on today: one line per kind at most, the basis overdue the most. A
// kind never done counts from the vehicle's first rental; a vehicle never rented has nothing due
// for such a kind. Rental days are those of the rentals from the day after the last entry up to
// today, both included. Most overdue first.
std::vector<Due> dueFor(const std::vector<Entry>& entries, const std::vector<DueRule>& rules,
                        const std::vector<RentalSpan>& rentals, const QDate& today);

// "Tagliando scaduto da 12 giorni", "Freni scaduto da 3 giorni di noleggio", "Batteria da fare
// oggi".
QString dueText(const Due& due);
// Everything due, most overdue first, joined by "; "; empty when nothing is.
QString dueLine(const std::vector<Due>& due);

} // namespace rf::Service
