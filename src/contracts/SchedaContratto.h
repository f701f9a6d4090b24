#pragma once

#include "storage/RecordLayout.h"

namespace rf {

// TSchedaContratto: one rental contract, 55 counted strings, 5029 bytes. The first 48 fields are
// the card's edits, then the returned flag and the six attachment values.
const RecordLayout& TSchedaContratto();

namespace Contracts {
constexpr const char* ArchiveName = "Contratti_Noleggio_Bici.pro";
constexpr int RecordSize = 5029;
constexpr int EditCount = 48;
constexpr int ReturnedField = 48; // Riconsegnato
// The stored values of the returned flag.
inline QString returnedYes()
{
    return QStringLiteral("S\u00EC");
}
inline QString returnedNo()
{
    return QStringLiteral("No");
}
} // namespace Contracts

} // namespace rf
