#pragma once

#include <QString>

namespace rf {

// Italian names of months and weekdays, whatever the machine's language. Numbers outside the
// calendar give an empty text.

// "Gennaio" for 1 ... "Dicembre" for 12, as a heading or a list shows it.
QString monthName(int month);
// "gennaio" ... "dicembre", as a sentence writes it.
QString monthNameInText(int month);
// "Lunedì" for 1 ... "Domenica" for 7.
QString weekdayName(int day);
// "lu", "ma", ... "do": a day's initials in a narrow column.
QString weekdayInitials(int day);

} // namespace rf
