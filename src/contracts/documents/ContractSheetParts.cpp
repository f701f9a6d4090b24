#include "ContractSheetParts.h"

#include <algorithm>
#include <iterator>

namespace rf::Reports::Sheet {
namespace {

using Row = std::vector<QRectF>;

double rowTop(const Row& row)
{
    return std::min_element(row.begin(), row.end(), [](auto& a, auto& b) { return a.top() < b.top(); })
        ->top();
}

double rowBottom(const Row& row)
{
    return std::max_element(row.begin(), row.end(), [](auto& a, auto& b) { return a.bottom() < b.bottom(); })
        ->bottom();
}

// Rules a box from the value objects inside it: a line halfway between one row's text and the
// next, and in each row a line halfway between neighbouring cells, as tall as the row.
void addCellLines(Report& report, const Section& section, const std::vector<QRectF>& allCells)
{
    const QRectF box = section.box.units();
    std::vector<QRectF> cells;
    std::copy_if(allCells.begin(), allCells.end(), std::back_inserter(cells),
                 [&box](const QRectF& cell) { return box.contains(cell.center()); });
    std::sort(cells.begin(), cells.end(), [](const QRectF& a, const QRectF& b) {
        return a.top() < b.top() || (a.top() == b.top() && a.left() < b.left());
    });
    // Rows: cells whose tops lie within a millimetre of the row's first cell.
    std::vector<Row> rows;
    for (const QRectF& cell : cells) {
        if (rows.empty() || cell.top() > rows.back().front().top() + mm(1))
            rows.emplace_back();
        rows.back().push_back(cell);
    }
    std::vector<double> edges{box.top()};
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        edges.push_back((rowBottom(rows[i]) + rowTop(rows[i + 1])) / 2.0);
    edges.push_back(box.bottom());

    int number = 0;
    auto lineName = [&] {
        return QStringLiteral("lin%1%2")
            .arg(QLatin1String(section.name))
            .arg(++number, 2, 10, QLatin1Char('0'));
    };
    for (std::size_t i = 1; i + 1 < edges.size(); ++i)
        report.addLine(lineName(), QPointF(box.left(), edges[i]), QPointF(box.right(), edges[i]), ThinLine);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Row& row = rows[i];
        std::sort(row.begin(), row.end(), [](auto& a, auto& b) { return a.left() < b.left(); });
        for (std::size_t j = 0; j + 1 < row.size(); ++j) {
            const double x = (row[j].right() + row[j + 1].left()) / 2.0;
            report.addLine(lineName(), QPointF(x, edges[i]), QPointF(x, edges[i + 1]), ThinLine);
        }
    }
}

} // namespace

void addFramedBox(Report& report, const QString& name, const Mm& rect, const QColor& fill)
{
    report.addShape(name, rect.units(), fill, Qt::black, ThinLine);
}

Object& addFixedText(Report& report, const char* name, const Mm& rect, const char* text, const Font& font,
                     Qt::Alignment alignment)
{
    return report.addText(QLatin1String(name), rect.units(), QString::fromUtf8(text), font, alignment);
}

void addSection(Report& report, const Section& section, const std::vector<QRectF>& cells)
{
    Object& band =
        report.addText(QStringLiteral("tit") + QLatin1String(section.name), section.band.units(),
                       QString::fromUtf8(section.heading), arial(9), Qt::AlignHCenter | Qt::AlignVCenter);
    band.fill = QColor::fromRgba(section.fill);
    band.frame = Qt::black;
    band.frameWidth = ThinLine;
    addFramedBox(report, QStringLiteral("shp") + QLatin1String(section.name), section.box, Qt::transparent);
    if (section.ruled)
        addCellLines(report, section, cells);
}

QString valueObjectName(const ValueField& field)
{
    return QStringLiteral("txt") + QLatin1String(field.field);
}

void addValueObject(Report& report, const ValueField& field)
{
    const Qt::Alignment horizontal = field.centred ? Qt::AlignHCenter : Qt::AlignLeft;
    report.addText(valueObjectName(field), field.rect.units(), contractPrefix(QLatin1String(field.field)),
                   arial(field.points, field.bold), horizontal | Qt::AlignVCenter);
}

void fillValueObject(Report& report, const ValueField& field, const QString& value)
{
    report.setText(valueObjectName(field), contractPrefix(QLatin1String(field.field)) + value.trimmed());
}

void addSignatures(Report& report, double headingTop, double lineY)
{
    addFixedText(report, "titFirmaMeccanico", {2, headingTop, 89, 5}, "FIRMA DEL LOCATORE", arial(9));
    addFixedText(report, "titFirmaCliente", {100, headingTop, 89, 5}, "FIRMA DEL CLIENTE", arial(9));
    report.addLine(QStringLiteral("linFirmaMeccanico"), QPointF(mm(2), mm(lineY)),
                   QPointF(mm(2 + 78), mm(lineY)), SignatureLine);
    report.addLine(QStringLiteral("linFirmaCliente"), QPointF(mm(100), mm(lineY)),
                   QPointF(mm(100 + 78), mm(lineY)), SignatureLine);
}

} // namespace rf::Reports::Sheet
