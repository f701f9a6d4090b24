#include "TextSearch.h"

#include "storage/Cp1252.h"

#include <algorithm>

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
    if (typed.trimmed().isEmpty())
        return;
    // Matched on the stored bytes; a character the records cannot hold never matches.
    const QString lowered = LowerAtoZ(typed);
    const QByteArray bytes = Cp1252::encode(lowered);
    m_filters.push_back({field, bytes, Cp1252::decode(bytes) == lowered});
}

LineBuilder& LineBuilder::field(int index, int width)
{
    const QByteArray bytes = m_record.fieldBytes(index);
    const qsizetype shown = width < 0 ? bytes.size() : std::min<qsizetype>(bytes.size(), width);
    put(bytes.constData(), shown);
    if (width > shown)
        pad(width - shown);
    return *this;
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

namespace {
inline char lowerAtoZByte(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

bool bytesHold(const QByteArray& field, const QByteArray& lowered)
{
    const qsizetype n = field.size();
    const qsizetype m = lowered.size();
    const char* hay = field.constData();
    const char* needle = lowered.constData();
    for (qsizetype start = 0; start + m <= n; ++start) {
        qsizetype i = 0;
        while (i < m && lowerAtoZByte(hay[start + i]) == needle[i])
            ++i;
        if (i == m)
            return true;
    }
    return false;
}
} // namespace

bool FieldFilters::matches(const RecordView& record) const
{
    for (const Filter& filter : m_filters) {
        if (!filter.possible || !bytesHold(record.fieldBytes(filter.field), filter.lowered))
            return false;
    }
    return true;
}

} // namespace rf
