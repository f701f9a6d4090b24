#pragma once

#include "storage/RecordScan.h"

#include <QString>

#include <vector>

namespace rf {

// The letters A to Z turned to lower case; every other character, accented letters included, as it is.
QString LowerAtoZ(const QString& text);

// Text followed by blanks and cut, so that it is exactly width characters long.
QString Fit(const QString& text, int width);

// Builds a list line with one allocation: fixed texts, and fields taken straight from the record's
// bytes, fitted to their columns or whole.
class LineBuilder {
public:
    explicit LineBuilder(const RecordView& record, qsizetype expected = 160) : m_record(record)
    {
        m_line.reserve(expected);
    }
    LineBuilder& text(const QString& fixed)
    {
        m_line += fixed;
        return *this;
    }
    // The field fitted to width characters; without a width, the whole field.
    LineBuilder& field(int index, int width = -1);
    QString take() { return std::move(m_line); }

private:
    const RecordView& m_record;
    QString m_line;
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
