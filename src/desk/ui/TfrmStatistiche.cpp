#include "TfrmStatistiche.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/PrintChoiceDialog.h"
#include "common/ui/Style.h"
#include "common/ui/UserTexts.h"
#include "common/ui/WaitCursor.h"
#include "desk/documents/SeasonSheet.h"
#include "planner/BookedDays.h"
#include "reports/Layout.h"
#include "reports/Render.h"
#include "storage/Amounts.h"
#include "storage/CalendarNames.h"
#include "storage/MessageBreaks.h"
#include "storage/Spreadsheet.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QHash>
#include <QHorizontalBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>

namespace rf {

namespace {

using Chart = TfrmStatistiche::Chart;

constexpr int ClientWidth = 1000;
constexpr int ClientHeight = 700;
// The size a chart is laid out at for printing, and how many image pixels each of its points takes.
const QSize PrintedChart(1100, 640);
constexpr int PrintScale = 2;

const QString PrintFailed = QStringLiteral("Attenzione: la stampa del grafico non è andata a buon fine.");
const QString PreviewFailed = QStringLiteral(
    "Attenzione: la visualizzazione dell'anteprima di stampa del grafico non è andata a buon fine.");
const QString PdfFailed =
    QStringLiteral("Attenzione: non è stato possibile salvare il grafico in formato PDF." RF_BREAK_LF_CR
                   "Accertarsi di possedere i privilegi di scrittura nella cartella scelta.");
const QString ExportFailed =
    QStringLiteral("Attenzione: non è stato possibile esportare i dati del grafico." RF_BREAK_LF_CR
                   "Accertarsi di possedere i privilegi di scrittura nella cartella scelta.");
const QString PdfSaved = QStringLiteral("Il grafico è stato salvato in formato PDF nel file:" RF_BREAK_LF_CR);
const QString OpenQuestion = QStringLiteral(
    "I dati del grafico sono stati esportati con successo." RF_BREAK_LF_CR "Aprire il file ora?");

// "3,5": one decimal with a comma.
QString oneDecimal(double value)
{
    return QString::number(value, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

// "1234.50": an amount as the sheet writer takes a number.
QString sheetAmount(qint64 cents)
{
    return QString::number(double(cents) / 100.0, 'f', 2);
}

// The share of the season a vehicle was rented, in whole percent, as a number of the sheet.
QString sheetUtilization(const SeasonFigures& figures, const VehicleFigures& vehicle)
{
    const std::optional<double> share = figures.utilization(vehicle);
    return share ? QString::number(qRound(*share * 100)) : QStringLiteral("n.d.");
}

// The folder the statistics of this data folder last saved a file in: the next save dialog opens
// there.
QString lastFolderKey(const Context& context)
{
    return Settings::perDataFolder(QStringLiteral("Statistiche"), context.dataFolder());
}

QString utilizationText(const SeasonFigures& figures, const VehicleFigures& vehicle)
{
    const std::optional<double> share = figures.utilization(vehicle);
    return share ? QString::number(qRound(*share * 100)) + QLatin1Char('%') : QStringLiteral("n.d.");
}

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    // Numbers on the axes as an Italian reader writes them: "1.500,00 €".
    chart->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    chart->setLocalizeNumbers(true);
    chart->setTitle(title);
    chart->setTitleFont(Style::font(Style::Family::Verdana, 15, true));
    chart->setTitleBrush(QColor(Style::Ink));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setFont(Style::font(Style::Family::Verdana, 11));
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QBarSet* barSet(const QString& label, QRgb colour)
{
    auto* set = new QBarSet(label);
    set->setColor(QColor(colour));
    set->setBorderColor(QColor(colour).darker(120));
    return set;
}

// Shows text(index) beside the pointer while it is over a bar of set.
void tipOnHover(QBarSet* set, std::function<QString(int)> text)
{
    QObject::connect(set, &QBarSet::hovered, set, [text = std::move(text)](bool over, int index) {
        if (over)
            QToolTip::showText(QCursor::pos(), text(index));
        else
            QToolTip::hideText();
    });
}

QBarCategoryAxis* categoryAxis(const QStringList& categories)
{
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    axis->setLabelsFont(Style::font(Style::Family::Verdana, 11));
    // Crowded labels (twenty vehicles) are written whole rather than cut to dots.
    axis->setTruncateLabels(false);
    return axis;
}

// From a round value at or below bottom (0 at most) to one at or above top, in steps of 1, 2 or 5
// times a power of ten, about a fifth of the way each, and of one unit at least (a count's ticks
// stay whole numbers). Nice steps are multiples of the step, so 0 is always a tick.
QValueAxis* roundAxis(double top, double bottom = 0)
{
    auto* axis = new QValueAxis;
    axis->setRange(std::min(bottom, 0.0), std::max(top, bottom < 0 ? 0.0 : 1.0));
    axis->setTickCount(6);
    axis->applyNiceNumbers();
    if ((axis->max() - axis->min()) / (axis->tickCount() - 1) < 1) {
        // Up to 2 the nice steps would be halves or fifths.
        const int low = int(std::floor(axis->min()));
        const int high = int(std::ceil(axis->max()));
        axis->setRange(low, high);
        axis->setTickCount(high - low + 1);
    }
    axis->setLabelsFont(Style::font(Style::Family::Verdana, 11));
    return axis;
}

QValueAxis* countAxis(int top, const QString& title)
{
    QValueAxis* axis = roundAxis(top);
    // Localised labels take a precision: "%d" would leave them blank.
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTitleText(title);
    axis->setTitleFont(Style::font(Style::Family::Verdana, 11));
    return axis;
}

// Each tick written as an amount: "1.000,00 €", "-500,00 €".
QValueAxis* euroAxis(qint64 topCents, qint64 bottomCents = 0)
{
    QValueAxis* axis = roundAxis(double(topCents) / 100.0, double(bottomCents) / 100.0);
    axis->setLabelFormat(QStringLiteral("%.2f \u20AC"));
    return axis;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* horizontal, QAbstractAxis* vertical)
{
    chart->addSeries(series);
    chart->addAxis(horizontal, Qt::AlignBottom);
    chart->addAxis(vertical, Qt::AlignLeft);
    series->attachAxis(horizontal);
    series->attachAxis(vertical);
}

QStringList shortMonths()
{
    QStringList months;
    for (int month = 1; month <= 12; ++month)
        months.append(monthName(month).left(3));
    return months;
}

QChart* monthsChart(const SeasonFigures& figures, const QString& title)
{
    QChart* chart = newChart(title);
    QBarSet* set = barSet(QStringLiteral("Noleggi"), Style::SteelBlue);
    for (int count : figures.rentals)
        set->append(count);
    tipOnHover(set, [rentals = figures.rentals](int index) {
        return monthName(index + 1) + QStringLiteral(": %1 noleggi").arg(rentals[std::size_t(index)]);
    });
    auto* series = new QBarSeries;
    series->append(set);
    const int top = *std::max_element(figures.rentals.begin(), figures.rentals.end());
    attach(chart, series, categoryAxis(shortMonths()), countAxis(top, QStringLiteral("Noleggi")));
    chart->legend()->hide();
    return chart;
}

QChart* revenueChart(const SeasonFigures& figures, const QString& title)
{
    QChart* chart = newChart(title);
    QBarSet* set = barSet(QStringLiteral("Incassi"), Style::DarkCyan);
    for (qint64 cents : figures.revenueCents)
        set->append(double(cents) / 100.0);
    tipOnHover(set, [revenue = figures.revenueCents](int index) {
        return monthName(index + 1) + QStringLiteral(": ") + euroText(revenue[std::size_t(index)]);
    });
    auto* series = new QBarSeries;
    series->append(set);
    const qint64 top = *std::max_element(figures.revenueCents.begin(), figures.revenueCents.end());
    attach(chart, series, categoryAxis(shortMonths()), euroAxis(top));
    chart->legend()->hide();
    return chart;
}

const QString MostRented = QStringLiteral("Più noleggiati");
const QString LeastRented = QStringLiteral("Meno noleggiati");

// The two ends of a ranking of count vehicles charted across, named beside their bars on the right:
// the lower end (the last VehiclesCharted of the ranking) at the bottom.
void nameTheEnds(QChart* chart, QAbstractSeries* series, int count, const QString& lower,
                 const QString& upper)
{
    const int lowerEnd = int(TfrmStatistiche::VehiclesCharted);
    auto* groups = new QCategoryAxis;
    groups->setStartValue(-0.5);
    groups->append(lower, lowerEnd - 0.5);
    groups->append(upper, count - 0.5);
    groups->setRange(-0.5, count - 0.5);
    groups->setLabelsFont(Style::font(Style::Family::Verdana, 11, true));
    groups->setGridLineVisible(false);
    chart->addAxis(groups, Qt::AlignRight);
    series->attachAxis(groups);
}

QChart* vehiclesChart(const SeasonFigures& figures, const QString& title)
{
    QChart* chart = newChart(title);
    std::vector<VehicleFigures> charted =
        topAndBottom(rankedVehicles(figures.vehicles), TfrmStatistiche::VehiclesCharted);
    // A horizontal chart draws its first category at the bottom: the most rented goes last.
    std::reverse(charted.begin(), charted.end());
    const bool split = figures.vehicles.size() > 2 * TfrmStatistiche::VehiclesCharted;
    QBarSet* rented = barSet(QStringLiteral("Giorni di noleggio"), Style::SteelBlue);
    QBarSet* booked = barSet(QStringLiteral("Giorni prenotati nel planner"), Style::DarkCyan);
    QStringList categories;
    QStringList tips;
    int top = 0;
    for (const VehicleFigures& vehicle : charted) {
        const QString share = utilizationText(figures, vehicle);
        categories.append(vehicle.number + QStringLiteral(" (") + share + QLatin1Char(')'));
        rented->append(vehicle.daysRented);
        booked->append(vehicle.daysBooked.value_or(0));
        top = std::max({top, vehicle.daysRented, vehicle.daysBooked.value_or(0)});
        tips.append(QStringLiteral("Veicolo %1: %2 noleggi, %3 giorni di noleggio, utilizzo %4")
                        .arg(vehicle.number)
                        .arg(vehicle.rentals)
                        .arg(vehicle.daysRented)
                        .arg(share));
    }
    const auto tip = [tips](int index) { return tips.value(index); };
    tipOnHover(rented, tip);
    tipOnHover(booked, tip);
    auto* series = new QHorizontalBarSeries;
    series->append(rented);
    series->append(booked);
    attach(chart, series, countAxis(top, QStringLiteral("Giorni")), categoryAxis(categories));
    if (split)
        nameTheEnds(chart, series, int(charted.size()), LeastRented, MostRented);
    return chart;
}

const QString HighestMargins = QStringLiteral("Margini più alti");
const QString LowestMargins = QStringLiteral("Margini più bassi");

// "Veicolo 7: incasso 1.244,50 €, officina 300,00 €, margine 944,50 €, 3 giorni in officina".
QString marginTip(const VehicleFigures& vehicle)
{
    return QStringLiteral("Veicolo %1: incasso %2, officina %3, margine %4, %5 giorni in officina")
        .arg(vehicle.number, euroText(vehicle.revenueCents), euroText(vehicle.workshopCents),
             euroText(vehicle.marginCents()), QString::number(vehicle.workshopDays));
}

// The highest and the lowest margins, the highest at the top; a gain and a loss in colours of their
// own, each bar from 0, so that a loss stands left of the axis's 0.
QChart* marginsChart(const SeasonFigures& figures, const QString& title)
{
    QChart* chart = newChart(title);
    std::vector<VehicleFigures> charted =
        topAndBottom(rankedByMargin(figures.vehicles), TfrmStatistiche::VehiclesCharted);
    std::reverse(charted.begin(), charted.end());
    QBarSet* gains = barSet(QStringLiteral("Margine positivo"), Style::SteelBlue);
    QBarSet* losses = barSet(QStringLiteral("Margine negativo"), Style::Crimson);
    QStringList categories;
    QStringList tips;
    qint64 top = 0;
    qint64 bottom = 0;
    for (const VehicleFigures& vehicle : charted) {
        const qint64 margin = vehicle.marginCents();
        categories.append(vehicle.number);
        gains->append(margin > 0 ? double(margin) / 100.0 : 0.0);
        losses->append(margin < 0 ? double(margin) / 100.0 : 0.0);
        top = std::max(top, margin);
        bottom = std::min(bottom, margin);
        tips.append(marginTip(vehicle));
    }
    const auto tip = [tips](int index) { return tips.value(index); };
    tipOnHover(gains, tip);
    tipOnHover(losses, tip);
    // Stacked, a vehicle's one bar stands in the middle of its row: the other set holds 0 there.
    auto* series = new QHorizontalStackedBarSeries;
    series->append(gains);
    series->append(losses);
    attach(chart, series, euroAxis(top, bottom), categoryAxis(categories));
    if (figures.vehicles.size() > 2 * TfrmStatistiche::VehiclesCharted)
        nameTheEnds(chart, series, int(charted.size()), LowestMargins, HighestMargins);
    return chart;
}

QChart* weekdaysChart(const SeasonFigures& figures, const QString& title)
{
    QChart* chart = newChart(title);
    QBarSet* set = barSet(QStringLiteral("Noleggi"), Style::SteelBlue);
    set->setSelectedColor(QColor(Style::Crimson));
    const int top = *std::max_element(figures.weekdays.begin(), figures.weekdays.end());
    QStringList days;
    for (std::size_t day = 0; day < figures.weekdays.size(); ++day) {
        set->append(figures.weekdays[day]);
        days.append(weekdayName(int(day) + 1));
        // The busiest days stand out.
        if (top > 0 && figures.weekdays[day] == top)
            set->selectBar(int(day));
    }
    tipOnHover(set, [weekdays = figures.weekdays](int index) {
        return weekdayName(index + 1) + QStringLiteral(": %1 noleggi").arg(weekdays[std::size_t(index)]);
    });
    auto* series = new QBarSeries;
    series->append(set);
    attach(chart, series, categoryAxis(days), countAxis(top, QStringLiteral("Noleggi")));
    chart->legend()->hide();
    return chart;
}

QChart* chartOf(const SeasonFigures& figures, Chart chart, const QString& title)
{
    switch (chart) {
    case Chart::Months:
        return monthsChart(figures, title);
    case Chart::Revenue:
        return revenueChart(figures, title);
    case Chart::Vehicles:
        return vehiclesChart(figures, title);
    case Chart::Margins:
        return marginsChart(figures, title);
    case Chart::Weekdays:
        break;
    }
    return weekdaysChart(figures, title);
}

// The chart drawn as a picture for the printed page, laid out at its own size whatever the window's.
QImage chartImage(const SeasonFigures& figures, Chart which, const QString& title)
{
    QGraphicsScene scene;
    QChart* chart = chartOf(figures, which, title);
    scene.addItem(chart); // the scene owns it
    chart->resize(PrintedChart);
    chart->layout()->activate();
    QImage image(PrintedChart * PrintScale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(QPointF(), image.size()), QRectF(QPointF(), PrintedChart));
    return image;
}

// The figures behind a chart, as the columns and rows of a sheet.
struct FigureSheet {
    std::vector<ExportColumn> columns;
    ExportTable table{0};
};

ExportColumn sheetColumn(const QString& header, int width, CellKind kind = CellKind::Number)
{
    return {header, width, header, width, {}, -1, kind};
}

// Every vehicle, from the highest margin, with its six figures.
FigureSheet marginSheet(const SeasonFigures& figures)
{
    FigureSheet sheet;
    sheet.columns = {sheetColumn(QStringLiteral("Veicolo"), 150, CellKind::Text),
                     sheetColumn(QStringLiteral("Noleggi"), 100),
                     sheetColumn(QStringLiteral("Giorni di noleggio"), 150),
                     sheetColumn(QStringLiteral("Incasso (\u20AC)"), 140),
                     sheetColumn(QStringLiteral("Costo officina (\u20AC)"), 160),
                     sheetColumn(QStringLiteral("Margine (\u20AC)"), 140),
                     sheetColumn(QStringLiteral("Giorni in officina"), 150)};
    sheet.table = ExportTable(7);
    for (const VehicleFigures& vehicle : rankedByMargin(figures.vehicles))
        sheet.table.addRow({vehicle.number, QString::number(vehicle.rentals),
                            QString::number(vehicle.daysRented), sheetAmount(vehicle.revenueCents),
                            sheetAmount(vehicle.workshopCents), sheetAmount(vehicle.marginCents()),
                            QString::number(vehicle.workshopDays)});
    return sheet;
}

FigureSheet sheetOf(const SeasonFigures& figures, Chart chart)
{
    FigureSheet sheet;
    switch (chart) {
    case Chart::Months:
        sheet.columns = {sheetColumn(QStringLiteral("Mese"), 150, CellKind::Text),
                         sheetColumn(QStringLiteral("Noleggi"), 100)};
        sheet.table = ExportTable(2);
        for (int month = 1; month <= 12; ++month)
            sheet.table.addRow({monthName(month), QString::number(figures.rentals[std::size_t(month - 1)])});
        break;
    case Chart::Revenue:
        sheet.columns = {sheetColumn(QStringLiteral("Mese"), 150, CellKind::Text),
                         sheetColumn(QStringLiteral("Incasso (\u20AC)"), 140)};
        sheet.table = ExportTable(2);
        for (int month = 1; month <= 12; ++month)
            sheet.table.addRow({monthName(month), sheetAmount(figures.revenueCents[std::size_t(month - 1)])});
        break;
    case Chart::Vehicles:
        sheet.columns = {sheetColumn(QStringLiteral("Veicolo"), 150, CellKind::Text),
                         sheetColumn(QStringLiteral("Noleggi"), 100),
                         sheetColumn(QStringLiteral("Giorni di noleggio"), 150),
                         sheetColumn(QStringLiteral("Giorni prenotati"), 150),
                         sheetColumn(QStringLiteral("Utilizzo (%)"), 100)};
        sheet.table = ExportTable(5);
        // Every vehicle, in the chart's order; the chart shows the two ends.
        for (const VehicleFigures& vehicle : rankedVehicles(figures.vehicles))
            sheet.table.addRow(
                {vehicle.number, QString::number(vehicle.rentals), QString::number(vehicle.daysRented),
                 vehicle.daysBooked ? QString::number(*vehicle.daysBooked) : QStringLiteral("n.d."),
                 sheetUtilization(figures, vehicle)});
        break;
    case Chart::Margins:
        return marginSheet(figures);
    case Chart::Weekdays:
        sheet.columns = {sheetColumn(QStringLiteral("Giorno"), 150, CellKind::Text),
                         sheetColumn(QStringLiteral("Noleggi"), 100)};
        sheet.table = ExportTable(2);
        for (int day = 1; day <= 7; ++day)
            sheet.table.addRow({weekdayName(day), QString::number(figures.weekdays[std::size_t(day - 1)])});
        break;
    }
    return sheet;
}

const QString DaysNote =
    QStringLiteral("Giorni di noleggio: i giorni del contratto (data fine \u2212 data inizio, come Calcola). "
                   "Giorni prenotati: i giorni segnati nel planner.");

} // namespace

TfrmStatistiche::TfrmStatistiche(Context& context, QWidget* owner)
    : FixedDialog(context, owner, QStringLiteral("frmStatistiche"), QStringLiteral(" Statistiche"),
                  QSize(ClientWidth, ClientHeight))
{
    m_tabGrafici = new QTabWidget(this);
    m_tabGrafici->setObjectName(QStringLiteral("tabGrafici"));
    m_tabGrafici->setFont(Style::font(Style::Family::Verdana, 12, true));
    const std::array<std::pair<const char*, QString>, ChartCount> tabs{{
        {"chtNoleggi", QStringLiteral("Noleggi per mese")},
        {"chtIncassi", QStringLiteral("Incassi per mese")},
        {"chtVeicoli", QStringLiteral("Veicoli")},
        {"chtGiorni", QStringLiteral("Giorni della settimana")},
        {"chtMargini", QStringLiteral("Margine per veicolo")},
    }};
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        auto* view = new QChartView(m_tabGrafici);
        view->setObjectName(QString::fromLatin1(tabs[i].first));
        view->setRenderHint(QPainter::Antialiasing);
        m_tabGrafici->addTab(view, tabs[i].second);
        m_views[i] = view;
    }

    m_lblAvvisi = new QLabel(this);
    m_lblAvvisi->setObjectName(QStringLiteral("lblAvvisi"));
    m_lblAvvisi->setWordWrap(true);
    m_lblAvvisi->setFont(Style::font(Style::Family::Verdana, 11, true));
    m_lblAvvisi->setStyleSheet(Style::sheet(QStringLiteral("QLabel { color: @TakenRed; }")));

    const QSize buttonSize(120, 32);
    QPushButton* btnStampa =
        Style::button(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), buttonSize, this);
    QPushButton* btnAnteprima =
        Style::button(QStringLiteral("btnAnteprima"), QStringLiteral("Anteprima"), buttonSize, this);
    QPushButton* btnPdf =
        Style::button(QStringLiteral("btnPdf"), QStringLiteral("Salva PDF"), buttonSize, this);
    QPushButton* btnEsporta =
        Style::button(QStringLiteral("btnEsporta"), QStringLiteral("Esporta dati"), buttonSize, this);
    QPushButton* btnChiudi = makeCloseButton();
    btnChiudi->setFixedSize(buttonSize);
    btnStampa->setToolTip(QStringLiteral("Stampa il grafico in primo piano"));
    btnAnteprima->setToolTip(QStringLiteral("Mostra l'anteprima di stampa del grafico in primo piano"));
    btnPdf->setToolTip(QStringLiteral("Salva il grafico in primo piano in formato PDF"));
    btnEsporta->setToolTip(
        QStringLiteral("Esporta i dati del grafico in primo piano in un foglio di calcolo"));
    connect(btnStampa, &QPushButton::clicked, this, &TfrmStatistiche::btnStampaClick);
    connect(btnAnteprima, &QPushButton::clicked, this, &TfrmStatistiche::btnAnteprimaClick);
    connect(btnPdf, &QPushButton::clicked, this, &TfrmStatistiche::btnPdfClick);
    connect(btnEsporta, &QPushButton::clicked, this, &TfrmStatistiche::btnEsportaClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 14);
    layout->setSpacing(8);
    layout->addWidget(buildYear());
    layout->addWidget(m_tabGrafici, 1);
    layout->addWidget(m_lblAvvisi);
    layout->addLayout(buttonRow({btnStampa, btnAnteprima, btnPdf, btnEsporta, btnChiudi}));

