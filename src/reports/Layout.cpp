#include "Layout.h"

#include "reports/Fonts.h"

#include "Units.h"
#include "storage/Amounts.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace rf::Reports {
namespace {

// Fonts are measured on a device of exactly 96 dots an inch, so one pixel is one engine unit.
const QImage& measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = int(std::lround(UnitsPerInch / MmPerInch * 1000.0));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

QFont qfont(const Font& font)
{
    Fonts::preferMetricCompatibleFaces();
    QFont f(font.family);
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

QFontMetricsF metrics(const Font& font)
{
    return QFontMetricsF(qfont(font), const_cast<QImage*>(&measuringDevice()));
}

// The entries of a text object as lines within width: wrapped when asked, else one line each.
QStringList breakLines(const Object& object, const QString& dateText, double width)
{
    QStringList entries = object.lines;
    if (object.expressions) {
        for (QString& entry : entries)
            entry.replace(QLatin1String("[DATE]"), dateText);
    }
    if (!object.wordWrap)
        return entries;
    QStringList lines;
    const QFont font = qfont(object.font);
    for (const QString& entry : entries) {
        if (entry.isEmpty()) {
            lines.append(QString());
            continue;
        }
        QTextLayout layout(entry, font, const_cast<QImage*>(&measuringDevice()));
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.append(entry.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
    }
    return lines;
}

Item placeObject(const Object& object, const QPointF& origin, const QString& dateText)
{
    Item item;
    item.name = object.name;
    item.kind = object.kind;
    item.rect = object.rect.translated(origin);
    item.font = object.font;
    item.colour = object.colour;
    item.alignment = object.alignment;
    item.fill = object.fill;
    item.frame = object.frame;
    item.frameWidth = object.frameWidth;
    if (object.kind == Kind::Picture && !object.picture.isNull()) {
        item.picture = object.picture;
        item.crisp = object.crisp;
        const QSizeF fitted = QSizeF(object.picture.size()).scaled(item.rect.size(), Qt::KeepAspectRatio);
        item.pictureRect = QRectF(QPointF(), fitted);
        item.pictureRect.moveCenter(item.rect.center());
    }
    if (object.kind == Kind::Text) {
        const QRectF inner = item.rect.adjusted(object.padding, 0, -object.padding, 0);
        item.textArea = inner;
        const QStringList lines = breakLines(object, dateText, inner.width());
        const double height = lineHeight(object.font);
        double top = inner.top();
        const double block = height * lines.size();
        if (object.alignment & Qt::AlignVCenter)
            top = inner.top() + (inner.height() - block) / 2.0;
        else if (object.alignment & Qt::AlignBottom)
            top = inner.bottom() - block;
        for (int i = 0; i < lines.size(); ++i)
            item.lines.push_back(
                {lines.at(i), QRectF(inner.left(), top + i * height, inner.width(), height)});
    }
    return item;
}

class PageBuilder {
public:
    PageBuilder(Document& document, const Page& page) : m_document(document), m_page(page) { newPage(); }

    void newPage()
    {
        LaidOutPage out;
        out.orientation = m_page.orientation;
        out.paper = m_page.paperSize();
        m_document.pages.push_back(std::move(out));
        m_y = m_page.printableRect().top();
    }
    LaidOutPage& current() { return m_document.pages.back(); }
    double remaining() const { return m_page.printableRect().bottom() - m_y; }
    double left() const { return m_page.printableRect().left(); }
    double& y() { return m_y; }
    bool atPageTop() const { return m_y <= m_page.printableRect().top() + 1e-6; }

private:
    Document& m_document;
    const Page& m_page;
    double m_y = 0;
};

// Places a data band, splitting its text objects across pages at line boundaries.
void placeDataBand(PageBuilder& builder, const Band& band, const QString& dateText)
{
    // Lines of each text object, laid out once; the band moves down the pages in slices.
    const Object* flowing = nullptr;
    for (const Object& object : band.objects) {
        if (object.kind == Kind::Text && !flowing)
            flowing = &object;
    }
    if (band.height <= builder.remaining() || !flowing) {
        const QPointF origin(builder.left(), builder.y());
        for (const Object& object : band.objects)
            builder.current().items.push_back(placeObject(object, origin, dateText));
        builder.y() += band.height;
        return;
    }
    const Item whole = placeObject(*flowing, QPointF(0, 0), dateText);
    const double pitch = lineHeight(flowing->font);
    std::size_t next = 0;
    while (next < whole.lines.size()) {
        const double room = builder.remaining() - flowing->rect.top();
        std::size_t fit = room > 0 ? std::size_t(std::floor(room / pitch + 1e-9)) : 0;
        if (fit == 0) {
            if (builder.atPageTop())
                fit = 1; // a page that cannot hold one line still takes one
            else {
                builder.newPage();
                continue;
            }
        }
        fit = std::min(fit, whole.lines.size() - next);
        Item slice = whole;
        slice.lines.clear();
        const QPointF origin(builder.left(), builder.y());
        slice.rect =
            QRectF(flowing->rect.translated(origin).topLeft(), QSizeF(flowing->rect.width(), fit * pitch));
        slice.textArea = slice.rect.adjusted(flowing->padding, 0, -flowing->padding, 0);
        for (std::size_t i = 0; i < fit; ++i) {
            const PlacedLine& line = whole.lines[next + i];
            slice.lines.push_back(
                {line.text, QRectF(slice.rect.left() + (line.rect.left() - flowing->rect.left()),
                                   slice.rect.top() + i * pitch, line.rect.width(), pitch)});
        }
        builder.current().items.push_back(std::move(slice));
        builder.y() += flowing->rect.top() + fit * pitch;
        next += fit;
        if (next < whole.lines.size())
            builder.newPage();
    }
    builder.y() += std::max(0.0, band.height - flowing->rect.bottom());
}

} // namespace

QString Item::text() const
{
    QStringList texts;
    for (const PlacedLine& line : lines)
        texts.append(line.text);
    return texts.join(QLatin1Char('\n'));
}

const Item* LaidOutPage::find(const QString& name) const
{
    for (const Item& item : items) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

double lineHeight(const Font& font)
{
    return metrics(font).height();
}

double textWidth(const Font& font, const QString& text)
{
    return metrics(font).horizontalAdvance(text);
}

QString elidedText(const Font& font, const QString& text, double width)
{
    return metrics(font).elidedText(text, Qt::ElideRight, width);
}

Prepared prepare(const Report& report, const QDate& today)
{
    Prepared result;
    if (!report.errors().isEmpty()) {
        result.error = report.errors().join(QStringLiteral("; "));
        return result;
    }
    const QString dateText = formatDate(today);
    result.document.name = report.name();
    result.document.fileName = report.fileName();
    for (const Page& page : report.pages()) {
        PageBuilder builder(result.document, page);
        const QPointF origin = page.printableRect().topLeft();
        for (const Object& object : page.objects)
            builder.current().items.push_back(placeObject(object, origin, dateText));
        bool first = true;
        for (const Band& band : page.bands) {
            if (first)
                builder.y() += band.top;
            first = false;
            if (band.type == BandType::MasterData) {
                placeDataBand(builder, band, dateText);
                continue;
            }
            if (band.height > builder.remaining() && !builder.atPageTop())
                builder.newPage();
            const QPointF bandOrigin(builder.left(), builder.y());
            for (const Object& object : band.objects)
                builder.current().items.push_back(placeObject(object, bandOrigin, dateText));
            builder.y() += band.height;
        }
    }
    result.ok = true;
    return result;
}

} // namespace rf::Reports
