#pragma once

#include "storage/Backup.h"

// Names and addresses the program shows about itself, and its own files.
namespace rf::Product {
constexpr const char* Name = "Rotaflux";
constexpr const char* Version = ROTAFLUX_VERSION;
constexpr const char* Maker = "Rotaflux Software";
constexpr const char* WebSite = "https://www.rotaflux.it";
constexpr const char* SupportEmail = "assistenza@rotaflux.it";

// What the program installs beside itself: when its folder is the data folder, these stand among
// the data and are left out of backups. The password file is named like a library but is data.
Backup::ProgramFiles ownFiles();
} // namespace rf::Product
