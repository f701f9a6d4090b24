#include "PlanningSheet.h"

#include "planner/PlanningFile.h"
#include "reports/Units.h"
#include "storage/Amounts.h"
#include "storage/CalendarNames.h"

#include <algorithm>

namespace rf::Reports {
namespace {

constexpr QRgb LightSteelBlue = 0xFFB0C4DE;
constexpr QRgb Beige = 0xFFF5F5DC;
constexpr QRgb Gainsboro = 0xFFDCDCDC;
constexpr QRgb Gold = 0xFFFFD700;
constexpr QRgb RuleGrey = 0xFF808080;

// Geometry in millimetres from the top left of the printable area (A4 landscape, 10 mm margins).
constexpr double Width = 277;
constexpr int DayColumns = 31;
constexpr double FirstDayLeft = 31; // of the first day's cell
constexpr double DayPitch = 8;
constexpr double CellWidth = 6;
constexpr double CellHeight = 4.4;
constexpr double HeaderTop = 8;
constexpr double FirstRowTop = 13; // of the first month's cells
constexpr double RowPitch = 6;
constexpr double TableTop = 7.6;
constexpr double HeaderBottom = FirstRowTop - (RowPitch - CellHeight) / 2; // rows are centred on their cells
constexpr double TableBottom = HeaderBottom + 12 * RowPitch;
constexpr double LabelColumnRight = FirstDayLeft - (DayPitch - CellWidth) / 2;

double dayLeft(int day)
{
    return FirstDayLeft + DayPitch * (day - 1);
}

double monthTop(int month)
{
    return FirstRowTop + RowPitch * (month - 1);
}

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString cellName(int month, int day)
{
    return QStringLiteral("txt") + QLatin1String(Planning::months()[std::size_t(month - 1)].control) +
           QLatin1Char('_') + twoDigits(day);
}

// Month rows lie on alternating bands, beige from January; days a month lacks are greyed out.
void addMonthBands(Report& report)
{
    for (int month = 1; month <= 12; ++month) {
        const Planning::Month& facts = Planning::months()[std::size_t(month - 1)];
        const double top = monthTop(month) - (RowPitch - CellHeight) / 2;
        report.addShape(QStringLiteral("shp") + QLatin1String(facts.control), mmRect(0, top, Width, RowPitch),
                        month % 2 == 1 ? QColor::fromRgba(Beige) : QColor(Qt::white), Qt::transparent, 0);
        for (int day = facts.days + 1; day <= DayColumns; ++day) {
            const double left = dayLeft(day) - (DayPitch - CellWidth) / 2;
            report.addShape(QStringLiteral("shp") + QLatin1String(facts.control) + QLatin1Char('_') +
                                twoDigits(day),
                            mmRect(left, top, std::min(DayPitch, Width - left), RowPitch),
                            QColor::fromRgba(Gainsboro), Qt::transparent, 0);
        }
    }
}

// The header strip, the rulings between the day columns and the frame around the table.
void addTableRulings(Report& report)
{
    const QColor grey = QColor::fromRgba(RuleGrey);
    for (int day = 2; day <= DayColumns; ++day) {
        const double x = dayLeft(day) - (DayPitch - CellWidth) / 2;
        Object& line =
            report.addLine(QStringLiteral("linGiorno") + twoDigits(day), QPointF(mm(x), mm(TableTop)),
                           QPointF(mm(x), mm(TableBottom)), mm(0.15));
        line.frame = grey;
    }
    report.addLine(QStringLiteral("linMesi"), QPointF(mm(LabelColumnRight), mm(TableTop)),
                   QPointF(mm(LabelColumnRight), mm(TableBottom)), mm(0.3));
    report.addLine(QStringLiteral("linGiorni"), QPointF(0, mm(HeaderBottom)),
                   QPointF(mm(Width), mm(HeaderBottom)), mm(0.3));
    report.addShape(QStringLiteral("shpTabella"), mmRect(0, TableTop, Width, TableBottom - TableTop),
                    Qt::transparent, Qt::black, mm(0.3));
}

void addTable(Report& report)
{
    report.addShape(QStringLiteral("shpGiorni"), mmRect(0, TableTop, Width, HeaderBottom - TableTop),
                    QColor::fromRgba(LightSteelBlue), Qt::transparent, 0);
    addMonthBands(report);
    addTableRulings(report);

    for (int day = 1; day <= DayColumns; ++day)
        report.addText(QStringLiteral("tit_") + twoDigits(day),
                       mmRect(dayLeft(day), HeaderTop, CellWidth, CellHeight), QString::number(day),
                       arial(7, true), Qt::AlignCenter);
    for (int month = 1; month <= 12; ++month) {
        const Planning::Month& facts = Planning::months()[std::size_t(month - 1)];
        report.addText(QStringLiteral("tit") + QLatin1String(facts.control),
                       mmRect(2, monthTop(month), LabelColumnRight - 3, CellHeight),
                       monthNameInText(month).toUpper() + QLatin1Char(':'), arial(8, true));
        for (int day = 1; day <= facts.days; ++day)
            report.addText(cellName(month, day), mmRect(dayLeft(day), monthTop(month), CellWidth, CellHeight),
                           QStringLiteral("X"), arial(9, true), Qt::AlignCenter);
    }
}

struct VehicleLine {
    const char* field;
    const char* label;
    double top;
};

constexpr VehicleLine VehicleLines[] = {
    {"BiciNum", "Bici n.", 88},
    {"Marca", "Marca:", 94},
    {"Taglia", "Taglia:", 100},
};

void addVehicle(Report& report)
{
    report.addShape(QStringLiteral("shpBici"), mmRect(0, 86.5, 140, 19), QColor::fromRgba(Beige), Qt::black,
                    mm(0.2));
    for (const VehicleLine& line : VehicleLines) {
        const QString field = QLatin1String(line.field);
        report.addText(QStringLiteral("tit") + field, mmRect(2, line.top, 18, 5),
                       QString::fromUtf8(line.label), arial(10));
        report.addText(QStringLiteral("txt") + field, mmRect(20, line.top, 118, 5), QString(),
                       arial(10, true));
    }
}

QString printedAtText(const QDateTime& printedAt)
{
    return QStringLiteral("Stampa eseguita in data ") + formatDate(printedAt.date()) +
           QStringLiteral(" alle ore ") + printedAt.time().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

Report planningSheet()
{
    Report report(QStringLiteral("Planning Annuale"));
    report.addPage(QPageLayout::Landscape, QMarginsF(10, 10, 10, 10));

    Object& title =
        report.addText(QStringLiteral("txtTitolo"), mmRect(0, 0, Width, 6.5),
                       QStringLiteral("PLANNER ANNUALE PRENOTAZIONI"), arial(12, true), Qt::AlignCenter);
    title.fill = QColor::fromRgba(LightSteelBlue);
    title.frame = Qt::black;
    title.frameWidth = mm(0.3);

    addTable(report);
    addVehicle(report);

    Object& footer = report.addText(QStringLiteral("txtCalce"), mmRect(0, 184, Width, 5.8),
                                    QStringLiteral("Data e ora stampa"), arial(8), Qt::AlignCenter);
    footer.fill = QColor::fromRgba(Gold);
    footer.frame = Qt::black;
    footer.frameWidth = mm(0.2);
    return report;
}

void fillPlanningSheet(Report& report, const QString& year, const QString& vehicleNumber, const QString& make,
                       const QString& size, const std::vector<bool>& booked, const QDateTime& printedAt)
{
    report.setOrientation(QPageLayout::Landscape);
    report.setText(QStringLiteral("txtTitolo"),
                   QStringLiteral("PLANNER PRENOTAZIONI ANNO ") + year.trimmed());
    report.setText(QStringLiteral("txtBiciNum"), vehicleNumber.trimmed());
    report.setText(QStringLiteral("txtMarca"), make.trimmed());
    report.setText(QStringLiteral("txtTaglia"), size.trimmed());
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= Planning::months()[std::size_t(month - 1)].days; ++day) {
            const std::size_t slot = std::size_t(Planning::slotOf(month, day));
            const bool isBooked = slot < booked.size() && booked[slot];
            report.setText(cellName(month, day), isBooked ? QStringLiteral("X") : QStringLiteral(" "));
        }
    }
    report.setText(QStringLiteral("txtCalce"), printedAtText(printedAt));
}

} // namespace rf::Reports