    setTabOrder(m_tabGrafici, btnStampa);
    setTabOrder(btnStampa, btnAnteprima);
    setTabOrder(btnAnteprima, btnPdf);
    setTabOrder(btnPdf, btnEsporta);
    setTabOrder(btnEsporta, btnChiudi);
}

QWidget* TfrmStatistiche::buildYear()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panAnno"));
    panel->setStyleSheet(
        Style::sheet(QStringLiteral("QFrame#panAnno { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                    "stop:0 @FilterTop, stop:1 @White);"
                                    " border: 1px solid @PanelBorder; border-radius: 6px; }")));
    m_txtAnno = new QLineEdit(panel);
    m_txtAnno->setObjectName(QStringLiteral("txtAnno"));
    m_txtAnno->setMaxLength(4);
    m_txtAnno->setFixedSize(80, 28);
    m_txtAnno->setAlignment(Qt::AlignCenter);
    m_txtAnno->setFont(Style::font(Style::Family::Verdana, 12, true));
    m_txtAnno->setText(QString::number(m_context.clock().today().year()));
    Form::highlightByBackground(m_txtAnno);
    Form::filterKeys(m_txtAnno, Form::Keys::DigitsOnly);
    connect(m_txtAnno, &QLineEdit::returnPressed, this, &TfrmStatistiche::btnCalcolaClick);
    QLabel* titAnno = Style::caption(QStringLiteral("Anno:"), 12, panel);
    titAnno->setObjectName(QStringLiteral("titAnno"));
    titAnno->setBuddy(m_txtAnno);
    QPushButton* btnCalcola =
        Style::button(QStringLiteral("btnCalcola"), QStringLiteral("Calcola"), QSize(110, 32), panel);
    connect(btnCalcola, &QPushButton::clicked, this, &TfrmStatistiche::btnCalcolaClick);

    m_lblRiepilogo = Style::caption(QString(), 12, panel);
    m_lblRiepilogo->setObjectName(QStringLiteral("lblRiepilogo"));
    m_lblDurataMedia = Style::caption(QString(), 12, panel);
    m_lblDurataMedia->setObjectName(QStringLiteral("lblDurataMedia"));
    // Two counts of days that differ and must not be mistaken for each other.
    QLabel* lblGiorniNota = Style::caption(DaysNote, 10, panel);
    lblGiorniNota->setObjectName(QStringLiteral("lblGiorniNota"));
    lblGiorniNota->setFont(Style::font(Style::Family::Verdana, 10));
    lblGiorniNota->setWordWrap(true);
    auto* totals = new QVBoxLayout;
    totals->setSpacing(2);
    totals->addWidget(m_lblRiepilogo);
    totals->addWidget(m_lblDurataMedia);
    totals->addWidget(lblGiorniNota);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(16, 8, 16, 8);
    row->setSpacing(10);
    row->addWidget(titAnno);
    row->addWidget(m_txtAnno);
    row->addWidget(btnCalcola);
    row->addSpacing(30);
    row->addLayout(totals);
    row->addStretch(1);
    setTabOrder(m_txtAnno, btnCalcola);
    setTabOrder(btnCalcola, m_tabGrafici);
    return panel;
}

