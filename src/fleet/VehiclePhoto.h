#pragma once

#include <QImage>
#include <QString>

namespace rf::VehiclePhoto {

// The photo folder inside the program folder.
constexpr const char* FolderName = "Autoparco";

// The photo file of the card at the given position: Autoparco/Scheda_Veicolo_<position>.jpg.
QString filePath(const QString& programFolder, const QString& position);

// Creates the photo folder (with its parents); false when it cannot be made.
bool ensureFolder(const QString& programFolder);

// Reads a JPEG or BMP picture; a null image when the file is missing or not a picture.
QImage load(const QString& path);

// Writes the picture as JPEG, replacing the file whole or not at all.
bool saveJpeg(const QImage& image, const QString& path);

} // namespace rf::VehiclePhoto
