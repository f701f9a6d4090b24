#include "Render.h"

#include "reports/Fonts.h"

#include "Units.h"
#include "storage/WholeFile.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>

namespace rf::Reports {
namespace {

// A font that comes out at its point size in engine units once the painter is scaled to units.
QFont deviceFont(const Font& font, const QPaintDevice* device)
{
    Fonts::preferMetricCompatibleFaces();
    QFont f(font.family);
    f.setPointSizeF(font.points * UnitsPerInch / device->logicalDpiY());
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

void paintFrame(QPainter& painter, const Item& item)
{
    if (item.fill.alpha() > 0)
        painter.fillRect(item.rect, item.fill);
    if (item.frame.alpha() > 0 && item.frameWidth > 0) {
        QPen pen(item.frame);
        pen.setWidthF(item.frameWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(item.rect);
    }
}

} // namespace

void paintPage(QPainter& painter, const LaidOutPage& page)
{
    painter.save();
    const QPaintDevice* device = painter.device();
    painter.scale(device->logicalDpiX() / UnitsPerInch, device->logicalDpiY() / UnitsPerInch);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    for (const Item& item : page.items) {
        switch (item.kind) {
        case Kind::Shape:
            paintFrame(painter, item);
            break;
        case Kind::Line: {
            QPen pen(item.frame.alpha() > 0 ? item.frame : QColor(Qt::black));
            pen.setWidthF(item.frameWidth > 0 ? item.frameWidth : 1);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(item.rect.topLeft(), item.rect.bottomRight());
            break;
        }
        case Kind::Picture:
            paintFrame(painter, item);
            if (!item.picture.isNull()) {
                // A crisp picture's pixels and edges fall on whole device pixels.
                painter.setRenderHint(QPainter::SmoothPixmapTransform, !item.crisp);
                painter.setRenderHint(QPainter::Antialiasing, !item.crisp);
                painter.drawImage(item.pictureRect, item.picture);
                painter.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
            }
            break;
        case Kind::Text: {
            paintFrame(painter, item);
            painter.save();
            // Text that does not fit is cut at the edge of its area.
            painter.setClipRect(item.textArea.isValid() ? item.textArea.intersected(item.rect) : item.rect);
            painter.setFont(deviceFont(item.font, device));
            painter.setPen(item.colour);
            const Qt::Alignment horizontal = item.alignment & Qt::AlignHorizontal_Mask;
            for (const PlacedLine& line : item.lines)
                painter.drawText(line.rect, int(horizontal | Qt::AlignVCenter | Qt::TextSingleLine),
                                 line.text);
            painter.restore();
            break;
        }
        }
    }
    painter.restore();
}

bool renderDocument(QPagedPaintDevice& device, const Document& document)
{
    if (document.pages.empty())
        return false;
    auto layoutFor = [](const LaidOutPage& page) {
        return QPageLayout(QPageSize(QPageSize::A4), page.orientation, QMarginsF(0, 0, 0, 0),
                           QPageLayout::Millimeter);
    };
    device.setPageLayout(layoutFor(document.pages.front()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (std::size_t i = 0; i < document.pages.size(); ++i) {
        if (i > 0) {
            device.setPageLayout(layoutFor(document.pages[i]));
            if (!device.newPage()) {
                painter.end();
                return false;
            }
        }
        paintPage(painter, document.pages[i]);
    }
    return painter.end();
}

bool writePdf(const Document& document, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool rendered = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setTitle(document.name);
        writer.setCreator(QStringLiteral("Rotaflux"));
        rendered = renderDocument(writer, document);
    }
    if (!rendered) {
        file.cancelWriting();
        return false;
    }
    return commitWhole(file);
}

QImage renderPageImage(const LaidOutPage& page, double dotsPerInch)
{
    const QSize size(int(std::lround(toDevice(page.paper.width(), dotsPerInch))),
                     int(std::lround(toDevice(page.paper.height(), dotsPerInch))));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(dotsPerInch / MmPerInch * 1000.0));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page);
    return image;
}

} // namespace rf::Reports
