#include "Table.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace rf::bench {

namespace {
std::vector<double> sorted(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

bool failed(const Series& series)
{
    return std::any_of(series.values.begin(), series.values.end(), [](double v) { return v < 0; });
}

QString number(double value)
{
    return QString::number(value, 'f', value < 10 ? 2 : 1);
}
} // namespace

double Series::min() const
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

double Series::median() const
{
    if (values.empty())
        return 0;
    const std::vector<double> in = sorted(values);
    return in[in.size() / 2];
}

double Series::max() const
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

double Series::spread() const
{
    return median() > 0 ? (max() - min()) / median() : 0;
}

QString Series::text(const QString& unit) const
{
    if (values.empty())
        return {};
    if (failed(*this))
        return QStringLiteral("no frame");
    if (values.size() == 1)
        return number(values.front()) + unit;
    return QStringLiteral("%1%2 [%3–%4]").arg(number(median()), unit, number(min()), number(max()));
}

Paired paired(int runs, const std::function<double()>& program, const std::function<double()>& floor,
              const std::function<void()>& prepare)
{
    Paired times;
    for (int i = 0; i < runs; ++i) {
        times.floor.values.push_back(floor());
        if (prepare)
            prepare();
        times.program.values.push_back(program());
    }
    return times;
}

Series repeat(int runs, const std::function<double()>& work, const std::function<void()>& prepare)
{
    Series times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        times.values.push_back(work());
    }
    return times;
}

double timed(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void Table::ratio(const QString& operation, const Paired& times, double limit)
{
    const double value = times.floor.median() > 0 ? times.program.median() / times.floor.median() : 0;
    const bool ok = !failed(times.program) && !failed(times.floor) && value > 0 && value <= limit;
    m_rows.push_back({operation, times.program.text(QStringLiteral(" ms")),
                      times.floor.text(QStringLiteral(" ms")), QStringLiteral("%1×").arg(value, 0, 'f', 2),
                      QStringLiteral("≤ %1×").arg(limit), ok,
                      std::max(times.program.spread(), times.floor.spread())});
}

void Table::milliseconds(const QString& operation, const Series& program, double limit, const Series& floor)
{
    const bool ok = !failed(program) && program.median() <= limit;
    m_rows.push_back({operation, program.text(QStringLiteral(" ms")), floor.text(QStringLiteral(" ms")),
                      QString(), QStringLiteral("≤ %1 ms").arg(limit), ok, program.spread()});
}

void Table::memory(const QString& operation, double mebibytes, double idle, double limit)
{
    m_rows.push_back({operation, QStringLiteral("+%1 MiB").arg(mebibytes, 0, 'f', 1),
                      QStringLiteral("%1 MiB idle").arg(idle, 0, 'f', 0), QString(),
                      QStringLiteral("≤ +%1 MiB").arg(limit), mebibytes <= limit, 0});
}

void Table::size(const QString& operation, double bytes, double reference, double limit)
{
    m_rows.push_back({operation, QStringLiteral("%1 KiB").arg(bytes / 1024, 0, 'f', 0),
                      QStringLiteral("%1 KiB").arg(reference / 1024, 0, 'f', 0), QString(),
                      QStringLiteral("≤ %1 KiB").arg(limit / 1024, 0, 'f', 0), bytes <= limit, 0});
}

void Table::note(const QString& operation, const Series& program, const Series& floor)
{
    m_rows.push_back({operation, program.text(QStringLiteral(" ms")), floor.text(QStringLiteral(" ms")),
                      QString(), QStringLiteral("(no target)"), std::nullopt, program.spread()});
}

void Table::print(bool judge) const
{
    const auto line = [](const QString& a, const QString& b, const QString& c, const QString& d,
                         const QString& e, const QString& f) {
        // Padded by characters, not bytes, so that "≤" and "×" keep the columns straight.
        std::printf("%s %s %s %s %s  %s\n", a.leftJustified(50).toUtf8().constData(),
                    b.rightJustified(26).toUtf8().constData(), c.rightJustified(26).toUtf8().constData(),
                    d.rightJustified(7).toUtf8().constData(), e.rightJustified(12).toUtf8().constData(),
                    f.toUtf8().constData());
    };
    std::printf("\nTimes are median [min–max] of the runs; ratios and targets use the medians.\n\n");
    line(QStringLiteral("Operation"), QStringLiteral("Program"), QStringLiteral("Floor"),
         QStringLiteral("Ratio"), QStringLiteral("Target"), QString());
    std::printf("%s\n", QString(128, QLatin1Char('-')).toUtf8().constData());
    std::vector<double> spreads;
    const Row* widest = nullptr;
    for (const Row& row : m_rows) {
        QString verdict;
        if (judge && row.met)
            verdict = *row.met ? QStringLiteral("met") : QStringLiteral("MISSED");
        line(row.operation, row.program, row.floor, row.ratio, row.target, verdict);
        if (row.spread > 0) {
            spreads.push_back(row.spread);
            if (!widest || row.spread > widest->spread)
                widest = &row;
        }
    }
    if (widest) {
        std::sort(spreads.begin(), spreads.end());
        std::printf("\nRun spread ((max − min) ÷ median of a row's runs, program or floor): %.0f%% in the "
                    "middle row, %.0f%% at most (%s).\n",
                    spreads[spreads.size() / 2] * 100, widest->spread * 100,
                    widest->operation.toUtf8().constData());
    }
}

bool Table::allMet() const
{
    return std::all_of(m_rows.begin(), m_rows.end(), [](const Row& row) { return !row.met || *row.met; });
}

} // namespace rf::bench
