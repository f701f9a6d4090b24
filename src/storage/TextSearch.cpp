#include "TextSearch.h"

namespace rf {

namespace {
inline QChar lowerAtoZ(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + ('a' - 'A')) : c;
}
} // namespace

QString LowerAtoZ(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = lowerAtoZ(c);
    return out;
}

QString Fit(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), true);
}

void FieldFilters::add(int field, const QString& typed)
{
    if (!typed.trimmed().isEmpty())
        m_filters.push_back({field, LowerAtoZ(typed)});
}

bool FieldFilters::occursIn(const QString& fieldText, const QString& loweredFilter)
{
    // Compared in place, without building a lowered copy of every field of every record.
    const qsizetype n = fieldText.size();
    const qsizetype m = loweredFilter.size();
    if (m == 0)
        return false;
    const QChar* hay = fieldText.constData();
    const QChar* needle = loweredFilter.constData();
    for (qsizetype start = 0; start + m <= n; ++start) {
        qsizetype i = 0;
        while (i < m && lowerAtoZ(hay[start + i]) == needle[i])
            ++i;
        if (i == m)
            return true;
    }
    return false;
}

bool FieldFilters::matches(const RecordView& record) const
{
    for (const Filter& filter : m_filters) {
        if (!occursIn(record.field(filter.field), filter.lowered))
            return false;
    }
    return true;
}

} // namespace rf
