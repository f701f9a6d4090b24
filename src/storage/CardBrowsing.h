#pragma once

#include <QString>

namespace rf {

enum class BrowseButton { First, Previous, Next, Last };

// What a browsing button does, given the position label's text and the number of records.
struct BrowseStep {
    enum class Kind { ShowRecord, EmptyArchive, Nothing };
    Kind kind = Kind::Nothing;
    qint64 position = 0;      // with ShowRecord
    bool labelToZero = false; // next on a new card first sets the label to "0"
    bool clearLabel = false;  // next on an empty archive empties the label
};

BrowseStep decideBrowse(BrowseButton button, const QString& positionLabel, qint64 recordCount);

} // namespace rf
