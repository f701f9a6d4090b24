#include "SeasonSheet.h"

#include "reports/Units.h"

namespace rf::Reports {

namespace {
constexpr double TitleHeight = 10; // mm
constexpr double FooterHeight = 8; // mm
constexpr double Gap = 2;          // mm

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

void fillSeasonSheet(Report& report, const QString& title, const QImage& chart, const QString& totals)
{
    report.setText(QStringLiteral("txtTitolo"), title);
    report.setPicture(QStringLiteral("imgGrafico"), chart);
    report.setText(QStringLiteral("txtRiepilogo"), totals);
    report.setFileName(QStringLiteral("Statistiche ") + title);
}

} // namespace rf::Reports
