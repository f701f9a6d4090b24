#include "NumberOrder.h"

#include <QCollator>
#include <QLocale>

namespace rf {

namespace {
const QCollator& collator()
{
    static const QCollator numbers = [] {
        QCollator c{QLocale(QLocale::Italian, QLocale::Italy)};
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return numbers;
}
bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Names that differ only in their numbers ("B-2", "B-10") are ordered by the first number that
// differs, as the collator would order them, without asking it: lists of thousands of lines are
// sorted by vehicle number. 0 when the names differ otherwise, or only in leading zeros, and the
// collator must decide.
int byNumbersAlone(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) != isDigit(b[j]))
            return 0;
        if (!isDigit(a[i])) {
            if (a[i] != b[j])
                return 0;
            ++i;
            ++j;
            continue;
        }
        while (i < a.size() && a[i] == QLatin1Char('0'))
            ++i;
        while (j < b.size() && b[j] == QLatin1Char('0'))
            ++j;
        qsizetype endA = i;
        qsizetype endB = j;
        while (endA < a.size() && isDigit(a[endA]))
            ++endA;
        while (endB < b.size() && isDigit(b[endB]))
            ++endB;
        if (endA - i != endB - j)
            return endA - i < endB - j ? -1 : 1;
        for (; i < endA; ++i, ++j) {
            if (a[i] != b[j])
                return a[i] < b[j] ? -1 : 1;
        }
    }
    return 0;
}

} // namespace

int numberOrderCompare(const QString& a, const QString& b)
{
    const QStringView left = QStringView(a).trimmed();
    const QStringView right = QStringView(b).trimmed();
    if (const int order = byNumbersAlone(left, right))
        return order;
    const int order = collator().compare(left, right);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool numberOrderLess(const QString& a, const QString& b)
{
    return numberOrderCompare(a, b) < 0;
}

} // namespace rf
