#pragma once

#include "storage/RecordLayout.h"

namespace rf {

// TSchedaVeicolo: one card of the fleet archive, 33 counted strings, 4253 bytes.
// The first 27 fields are the card's edits, the last six its attachments.
const RecordLayout& TSchedaVeicolo();

namespace Fleet {
constexpr const char* ArchiveName = "Parco_Veicoli.pro";
constexpr int RecordSize = 4253;
constexpr int EditCount = 27;

// "Bici n. 12  Graziella": a vehicle as windows, dialogs and sheets name it.
QString vehicleLabel(const QString& number, const QString& make);
} // namespace Fleet

} // namespace rf
