#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace rf::Contracts {

// The vehicle and tariff fields a contract takes from a fleet card, named alike in both records.
inline constexpr const char* ImportedFields[] = {"BiciNum",   "Marca",     "Telaio",  "Taglia",   "Tariffa",
                                                 "Conteggio", "Eccedenza", "Importo", "Accessori"};

// The texts of the one fleet card whose number is number (trimmed, letters compared without case,
// as file names on the shops' systems are); nothing when no card or more than one has it, or the
// fleet archive cannot be read.
std::optional<QStringList> vehicleNumbered(const QString& fleetArchive, const QString& number);

// What the fleet archive says of a number typed or scanned into a contract.
struct NumberLookup {
    enum class Match {
        One,     // exactly one card has it: texts holds the card
        Several, // more than one card has it
        None,    // the archive was read and no card has it
        Unknown, // a blank number, no fleet archive, or one that cannot be read
    };
    Match match = Match::Unknown;
    QStringList texts;
};
NumberLookup lookUpVehicle(const QString& fleetArchive, const QString& number);

} // namespace rf::Contracts
