#pragma once

#include <QString>

#include <optional>

namespace rf {

// What Calcola asks the contracts window to do: show a box (or not), move the focus (or not),
// and write the day count (or leave the old one in place).
struct DayCountResult {
    enum class Box { None, Warning, Plain } box = Box::None;
    QString message;
    enum class Focus { None, Start, End } focus = Focus::None;
    std::optional<QString> totGiorni;
};

// Rental days from dataInizio to dataFine (dd/mm/yyyy texts as the edits hold them): the calendar
// days between them, a rental that starts and ends on the same day counting one. The first failed
// check (empty, invalid, end before start) gives its message instead of a count.
DayCountResult Calcola(const QString& dataInizio, const QString& dataFine);

} // namespace rf
