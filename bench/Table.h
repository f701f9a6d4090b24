#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace rf::bench {

// The times of several runs of one operation.
struct Series {
    std::vector<double> values;

    bool empty() const { return values.empty(); }
    double min() const;
    double median() const;
    double max() const;
    // How far apart the runs were: (max − min) ÷ median.
    double spread() const;
    // "median [min–max]"; a single value alone.
    QString text(const QString& unit) const;
};

// Runs program and its floor one after the other, runs times, so that both see the machine in
// the same state; prepare runs untimed before each program run. Each work returns its time in ms
// (or -1 when it failed, which counts as a failed row).
struct Paired {
    Series program;
    Series floor;
};
Paired paired(int runs, const std::function<double()>& program, const std::function<double()>& floor,
              const std::function<void()>& prepare = {});
Series repeat(int runs, const std::function<double()>& work, const std::function<void()>& prepare = {});
// The time of work in ms.
double timed(const std::function<void()>& work);

// One line of the table. A row with a target is judged on the medians; a row without one only
// informs and is never counted as met.
class Table {
public:
    // program ÷ floor, both medians, at most limit.
    void ratio(const QString& operation, const Paired& times, double limit);
    // The program's median at most limit ms; floor, when given, is shown beside it.
    void milliseconds(const QString& operation, const Series& program, double limit,
                      const Series& floor = {});
    // A memory peak above the idle process, at most limit MiB.
    void memory(const QString& operation, double mebibytes, double idle, double limit);
    // A size in bytes, at most limit bytes, beside a reference size.
    void size(const QString& operation, double bytes, double reference, double limit);
    // A figure shown for information, with no target.
    void note(const QString& operation, const Series& program, const Series& floor = {});

    void print(bool judge) const;
    bool allMet() const;

private:
    struct Row {
        QString operation;
        QString program;
        QString floor;
        QString ratio;
        QString target;
        std::optional<bool> met; // empty: no target
        double spread = 0;
    };
    std::vector<Row> m_rows;
};

} // namespace rf::bench
