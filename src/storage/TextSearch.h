#pragma once

#include "storage/RecordScan.h"

#include <QString>

#include <vector>

namespace rf {

// The letters A to Z turned to lower case; every other character, accented letters included, as it is.
QString LowerAtoZ(const QString& text);

// Text followed by blanks and cut, so that it is exactly width characters long.
QString Fit(const QString& text, int width);

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
        QString lowered;
    };
    std::vector<Filter> m_filters;
};

} // namespace rf
