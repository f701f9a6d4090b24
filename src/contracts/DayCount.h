#pragma once

#include <QDate>
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

// A date as the clerk types it in the date picker: day and month of one or two digits, the year
// of two (20yy) or four, with or without "/" between them (without, the day and month take two
// digits each: 130326, 13032026). Complete when the year has two or four digits and nothing
// follows; a text that can still become a date by typing more is Partial, one that never can is
// Malformed.
struct TypedDate {
    enum class Reading { Empty, Partial, Malformed, Date, Nonexistent } reading = Reading::Empty;
    // Date: the date typed. Partial: the day (and month) typed so far on the month and year of
    // around, when that makes a date, so a calendar can follow the typing; invalid otherwise.
    QDate date;
};
TypedDate readTypedDate(const QString& typed, const QDate& around = {});
// The warning for a typed date that cannot be imported (Partial, Malformed, Nonexistent).
QString typedDateProblem(const QString& typed, TypedDate::Reading reading);

// Rental days from dataInizio to dataFine (dd/mm/yyyy texts as the edits hold them): the calendar
// days between them, a rental that starts and ends on the same day counting one. The first failed
// check (empty, invalid, end before start) gives its message instead of a count; a text that is not
// written as a date is told how to write one, a day that does not exist is told so.
DayCountResult Calcola(const QString& dataInizio, const QString& dataFine);

// The total Calcola proposes after counting totGiorni days: days x the unit amount, as an amount
// text ("37,50"), when the unit amount is set and the total is still 0,00; nothing otherwise, so a
// total the clerk typed is never replaced.
std::optional<QString> proposedTotal(const QString& totGiorni, const QString& importo, const QString& totale);

} // namespace rf
