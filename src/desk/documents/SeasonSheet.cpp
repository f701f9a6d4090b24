#include "SeasonSheet.h"

#include "reports/ListTemplate.h"
#include "reports/Units.h"
#include "storage/Amounts.h"

#include <QStringList>

#include <array>

namespace rf::Reports {

namespace {
constexpr double TitleHeight = 10; // mm
constexpr double FooterHeight = 8; // mm
constexpr double Gap = 2;          // mm

// The table's columns in a fixed-pitch font: the vehicle left-aligned, the figures right-aligned.
struct Column {
    const char* head;
    int width; // characters
};
constexpr std::array<Column, 7> Columns{{
    {"Veicolo", 16},
    {"Noleggi", 9},
    {"Giorni di noleggio", 20},
    {"Incasso", 18},
    {"Costo officina", 18},
    {"Margine", 18},
    {"Giorni in officina", 20},
}};

QString tableLine(const QStringList& cells)
{
    QString line = cells.value(0).leftJustified(Columns[0].width);
    for (std::size_t i = 1; i < Columns.size(); ++i)
        line += cells.value(int(i)).rightJustified(Columns[i].width);
    return line;
}

QString headLine()
{
    QStringList heads;
    for (const Column& column : Columns)
        heads.append(QString::fromUtf8(column.head));
    return tableLine(heads);
}

Font tableFont(bool bold = false)
{
    return Font{QStringLiteral("Courier New"), 8, bold};
}

} // namespace

Report seasonSheet()
{
    Report report(QStringLiteral("Statistiche"));
    const QSizeF area =
        report.addPage(QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)).printableRect().size();
    const double footerTop = area.height() - mm(FooterHeight);
    report.addText(QStringLiteral("txtTitolo"), QRectF(0, 0, area.width(), mm(TitleHeight)), QString(),
                   arial(16, true), Qt::AlignCenter);
    report.addPicture(QStringLiteral("imgGrafico"),
                      QRectF(0, mm(TitleHeight + Gap), area.width(), footerTop - mm(TitleHeight + 2 * Gap)));
    report.addText(QStringLiteral("txtRiepilogo"), QRectF(0, footerTop, area.width() * 0.7, mm(FooterHeight)),
                   QString(), arial(10), Qt::AlignLeft | Qt::AlignVCenter);
    report
        .addText(QStringLiteral("txtData"),
                 QRectF(area.width() * 0.7, footerTop, area.width() * 0.3, mm(FooterHeight)),
                 QStringLiteral("Stampato il [DATE]"), arial(10), Qt::AlignRight | Qt::AlignVCenter)
        .expressions = true;
    return report;
}

Report seasonSheetWithTable()
{
    Report report = seasonSheet();
    const double width =
        report.addPage(QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)).printableRect().width();
    report.addBand(QStringLiteral("TabellaTitolo"), BandType::Title, 0, mm(TitleHeight + 8));
    report.addText(QStringLiteral("txtTabellaTitolo"), QRectF(0, 0, width, mm(TitleHeight)), QString(),
                   arial(12, true), Qt::AlignLeft | Qt::AlignVCenter);
    report.addText(QStringLiteral("txtTabellaIntestazione"), QRectF(0, mm(TitleHeight + 2), width, mm(5)),
                   headLine(), tableFont(true), Qt::AlignLeft | Qt::AlignVCenter);
    report.addBand(QStringLiteral("Tabella"), BandType::MasterData, 0, 0);
    report.addText(QStringLiteral("txtTabella"), QRectF(0, 0, width, 0), QString(), tableFont(),
                   Qt::AlignLeft | Qt::AlignTop);
    return report;
}

void fillSeasonSheet(Report& report, const QString& title, const QImage& chart, const QString& totals)
{
    report.setText(QStringLiteral("txtTitolo"), title);
    report.setPicture(QStringLiteral("imgGrafico"), chart);
    report.setText(QStringLiteral("txtRiepilogo"), totals);
    report.setFileName(QStringLiteral("Statistiche ") + title);
}

void fillVehicleTable(Report& report, const QString& title, const std::vector<VehicleFigures>& vehicles)
{
    report.setText(QStringLiteral("txtTabellaTitolo"), title);
    report.clearLines(QStringLiteral("txtTabella"));
    for (const VehicleFigures& vehicle : vehicles)
        report.appendLine(
            QStringLiteral("txtTabella"),
            tableLine({vehicle.number, QString::number(vehicle.rentals), QString::number(vehicle.daysRented),
                       euroText(vehicle.revenueCents), euroText(vehicle.workshopCents),
                       euroText(vehicle.marginCents()), QString::number(vehicle.workshopDays)}));
    const double height = double(vehicles.size()) * ListLinePitch;
    report.setHeight(QStringLiteral("txtTabella"), height);
    report.setHeight(QStringLiteral("Tabella"), height + 10);
}

} // namespace rf::Reports
