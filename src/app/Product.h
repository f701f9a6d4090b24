#pragma once

// Names and addresses the program shows about itself.
namespace rf::Product {
constexpr const char* Name = "Rotaflux";
constexpr const char* Version = ROTAFLUX_VERSION;
constexpr const char* Maker = "Rotaflux Software";
constexpr const char* WebSite = "https://www.rotaflux.it";
constexpr const char* SupportEmail = "assistenza@rotaflux.it";
} // namespace rf::Product
