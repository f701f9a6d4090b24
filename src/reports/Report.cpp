#include "Report.h"

#include "Units.h"

#include <QPageSize>

namespace rf::Reports {

QSizeF Page::paperSize() const
{
    const QSizeF a4(mm(210), mm(297));
    return orientation == QPageLayout::Portrait ? a4 : a4.transposed();
}

QRectF Page::printableRect() const
{
    const QSizeF paper = paperSize();
    return QRectF(mm(marginsMm.left()), mm(marginsMm.top()),
                  paper.width() - mm(marginsMm.left() + marginsMm.right()),
                  paper.height() - mm(marginsMm.top() + marginsMm.bottom()));
}

Report::Report(QString name) : m_name(std::move(name)) {}

QString safeFileName(const QString& text)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const bool blank = c.isSpace() || c.category() == QChar::Other_Control || forbidden.contains(c);
        if (!blank)
            out.append(c);
        else if (!out.isEmpty() && !out.endsWith(QLatin1Char(' ')))
            out.append(QLatin1Char(' '));
    }
    while (!out.isEmpty() && (out.endsWith(QLatin1Char(' ')) || out.endsWith(QLatin1Char('.'))))
        out.chop(1);
    while (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char(' ')))
        out.remove(0, 1);
    return out;
}

void Report::setFileName(const QString& fileName)
{
    m_fileName = safeFileName(fileName);
}

Page& Report::addPage(QPageLayout::Orientation orientation, const QMarginsF& marginsMm)
{
    Page page;
    page.orientation = orientation;
    page.marginsMm = marginsMm;
    m_pages.push_back(std::move(page));
    m_addingToBand = false;
    return m_pages.back();
}

Object& Report::add(Object object)
{
    if (m_pages.empty())
        addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    Page& page = m_pages.back();
    if (m_addingToBand && !page.bands.empty()) {
        page.bands.back().objects.push_back(std::move(object));
        return page.bands.back().objects.back();
    }
    page.objects.push_back(std::move(object));
    return page.objects.back();
}

Object& Report::addText(const QString& name, const QRectF& rect, const QString& text, const Font& font,
                        Qt::Alignment alignment)
{
    Object object;
    object.name = name;
    object.kind = Kind::Text;
    object.rect = rect;
    object.font = font;
    object.alignment = alignment;
    if (!text.isEmpty())
        object.lines = text.split(QLatin1Char('\n'));
    return add(std::move(object));
}

Object& Report::addPicture(const QString& name, const QRectF& rect, const QImage& picture)
{
    Object object;
    object.name = name;
    object.kind = Kind::Picture;
    object.rect = rect;
    object.picture = picture;
    return add(std::move(object));
}

Object& Report::addShape(const QString& name, const QRectF& rect, const QColor& fill, const QColor& frame,
                         double frameWidth)
{
    Object object;
    object.name = name;
    object.kind = Kind::Shape;
    object.rect = rect;
    object.fill = fill;
    object.frame = frame;
    object.frameWidth = frameWidth;
    return add(std::move(object));
}

Object& Report::addLine(const QString& name, const QPointF& from, const QPointF& to, double width)
{
    Object object;
    object.name = name;
    object.kind = Kind::Line;
    object.rect = QRectF(from, to);
    object.frame = Qt::black;
    object.frameWidth = width;
    return add(std::move(object));
}

Band& Report::addBand(const QString& name, BandType type, double top, double height)
{
    if (m_pages.empty())
        addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));
    Band band;
    band.name = name;
    band.type = type;
    band.top = top;
    band.height = height;
    m_pages.back().bands.push_back(std::move(band));
    m_addingToBand = true;
    return m_pages.back().bands.back();
}

Object* Report::findObject(const QString& name, Kind kind)
{
    for (Page& page : m_pages) {
        for (Object& object : page.objects) {
            if (object.name == name)
                return object.kind == kind ? &object : nullptr;
        }
        for (Band& band : page.bands) {
            for (Object& object : band.objects) {
                if (object.name == name)
                    return object.kind == kind ? &object : nullptr;
            }
        }
    }
    return nullptr;
}

const Object* Report::find(const QString& name) const
{
    for (const Page& page : m_pages) {
        for (const Object& object : page.objects) {
            if (object.name == name)
                return &object;
        }
        for (const Band& band : page.bands) {
            for (const Object& object : band.objects) {
                if (object.name == name)
                    return &object;
            }
        }
    }
    return nullptr;
}

const Band* Report::findBand(const QString& name) const
{
    for (const Page& page : m_pages) {
        for (const Band& band : page.bands) {
            if (band.name == name)
                return &band;
        }
    }
    return nullptr;
}

bool Report::setText(const QString& name, const QString& text)
{
    Object* object = findObject(name, Kind::Text);
    if (!object) {
        m_errors.append(QStringLiteral("no text object %1").arg(name));
        return false;
    }
    object->lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    return true;
}

bool Report::clearLines(const QString& name)
{
    Object* object = findObject(name, Kind::Text);
    if (!object) {
        m_errors.append(QStringLiteral("no text object %1").arg(name));
        return false;
    }
    object->lines.clear();
    return true;
}

bool Report::appendLine(const QString& name, const QString& line)
{
    Object* object = findObject(name, Kind::Text);
    if (!object) {
        m_errors.append(QStringLiteral("no text object %1").arg(name));
        return false;
    }
    object->lines.append(line);
    return true;
}

bool Report::setPicture(const QString& name, const QImage& picture)
{
    Object* object = findObject(name, Kind::Picture);
    if (!object) {
        m_errors.append(QStringLiteral("no picture object %1").arg(name));
        return false;
    }
    object->picture = picture;
    return true;
}

bool Report::setHeight(const QString& objectOrBand, double units)
{
    for (Page& page : m_pages) {
        for (Band& band : page.bands) {
            if (band.name == objectOrBand) {
                band.height = units;
                return true;
            }
            for (Object& object : band.objects) {
                if (object.name == objectOrBand) {
                    object.rect.setHeight(units);
                    return true;
                }
            }
        }
        for (Object& object : page.objects) {
            if (object.name == objectOrBand) {
                object.rect.setHeight(units);
                return true;
            }
        }
    }
    m_errors.append(QStringLiteral("no object or band %1").arg(objectOrBand));
    return false;
}

void Report::setOrientation(QPageLayout::Orientation orientation)
{
    if (!m_pages.empty())
        m_pages.front().orientation = orientation;
}

} // namespace rf::Reports
