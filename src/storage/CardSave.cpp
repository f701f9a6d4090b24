#include "CardSave.h"

#include "storage/ArchiveFile.h"

#include <algorithm>

namespace rf {

namespace {

// The fields whose texts differ between two versions of one record.
std::vector<int> changedFields(const QStringList& from, const QStringList& to, int count)
{
    std::vector<int> fields;
    for (int i = 0; i < count; ++i) {
        if (from.value(i) != to.value(i))
            fields.push_back(i);
    }
    return fields;
}

bool holds(const std::vector<int>& fields, int field)
{
    return std::find(fields.begin(), fields.end(), field) != fields.end();
}

} // namespace

CardSave saveCard(const QString& archivePath, const RecordLayout& layout, qint64 position,
                  const QStringList& loaded, const QStringList& mine, bool mineWins)
{
    CardSave result;
    const int count = layout.fieldCount();
    // Both sides compared as stored: trimmed, cut to capacity, in the archive's code page.
    const QStringList ours = layout.decode(layout.encode(mine));

    ArchiveFile archive(archivePath, layout.size());
    if (!archive.OpenArchive())
        return result;
    if (archive.isReadOnly()) {
        result.outcome = CardSave::Outcome::ReadOnly;
        return result;
    }
    const ArchiveFile::Update done = archive.update(position, [&](QByteArray& record) {
        const QStringList disk = layout.decode(record);
        // With no earlier texts known, the record as it is now is the ground: the card is written.
        const QStringList base = loaded.isEmpty() ? disk : layout.decode(layout.encode(loaded));
        result.mine = changedFields(base, ours, count);
        result.theirs = changedFields(base, disk, count);
        QStringList merged = disk;
        for (int field : result.mine) {
            if (holds(result.theirs, field) && disk.value(field) != ours.value(field))
                result.both.push_back(field);
            merged[field] = ours.value(field);
        }
        if (!result.both.empty() && !mineWins) {
            result.stored = disk;
            return false;
        }
        result.stored = merged;
        record = layout.encode(merged);
        return true;
    });
    switch (done) {
    case ArchiveFile::Update::Written:
    case ArchiveFile::Update::Unchanged:
        if (!result.both.empty() && !mineWins)
            result.outcome = CardSave::Outcome::Conflict;
        else if (result.theirs.empty())
            result.outcome = CardSave::Outcome::Saved;
        else
            result.outcome = CardSave::Outcome::Merged;
        break;
    case ArchiveFile::Update::NotFound:
        result.outcome = CardSave::Outcome::NotFound;
        break;
    case ArchiveFile::Update::Failed:
        result.outcome = CardSave::Outcome::Failed;
        break;
    }
    return result;
}

} // namespace rf