void TfrmStatistiche::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (!m_figures)
        btnCalcolaClick();
    m_txtAnno->setFocus(Qt::OtherFocusReason);
    m_txtAnno->selectAll();
}

void TfrmStatistiche::btnCalcolaClick()
{
    const QString text = m_txtAnno->text().trimmed();
    static const QRegularExpression fourDigits(QStringLiteral("^[1-9][0-9]{3}$"));
    if (!fourDigits.match(text).hasMatch()) {
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: indicare l'anno con quattro cifre, ad esempio %1.")
                      .arg(m_context.clock().today().year()));
        m_txtAnno->setFocus(Qt::OtherFocusReason);
        m_txtAnno->selectAll();
        return;
    }
    const int year = text.toInt();
    {
        const WaitCursor wait;
        const QString folder = m_context.dataFolder();
        m_figures = seasonFigures(folder, year, [&folder, year](const QString& number) {
            return Planning::bookedDaysInYear(folder, number, year);
        });
    }
    showFigures();
}

void TfrmStatistiche::showFigures()
{
    const SeasonFigures& figures = *m_figures;
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        const Chart chart = Chart(i);
        QChart* old = m_views[i]->chart();
        m_views[i]->setChart(chartOf(figures, chart, titleOf(chart)));
        delete old; // the view gives up a chart it no longer shows
    }
    m_lblRiepilogo->setText(QStringLiteral("Noleggi nel %1: %2   Incasso: %3")
                                .arg(figures.year)
                                .arg(figures.totalRentals())
                                .arg(euroText(figures.totalRevenueCents())));
    m_lblDurataMedia->setText(
        QStringLiteral("Durata media del noleggio: %1 giorni").arg(oneDecimal(figures.averageLength())));
    QStringList notes;
    if (!figures.contractsRead)
        notes.append(QStringLiteral("Attenzione: l'archivio dei contratti non è stato letto per intero."));
    if (!figures.fleetRead)
        notes.append(QStringLiteral("Attenzione: l'archivio dei veicoli non è stato letto per intero."));
    if (!figures.serviceLogRead)
        notes.append(
            QStringLiteral("Attenzione: il registro delle manutenzioni non è stato letto per intero."));
    if (figures.unreadableDates > 0)
        notes.append(QStringLiteral("Contratti esclusi perché la data di inizio non è leggibile: %1.")
                         .arg(figures.unreadableDates));
    if (figures.unreadableAmounts > 0)
        notes.append(
            QStringLiteral("Contratti contati senza incasso perché l'importo totale non è leggibile: %1.")
                .arg(figures.unreadableAmounts));
    m_lblAvvisi->setText(notes.join(QLatin1Char(' ')));
}

