#include "CompanyLogo.h"

#include "storage/WholeFile.h"

#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTransform>

#include <cmath>

namespace rf::CompanyLogo {
namespace {

// Large scanned logos must still load.
constexpr int AllocationLimitMb = 1024;
// Height of the sign in the built-in logo, in pixels.
constexpr qreal SignHeight = 150;

// Where the line from origin in direction (dx, dy) (dy downwards) leaves the ellipse centred on 0
// with radii rx, ry: the ellipse's parametric angle in degrees, counter-clockwise as arcTo takes it.
qreal exitAngle(QPointF origin, qreal dx, qreal dy, qreal rx, qreal ry)
{
    const qreal a = dx * dx / (rx * rx) + dy * dy / (ry * ry);
    const qreal b = 2 * (origin.x() * dx / (rx * rx) + origin.y() * dy / (ry * ry));
    const qreal c = origin.x() * origin.x() / (rx * rx) + origin.y() * origin.y() / (ry * ry) - 1;
    const qreal t = (-b + std::sqrt(b * b - 4 * a * c)) / (2 * a);
    const QPointF p = origin + QPointF(dx, dy) * t;
    return std::atan2(-p.y() / ry, p.x() / rx) * 180 / M_PI;
}

QRectF ellipse(qreal rx, qreal ry)
{
    return QRectF(-rx, -ry, 2 * rx, 2 * ry);
}

} // namespace

QString filePath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QLatin1String(FileName));
}

QPainterPath euroSign()
{
    // The round body: an elliptic ring, a little thinner at top and bottom, open on the right where
    // both ends are cut along lines meeting just right of the centre.
    const qreal outerX = 0.43, outerY = 0.5;
    const qreal innerX = 0.285, innerY = 0.37;
    const QPointF cutOrigin(0.06, 0);
    const qreal cutSlope = std::tan(40 * M_PI / 180);

    const qreal outerStart = exitAngle(cutOrigin, 1, -cutSlope, outerX, outerY);
    const qreal innerStart = exitAngle(cutOrigin, 1, -cutSlope, innerX, innerY);
    QPainterPath body;
    body.arcMoveTo(ellipse(outerX, outerY), outerStart);
    body.arcTo(ellipse(outerX, outerY), outerStart, 360 - 2 * outerStart);
    body.arcTo(ellipse(innerX, innerY), -innerStart, -(360 - 2 * innerStart));
    body.closeSubpath();

    // Two bars reaching out to the left, their outer ends slanted, the upper one a little longer.
    // Bars and gap are 16 pixels each in the built-in logo, so their long edges fall on whole pixels.
    const qreal barHeight = 8.0 / 75, barGap = 8.0 / 75, barLeft = -0.62, slant = 0.035;
    auto bar = [&](qreal top, qreal right) {
        const qreal bottom = top + barHeight;
        QPainterPath path;
        path.moveTo(barLeft + slant * (bottom - top) / barHeight, top);
        path.lineTo(right, top);
        path.lineTo(right, bottom);
        path.lineTo(barLeft, bottom);
        path.closeSubpath();
        return path;
    };
    QPainterPath bars = bar(-barGap / 2 - barHeight, 0.15);
    bars.addPath(bar(barGap / 2, 0.09));

    // Joined at a large scale: the union flattens curves with a fixed tolerance.
    const QTransform up = QTransform::fromScale(1000, 1000);
    QPainterPath sign = up.map(body).united(up.map(bars));
    sign.translate(-sign.boundingRect().center());
    return QTransform::fromScale(0.001, 0.001).map(sign);
}

QImage builtInLogo()
{
    QImage image(BuiltInWidth, BuiltInHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(BuiltInWidth / 2.0, BuiltInHeight / 2.0);
    painter.scale(SignHeight, SignHeight);
    painter.fillPath(euroSign(), QColor::fromRgba(EuroBlue));
    painter.end();
    return image;
}

QImage blankLogo()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage loadPicture(const QString& path)
{
    QImageReader::setAllocationLimit(AllocationLimitMb);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    return reader.read();
}

QImage loadLogo(const QString& programFolder)
{
    const QImage logo = loadPicture(filePath(programFolder));
    return logo.isNull() ? builtInLogo() : logo;
}

bool saveLogo(const QString& programFolder, const QImage& logo)
{
    if (logo.isNull())
        return false;
    // A bitmap keeps no transparency: flatten onto white rather than black.
    QImage opaque(logo.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, logo);

    WholeFileWriter file(filePath(programFolder));
    if (!file.open())
        return false;
    QImageWriter writer(&file.device(), "bmp");
    return writer.write(opaque) && file.commit();
}

} // namespace rf::CompanyLogo
