#pragma once

#include <QString>

#include <optional>

namespace rf::Fleet {

// Two vehicle numbers name the same vehicle when they are equal trimmed, letters compared without
// case: each number names its planning file, and the shops' file systems ignore case.
bool sameNumber(const QString& a, const QString& b);

// A fleet card found by its number.
struct NumberedCard {
    qint64 position = 0;
    QString number; // as stored
    QString make;
};

// The card other than the one at ownPosition (0 for a new card) that already has number, read from
// the fleet archive at archivePath; nothing when none has, or the archive does not exist.
std::optional<NumberedCard> cardWithNumber(const QString& archivePath, const QString& number,
                                           qint64 ownPosition);

} // namespace rf::Fleet