TfrmStatistiche::Chart TfrmStatistiche::currentChart() const
{
    return Chart(std::clamp(m_tabGrafici->currentIndex(), 0, ChartCount - 1));
}

void TfrmStatistiche::showChart(Chart chart)
{
    m_tabGrafici->setCurrentIndex(int(chart));
}

QString TfrmStatistiche::titleOf(Chart chart) const
{
    const QString year = m_figures ? QString::number(m_figures->year) : QString();
    switch (chart) {
    case Chart::Months:
        return QStringLiteral("Noleggi per mese - ") + year;
    case Chart::Revenue:
        return QStringLiteral("Incassi per mese - ") + year;
    case Chart::Vehicles:
        return m_figures && m_figures->vehicles.size() > 2 * VehiclesCharted
                   ? QStringLiteral("I dieci veicoli più noleggiati e i dieci meno noleggiati - ") + year
                   : QStringLiteral("Giorni di noleggio per veicolo - ") + year;
    case Chart::Margins:
        return m_figures && m_figures->vehicles.size() > 2 * VehiclesCharted
                   ? QStringLiteral("I dieci veicoli con il margine più alto e i dieci con il più basso - ") +
                         year
                   : QStringLiteral("Margine per veicolo - ") + year;
    case Chart::Weekdays:
        break;
    }
    return QStringLiteral("Noleggi per giorno della settimana - ") + year;
}

