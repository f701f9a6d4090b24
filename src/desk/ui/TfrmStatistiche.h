#pragma once

#include "common/ui/FixedDialog.h"
#include "desk/SeasonFigures.h"
#include "reports/Report.h"

#include <array>
#include <optional>

class QChartView;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace rf {

// The figures of a season, as charts: rentals and revenue by month, the vehicles most and least
// rented with their days booked in the planner, the rentals by weekday, the vehicles with the
// highest and lowest margin (revenue less workshop cost), and the average rental length. The user types a
// year and presses Calcola (or Enter); the window opens on today's year. The chart on show can be printed,
// previewed or saved as PDF, and the figures behind it exported as a spreadsheet. It reads the contracts, the
// fleet and the planning files, so it lives at the desk, beside the areas rather than in one of them.
class TfrmStatistiche : public FixedDialog {
    Q_OBJECT
public:
    enum class Chart { Months, Revenue, Vehicles, Weekdays, Margins };
    static constexpr int ChartCount = 5;
    // The vehicles charted from each end of the ranking.
    static constexpr std::size_t VehiclesCharted = 10;

    TfrmStatistiche(Context& context, QWidget* owner);

    void btnCalcolaClick();
    void btnStampaClick();
    void btnAnteprimaClick();
    void btnPdfClick();
    void btnEsportaClick();

    // The figures on show; nothing before the first computation.
    const std::optional<SeasonFigures>& figures() const { return m_figures; }
    Chart currentChart() const;
    void showChart(Chart chart);
    // The printed page of a chart of the figures on show.
    Reports::Report report(Chart chart) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildYear();
    void showFigures();
    QString titleOf(Chart chart) const;
    // fileName in the folder a file was last saved in from this window, else in the data folder.
    QString startPath(const QString& fileName) const;
    void rememberFolder(const QString& path);

    QLineEdit* m_txtAnno = nullptr;
    QTabWidget* m_tabGrafici = nullptr;
    std::array<QChartView*, ChartCount> m_views{};
    QLabel* m_lblRiepilogo = nullptr;
    QLabel* m_lblDurataMedia = nullptr;
    QLabel* m_lblAvvisi = nullptr;
    std::optional<SeasonFigures> m_figures;
};

} // namespace rf
