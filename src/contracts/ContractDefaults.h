#pragma once

#include <QString>

#include <array>

// The texts every new contract starts with, kept in the settings file of the program folder.
namespace rf::ContractDefaults {

constexpr const char* FileName = "Rotaflux.ini";
constexpr const char* Section = "Contratti DOZ";

struct Entry {
    const char* key;   // key in the settings file
    const char* field; // contract record field (and edit "txt" + field) it fills
};

constexpr int Count = 8;

// In the order they are written.
constexpr std::array<Entry, Count> Entries{{
    {"Ditta Rigo 1", "Ditta01"},
    {"Ditta Rigo 2", "Ditta02"},
    {"Luogo", "Luogo"},
    {"Sede Ritiro", "SedeRit"},
    {"Sede Riconsegna", "SedeRic"},
    {"Foro", "Foro"},
    {"Polizze", "Assicurazioni"},
    {"Titolare Privacy", "Privacy"},
}};

using Values = std::array<QString, Count>;

QString filePath(const QString& programFolder);

// The eight values in the order of Entries; a missing file or key, or a file that cannot be read,
// gives empty texts.
Values read(const QString& programFolder);

// Writes the eight trimmed values into the settings file, creating it when absent and keeping
// everything else it holds. An existing file that cannot be read is left alone (false), as is the
// old file when saving fails.
bool write(const QString& programFolder, const Values& values);

} // namespace rf::ContractDefaults
