#pragma once

#include "storage/RecordLayout.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace rf {

// Saving a card in place when other workstations may have saved the same record since this one
// read it. The record is read, compared and written under the archive's lock, in one step:
// - nobody changed it since it was loaded: this card is written;
// - another workstation changed only fields this card left as loaded: both are kept (merged);
// - both sides changed a field to different texts: nothing is written and the caller decides,
//   unless mineWins (the user chose to save this version knowingly), when this card's texts win
//   those fields and the other side's remaining changes are still kept.
struct CardSave {
    enum class Outcome { Saved, Merged, Conflict, NotFound, ReadOnly, Failed } outcome = Outcome::Failed;
    QStringList stored;      // the record now on disk: as written, or as found for a conflict
    std::vector<int> theirs; // fields another workstation changed since the card was loaded
    std::vector<int> mine;   // fields changed on this card since it was loaded
    std::vector<int> both;   // fields changed on both sides to different texts
};

// loaded: the record's texts as this card read (or last saved) them, empty when they are not known
// (the card is then written as it is); mine: the card's texts now.
CardSave saveCard(const QString& archivePath, const RecordLayout& layout, qint64 position,
                  const QStringList& loaded, const QStringList& mine, bool mineWins = false);

} // namespace rf
