#pragma once

// Every length in a report passes through here. Report geometry is held in engine units of
// 1/96 inch; templates are drawn in millimetres; fonts are sized in points.
namespace rf::Reports {

constexpr double UnitsPerInch = 96.0;
constexpr double MmPerInch = 25.4;
constexpr double PointsPerInch = 72.0;

constexpr double mm(double millimetres)
{
    return millimetres * UnitsPerInch / MmPerInch;
}
constexpr double toMm(double units)
{
    return units * MmPerInch / UnitsPerInch;
}
constexpr double pointsToUnits(double points)
{
    return points * UnitsPerInch / PointsPerInch;
}
// Device pixels for a length in units on a device of the given resolution.
constexpr double toDevice(double units, double dotsPerInch)
{
    return units * dotsPerInch / UnitsPerInch;
}

} // namespace rf::Reports
