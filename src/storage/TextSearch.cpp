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

QString lowerAtoZ(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = lowerAtoZ(c);
    return out;
}

QString fit(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), true);
}

void FieldFilters::add(int field, const QString& typed)
{
    if (typed.trimmed().isEmpty())
        return;
    // Matched on the stored bytes; a character the records cannot hold never matches.
    const QString lowered = lowerAtoZ(typed);
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

namespace {

inline QChar lowered(QChar c)
{
    return lowerAtoZ(c);
}
inline char lowered(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

// Whether the needle (already lowered) occurs in the text, A to Z compared without case; compared
// in place, without building a lowered copy of every field of every record.
template <typename Char> bool holds(const Char* text, qsizetype n, const Char* needle, qsizetype m)
{
    if (m == 0)
        return false;
    for (qsizetype start = 0; start + m <= n; ++start) {
        qsizetype i = 0;
        while (i < m && lowered(text[start + i]) == needle[i])
            ++i;
        if (i == m)
            return true;
    }
    return false;
}

} // namespace

bool FieldFilters::occursIn(const QString& fieldText, const QString& loweredFilter)
{
    return holds(fieldText.constData(), fieldText.size(), loweredFilter.constData(), loweredFilter.size());
}

bool FieldFilters::matches(const RecordView& record) const
{
    for (const Filter& filter : m_filters) {
        const QByteArray field = record.fieldBytes(filter.field);
        if (!filter.possible ||
            !holds(field.constData(), field.size(), filter.lowered.constData(), filter.lowered.size()))
            return false;
    }
    return true;
}

} // namespace rf