Reports::Report TfrmStatistiche::report(Chart chart) const
{
    if (!m_figures)
        return Reports::seasonSheet();
    const SeasonFigures& figures = *m_figures;
    const QImage picture = chartImage(figures, chart, titleOf(chart));
    if (chart == Chart::Margins) {
        // The margins come with every vehicle's figures behind them.
        Reports::Report sheet = Reports::seasonSheetWithTable();
        const qint64 revenue = figures.totalRevenueCents();
        const qint64 workshop = figures.totalWorkshopCents();
        Reports::fillSeasonSheet(
            sheet, titleOf(chart), picture,
            QStringLiteral("Incasso: %1   Costo officina: %2   Margine: %3")
                .arg(euroText(revenue), euroText(workshop), euroText(revenue - workshop)));
        Reports::fillVehicleTable(sheet, QStringLiteral("Dati per veicolo - %1").arg(figures.year),
                                  rankedByMargin(figures.vehicles));
        return sheet;
    }
    Reports::Report sheet = Reports::seasonSheet();
    Reports::fillSeasonSheet(
        sheet, titleOf(chart), picture,
        QStringLiteral("Noleggi: %1   Incasso: %2   Durata media del noleggio: %3 giorni")
            .arg(figures.totalRentals())
            .arg(euroText(figures.totalRevenueCents()))
            .arg(oneDecimal(figures.averageLength())));
    return sheet;
}

