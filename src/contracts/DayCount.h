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

// Whether text (blanks aside) is written as a date, dd/mm/yyyy with one- or two-digit day and
// month, whether or not that day exists ("31/02/2024" is, "abc" and "3-1-2027" are not).
bool looksLikeDate(const QString& text);

// How a date is written, for a message about a text that is not one: "gg/mm/aaaa, ad esempio …".
QString dateFormExample();

// Rental days from dataInizio to dataFine (dd/mm/yyyy texts as the edits hold them): the calendar
// days between them, a rental that starts and ends on the same day counting one. The first failed
// check (empty, invalid, end before start) gives its message instead of a count; a text that is not
// written as a date is told how to write one, a day that does not exist is told so.
DayCountResult Calcola(const QString& dataInizio, const QString& dataFine);

} // namespace rf
