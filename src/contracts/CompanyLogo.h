#pragma once

#include <QImage>
#include <QPainterPath>
#include <QString>

// The company logo printed on contracts: the picture file Logo.bmp in the program folder, or the
// built-in euro picture when that file is missing or unreadable.
namespace rf::CompanyLogo {

constexpr const char* FileName = "Logo.bmp";
constexpr int BuiltInWidth = 297;
constexpr int BuiltInHeight = 184;
// The sign's colour in the built-in logo.
constexpr QRgb EuroBlue = 0xFF1F5FAE;

QString filePath(const QString& programFolder);

// A large blue euro sign on white, 297 x 184.
QImage builtInLogo();
// The "no logo" picture: 2 x 2 white.
QImage blankLogo();

// The outline of the euro sign, one unit high, centred on the origin.
QPainterPath euroSign();

// A JPEG or BMP picture read by its content; a null image when missing or unreadable.
QImage loadPicture(const QString& path);
// Logo.bmp, or the built-in logo in its place.
QImage loadLogo(const QString& programFolder);
// Writes the picture as Logo.bmp, whole or not at all; false (and the old file kept) on failure.
bool saveLogo(const QString& programFolder, const QImage& logo);

} // namespace rf::CompanyLogo
