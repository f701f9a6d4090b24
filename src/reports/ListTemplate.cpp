#include "ListTemplate.h"

#include "reports/Units.h"

namespace rf::Reports {

namespace {
const QColor SlateGrey = QColor::fromRgba(0xFF708090);
}

Report listTemplate()
{
    Report report(QStringLiteral("Riepilogo dati"));
    report.addPage(QPageLayout::Landscape, QMarginsF(10, 10, 10, 10));

    report.addBand(QStringLiteral("ReportTitle"), BandType::Title, mm(5), mm(8));
    Object& title = report.addText(QStringLiteral("txtTitolo"), QRectF(mm(2), mm(1), mm(273), mm(5)),
                                   QStringLiteral("Riepilogo"), Font{QStringLiteral("Verdana"), 9, true},
                                   Qt::AlignHCenter | Qt::AlignVCenter);
    title.fill = SlateGrey;
    title.colour = Qt::white;

    report.addBand(QStringLiteral("MasterData"), BandType::MasterData, 0, 0);
    Object& lines = report.addText(QStringLiteral("txtRiepilogo"), QRectF(mm(3), 0, mm(273), 0), QString(),
                                   Font{QStringLiteral("Courier New"), 8}, Qt::AlignLeft | Qt::AlignTop);
    lines.wordWrap = false;

    report.addBand(QStringLiteral("Footer"), BandType::Footer, 0, mm(8));
    Object& footer =
        report.addText(QStringLiteral("txtPagina"), QRectF(mm(3), mm(2), mm(272), mm(5)),
                       QStringLiteral("Stampa eseguita in data [DATE]"),
                       Font{QStringLiteral("Verdana"), 8, true}, Qt::AlignHCenter | Qt::AlignVCenter);
    footer.fill = SlateGrey;
    footer.colour = Qt::white;
    footer.expressions = true;
    return report;
}

void fillList(Report& report, const QString& title, const QStringList& lines)
{
    report.setText(QStringLiteral("txtTitolo"), title);
    report.clearLines(QStringLiteral("txtRiepilogo"));
    for (const QString& line : lines)
        report.appendLine(QStringLiteral("txtRiepilogo"), line);
    const double height = lines.size() * ListLinePitch;
    report.setHeight(QStringLiteral("txtRiepilogo"), height);
    report.setHeight(QStringLiteral("MasterData"), height + 10);
}

} // namespace rf::Reports