void TfrmStatistiche::btnStampaClick()
{
    if (m_figures)
        outputReport(m_context, this, report(currentChart()), Output::Print, PrintFailed);
}

void TfrmStatistiche::btnAnteprimaClick()
{
    if (m_figures)
        outputReport(m_context, this, report(currentChart()), Output::Preview, PreviewFailed);
}

void TfrmStatistiche::btnPdfClick()
{
    if (!m_figures)
        return;
    const Reports::Report page = report(currentChart());
    QString path = m_context.dialogs().saveFile(this, QStringLiteral("Salva il grafico in formato PDF"),
                                                startPath(page.fileName() + QStringLiteral(".pdf")),
                                                Style::PdfFileFilter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    rememberFolder(path);
    bool written = false;
    try {
        const Reports::Prepared prepared = Reports::prepare(page, m_context.clock().today());
        written = prepared.ok && Reports::writePdf(prepared.document, path);
    } catch (const std::exception&) {
        written = false; // no memory for the page's picture
    }
    if (written)
        m_context.messages().information(this, PdfSaved + QDir::toNativeSeparators(path));
    else
        m_context.messages().warning(this, PdfFailed);
}

QString TfrmStatistiche::startPath(const QString& fileName) const
{
    const QString folder = m_context.settings().value(lastFolderKey(m_context));
    return folder.isEmpty() ? m_context.path(fileName) : QDir(folder).filePath(fileName);
}

void TfrmStatistiche::rememberFolder(const QString& path)
{
    m_context.settings().setValue(lastFolderKey(m_context), QFileInfo(path).absolutePath());
}

void TfrmStatistiche::btnEsportaClick()
{
    if (!m_figures)
        return;
    const Chart chart = currentChart();
    QString path = m_context.dialogs().saveFile(
        this, QStringLiteral("Esporta i dati del grafico"),
        startPath(Reports::safeFileName(QStringLiteral("Statistiche ") + titleOf(chart)) +
                  QStringLiteral(".xls")),
        Style::SpreadsheetFileFilter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive))
        path += QStringLiteral(".xls");
    rememberFolder(path);
    const FigureSheet sheet = sheetOf(*m_figures, chart);
    switch (writeSpreadsheet(path, QStringLiteral("Statistiche %1").arg(m_figures->year), sheet.columns,
                             sheet.table)) {
    case WriteResult::Written:
        if (m_context.messages().confirm(this, OpenQuestion))
            m_context.shell().open(QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"'));
        break;
    case WriteResult::Link:
        m_context.messages().warning(this, Texts::linkRefused(QFileInfo(path).fileName()));
        break;
    case WriteResult::Failed:
        m_context.messages().warning(this, ExportFailed);
        break;
    case WriteResult::Cancelled:
        break;
    }
}

} // namespace rf
