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
} // namespace

int numberOrderCompare(const QString& a, const QString& b)
{
    const int order = collator().compare(a.trimmed(), b.trimmed());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool numberOrderLess(const QString& a, const QString& b)
{
    return numberOrderCompare(a, b) < 0;
}

} // namespace rf
