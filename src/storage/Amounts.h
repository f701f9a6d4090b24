#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <optional>

namespace rf {

// Amount text with a comma and exactly two decimals. The value passes through a binary double and
// is rounded half up from there (so 1,005 gives 1,00 and 2,125 gives 2,13); an empty text gives
// "0,00", and so does a text that is not a number.
QString normaliseAmount(const QString& text);
// The amount of a text in cents, rounded as normaliseAmount rounds it; an empty text is 0, and a
// text that is not a number gives nothing.
std::optional<qint64> amountCents(const QString& text);
// Cents as a shop reads euros: "1.234,50 €", thousands grouped by dots.
QString euroText(qint64 cents);

// Dates are always dd/mm/yyyy with "/" whatever the machine's locale.
QString formatDate(const QDate& date);
// "dal 05/03/2024", or "dall'11/12/2026" for a day read with a vowel first (1, 8, 11), as a
// period's start is written in a sentence.
QString fromDateText(const QDate& date);
// "il 12/12/2026", "l'11/12/2026": a single day as the messages name it.
QString onDateText(const QDate& date);
// A date in dd/mm/yyyy (one- or two-digit day and month accepted); invalid when it is not one.
// Blanks and control characters around it are ignored, as a typed or decoded text may carry them.
QDate parseDate(const QString& text);
// The same from stored bytes, read as they are (nothing trimmed) and with no string made: day and
// month of one or two ASCII digits, a year of four, "/" between them and nothing else. Any length
// of any bytes is safe: a part longer than its digits is refused before it is counted.
QDate parseStoredDate(QByteArrayView text);

} // namespace rf
