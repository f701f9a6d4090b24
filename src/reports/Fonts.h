#pragma once

namespace rf::Fonts {

// The windows, pictures and printed documents are drawn for Arial, Tahoma, Verdana and Courier
// New. Where a system lacks them (a fresh Linux has only DejaVu, wider than Arial), the faces with
// the same widths are asked for first: Liberation Sans for Arial and Tahoma, Liberation Mono for
// Courier New, Liberation Serif for Times New Roman (the package depends on them), DejaVu Sans for
// Verdana, whose widths it shares. Installed once for the whole program; later calls do nothing.
void preferMetricCompatibleFaces();

} // namespace rf::Fonts
