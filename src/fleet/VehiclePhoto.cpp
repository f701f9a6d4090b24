#include "VehiclePhoto.h"

#include "storage/WholeFile.h"

#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace rf::VehiclePhoto {
namespace {
constexpr int JpegQuality = 90;
// Large camera pictures (8000 x 6000 and beyond) must still load.
constexpr int AllocationLimitMb = 1024;
} // namespace

QString filePath(const QString& programFolder, const QString& position)
{
    return QDir(programFolder).filePath(QStringLiteral("%1/Scheda_Veicolo_%2.jpg")
                                            .arg(QLatin1String(FolderName), position.trimmed()));
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

bool saveJpeg(const QImage& image, const QString& path)
{
    if (image.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "jpg");
    writer.setQuality(JpegQuality);
    // JPEG has no transparency: flatten onto white rather than black.
    QImage opaque = image;
    if (image.hasAlphaChannel()) {
        opaque = QImage(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, image);
    }
    if (!writer.write(opaque)) {
        file.cancelWriting();
        return false;
    }
    return CommitWhole(file);
}

} // namespace rf::VehiclePhoto
