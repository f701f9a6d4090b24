#include "VehiclePhoto.h"

#include "storage/DisplayCopy.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace rf::VehiclePhoto {
namespace {
constexpr int JpegQuality = 90;
// Large camera pictures (8000 x 6000 and beyond) must still load.
constexpr int AllocationLimitMb = 1024;
} // namespace

QString filePath(const QString& programFolder, const QString& position)
{
    return QDir(programFolder)
        .filePath(
            QStringLiteral("%1/Scheda_Veicolo_%2.jpg").arg(QLatin1String(FolderName), position.trimmed()));
}

bool ensureFolder(const QString& programFolder)
{
    return QDir(programFolder).mkpath(QLatin1String(FolderName));
}

QImage load(const QString& path)
{
    QImageReader::setAllocationLimit(AllocationLimitMb);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    return image;
}

namespace {

// The picture at path read at a size that fits box, decoded straight at that size.
QImage readFitted(const QString& path, const QSize& box)
{
    QImageReader::setAllocationLimit(AllocationLimitMb);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid() && box.isValid()) {
        // The size asked for is that of the stored picture, which a rotation turns afterwards.
        const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
        const QSize upright = turned ? stored.transposed() : stored;
        if (upright.width() > box.width() || upright.height() > box.height()) {
            const QSize fitted = upright.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
            reader.setScaledSize(turned ? fitted.transposed() : fitted);
        }
    }
    return reader.read();
}

// Removes the display copies of the picture other than keep.
void removeOldCopies(const QFileInfo& picture, const QString& keep)
{
    const QDir folder = picture.dir();
    for (const QString& name :
         folder.entryList({picture.fileName() + QStringLiteral(".*.vista.jpg")}, QDir::Files)) {
        if (name != keep)
            QFile::remove(folder.filePath(name));
    }
}

} // namespace

bool isInPhotoFolder(const QString& programFolder, const QString& path)
{
    if (programFolder.isEmpty())
        return false;
    const QString folder =
        QFileInfo(QDir(programFolder).filePath(QLatin1String(FolderName))).canonicalFilePath();
    const QString pictureFolder = QFileInfo(path).canonicalPath();
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity names = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity names = Qt::CaseSensitive;
#endif
    return !folder.isEmpty() && pictureFolder.compare(folder, names) == 0;
}

QImage loadFitted(const QString& path, const QSize& box, const QString& programFolder)
{
    const QFileInfo picture(path);
    const QSize copyBox(DisplayCopySide, DisplayCopySide);
    // The copy serves the screen's card; a printed sheet or the zoom read the picture itself. Copies
    // live only beside the cards' photos, never in a folder of the user's.
    if (!box.isValid() || box.width() > DisplayCopySide || box.height() > DisplayCopySide ||
        !isInPhotoFolder(programFolder, path))
        return readFitted(path, box);
    const QString copy = displayCopyPath(picture);
    QImage shown;
    if (!copy.isEmpty() && QFileInfo::exists(copy)) {
        shown = readFitted(copy, box);
        if (!shown.isNull())
            return shown;
    }
    QImageReader probe(path);
    const QSize stored = probe.size();
    if (copy.isEmpty() || !stored.isValid() ||
        std::max(stored.width(), stored.height()) <= DisplayCopySide * 3 / 2)
        return readFitted(path, box);
    // A large picture seen for the first time: decode it once at the copy's size and keep that
    // beside it (where the folder allows), then show it at the size asked for.
    const QImage display = readFitted(path, copyBox);
    if (display.isNull())
        return display;
    if (saveJpeg(display, copy))
        removeOldCopies(picture, QFileInfo(copy).fileName());
    if (display.width() <= box.width() && display.height() <= box.height())
        return display;
    return display.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

bool isPicture(const QString& path)
{
    QImageReader reader(path);
    return reader.canRead() && reader.size().isValid();
}

bool saveJpeg(const QImage& image, const QString& path)
{
    if (image.isNull())
        return false;
    WholeFileWriter file(path);
    if (!file.open())
        return false;
    QImageWriter writer(&file.device(), "jpg");
    writer.setQuality(JpegQuality);
    // JPEG has no transparency: flatten onto white rather than black.
    QImage opaque = image;
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, image);
    }
    return writer.write(opaque) && file.commit();
}

} // namespace rf::VehiclePhoto

namespace rf {

CardPhoto CardPhoto::placeholder(const QImage& picture)
{
    CardPhoto photo;
    photo.m_image = picture;
    photo.m_placeholder = true;
    return photo;
}

CardPhoto CardPhoto::file(const QString& path, const QString& programFolder)
{
    CardPhoto photo;
    photo.m_path = path;
    photo.m_programFolder = programFolder;
    return photo;
}

CardPhoto CardPhoto::image(const QImage& picture)
{
    CardPhoto photo;
    photo.m_image = picture;
    return photo;
}

QImage CardPhoto::full() const
{
    return m_path.isEmpty() ? m_image : VehiclePhoto::load(m_path);
}

QImage CardPhoto::fitted(const QSize& box) const
{
    if (!m_path.isEmpty()) {
        for (const auto& [size, picture] : m_fitted) {
            if (size == box)
                return picture;
        }
        const QImage picture = VehiclePhoto::loadFitted(m_path, box, m_programFolder);
        if (m_fitted.size() >= 2)
            m_fitted.erase(m_fitted.begin());
        m_fitted.emplace_back(box, picture);
        return picture;
    }
    if (m_image.width() <= box.width() && m_image.height() <= box.height())
        return m_image;
    return m_image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

bool CardPhoto::storeAs(const QString& target) const
{
    if (m_path.isEmpty())
        return VehiclePhoto::saveJpeg(m_image, target);
    const QString source = QFileInfo(m_path).canonicalFilePath();
    if (!source.isEmpty() && source == QFileInfo(target).canonicalFilePath())
        return true; // the card's own photo, unchanged
    QFile file(m_path);
    if (QImageReader(m_path).format() == "jpeg" && file.open(QIODevice::ReadOnly))
        return writeWholeFile(target, file.readAll());
    return VehiclePhoto::saveJpeg(full(), target);
}

} // namespace rf
