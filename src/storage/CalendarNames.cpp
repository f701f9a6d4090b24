#include "CalendarNames.h"

#include <QLocale>

namespace rf {

namespace {

const QLocale& italian()
{
    static const QLocale locale(QLocale::Italian, QLocale::Italy);
    return locale;
}

QString capitalised(const QString& text)
{
    return text.isEmpty() ? text : text.left(1).toUpper() + text.mid(1);
}

} // namespace

QString monthName(int month)
{
    return capitalised(monthNameInText(month));
}

QString monthNameInText(int month)
{
    return month >= 1 && month <= 12 ? italian().standaloneMonthName(month, QLocale::LongFormat) : QString();
}

QString weekdayName(int day)
{
    return day >= 1 && day <= 7 ? capitalised(italian().dayName(day, QLocale::LongFormat)) : QString();
}

QString weekdayInitials(int day)
{
    return day >= 1 && day <= 7 ? italian().dayName(day, QLocale::ShortFormat).left(2) : QString();
}

} // namespace rf
