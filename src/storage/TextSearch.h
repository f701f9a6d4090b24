#pragma once

#include "storage/RecordScan.h"

#include <QString>

#include <array>
#include <cstring>
#include <vector>

namespace rf {

// The letters A to Z turned to lower case; every other character, accented letters included, as it is.
QString lowerAtoZ(const QString& text);

// Text followed by blanks and cut, so that it is exactly width characters long.
QString fit(const QString& text, int width);

// Builds a list line, as Windows-1252 bytes like the records it comes from, with one allocation:
// fixed texts, and fields taken straight from the record's bytes, fitted to their columns or whole.
class LineBuilder {
public:
    explicit LineBuilder(const RecordView& record) : m_record(record) {}
    // A fixed text, in Windows-1252.
    template <qsizetype N> LineBuilder& text(const char (&fixed)[N])
    {
        put(fixed, N - 1);
        return *this;
    }
    // The field fitted to width characters; without a width, the whole field.
    LineBuilder& field(int index, int width = -1);
    QByteArray take() { return QByteArray(m_buffer.data(), m_used); }

private:
    void put(const char* data, qsizetype size)
    {
        const qsizetype room = std::min<qsizetype>(size, qsizetype(m_buffer.size()) - m_used);
        std::memcpy(m_buffer.data() + m_used, data, std::size_t(room));
        m_used += room;
    }
    void pad(qsizetype count)
    {
        const qsizetype room = std::min<qsizetype>(count, qsizetype(m_buffer.size()) - m_used);
        std::memset(m_buffer.data() + m_used, ' ', std::size_t(std::max<qsizetype>(room, 0)));
        m_used += std::max<qsizetype>(room, 0);
    }

    const RecordView& m_record;
    std::array<char, 1024> m_buffer; // longer than any line of fields of at most 250 characters
    qsizetype m_used = 0;
};

// One filter of a search window: the edit the user types into, its caption, the record field it
// is matched against and the name of the edit's focus rectangle.
struct SearchFilterDef {
    const char* edit;
    const char* label;
    const char* field;
    const char* eff;
};

// The filters of a search: for each, a record field and the text the user typed there. A filter
// whose trimmed text is empty takes no part; the others are matched as typed, blanks included.
class FieldFilters {
public:
    void add(int field, const QString& typed);
    // The filters that take part.
    int activeCount() const { return int(m_filters.size()); }
    // Whether every active filter occurs in its field, A to Z compared without case. With no
    // active filter every record matches.
    bool matches(const RecordView& record) const;
    // The same test on one field's text.
    static bool occursIn(const QString& fieldText, const QString& loweredFilter);

private:
    struct Filter {
        int field;
        QByteArray lowered; // in Windows-1252; empty when the text cannot occur in a record
        bool possible;
    };
    std::vector<Filter> m_filters;
};

} // namespace rf
