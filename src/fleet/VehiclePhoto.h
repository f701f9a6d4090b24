#pragma once

#include <QImage>
#include <QSize>

#include <QString>
#include <utility>
#include <vector>

namespace rf::VehiclePhoto {

// The photo folder inside the program folder.
constexpr const char* FolderName = "Autoparco";

// The photo file of the card at the given position: Autoparco/Scheda_Veicolo_<position>.jpg.
QString filePath(const QString& programFolder, const QString& position);

// Creates the photo folder (with its parents); false when it cannot be made.
bool ensureFolder(const QString& programFolder);

// Reads a JPEG or BMP picture; a null image when the file is missing or not a picture.
QImage load(const QString& path);
// Whether the picture at path lies in the photo folder of programFolder (the cards' own photos).
bool isInPhotoFolder(const QString& programFolder, const QString& path);
// Reads it at a size that fits box (proportions kept, never larger than the picture): a large
// camera picture is decoded straight at the smaller size, quickly and in little memory. For a box
// the size of the card's picture, a large picture in the photo folder of programFolder is shown
// through its display copy, made the first time it is shown (see storage/DisplayCopy.h). A
// picture anywhere else (one just chosen from the user's own folders) is only scaled in memory:
// nothing is ever written beside it. The picture itself is never changed.
QImage loadFitted(const QString& path, const QSize& box, const QString& programFolder);
// Whether the file holds a picture that can be read.
bool isPicture(const QString& path);

// Writes the picture as JPEG, replacing the file whole or not at all.
bool saveJpeg(const QImage& image, const QString& path);

} // namespace rf::VehiclePhoto

namespace rf {

// The photo on a card: the placeholder, a picture file (read only at the size it is needed, and
// copied as it is when it is stored again) or a picture held in memory.
class CardPhoto {
public:
    static CardPhoto placeholder(const QImage& picture);
    // A picture file shown for the data folder programFolder: see VehiclePhoto::loadFitted.
    static CardPhoto file(const QString& path, const QString& programFolder);
    static CardPhoto image(const QImage& picture);

    bool isPlaceholder() const { return m_placeholder; }
    const QString& path() const { return m_path; }
    // The whole picture.
    QImage full() const;
    // The picture fitted into box.
    QImage fitted(const QSize& box) const;
    // Writes the photo as the JPEG file at target, whole or not at all. A JPEG file is copied as it
    // is, so no quality is lost; storing a file onto itself leaves it untouched.
    bool storeAs(const QString& target) const;

private:
    QImage m_image;
    QString m_path;
    QString m_programFolder;
    bool m_placeholder = false;
    // The last picture read from the file for each size asked (the screen, the printed sheet):
    // a card printed after it was previewed is not read again.
    mutable std::vector<std::pair<QSize, QImage>> m_fitted;
};

} // namespace rf
