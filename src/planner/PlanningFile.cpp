#include "PlanningFile.h"

#include "storage/ArchiveFile.h"
#include "storage/CalendarNames.h"
#include "storage/FileLock.h"
#include "storage/RecordScan.h"
#include "storage/WholeFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace rf {

namespace {

// The names of the day slots, as record fields of 50 characters each.
std::vector<FieldDef> daySlots()
{
    static std::vector<QByteArray> names;
    std::vector<FieldDef> fields;
    if (names.empty()) {
        for (int slot = 0; slot < Planning::DayCount; ++slot)
            names.push_back(Planning::dayKey(slot).toLatin1());
    }
    for (const QByteArray& name : names)
        fields.push_back({name.constData(), 50});
    return fields;
}

} // namespace

const RecordLayout& TSchedaPlanning()
{
    static const RecordLayout layout{{{"BiciNum", 30}, {"Marca", 120}, {"Colore", 50}, {"Taglia", 30}},
                                     daySlots()};
    return layout;
}

namespace Planning {

const std::array<Month, 12>& months()
{
    static const std::array<Month, 12> months{{
        {"Gen", "gen", 31},
        {"Feb", "feb", 29},
        {"Mar", "mar", 31},
        {"Apr", "apr", 30},
        {"Mag", "mag", 31},
        {"Giu", "giu", 30},
        {"Lug", "lug", 31},
        {"Ago", "ago", 31},
        {"Set", "set", 30},
        {"Ott", "ott", 31},
        {"Nov", "nov", 30},
        {"Dic", "dic", 31},
    }};
    return months;
}

int slotOf(int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > months()[std::size_t(month - 1)].days)
        return -1;
    int slot = 0;
    for (int m = 1; m < month; ++m)
        slot += months()[std::size_t(m - 1)].days;
    return slot + day - 1;
}

int monthOf(int slot)
{
    for (int m = 1; m <= 12; ++m) {
        const int days = months()[std::size_t(m - 1)].days;
        if (slot < days)
            return m;
        slot -= days;
    }
    return -1;
}

int dayOf(int slot)
{
    const int month = monthOf(slot);
    return month < 0 ? -1 : slot - slotOf(month, 1) + 1;
}

QString dayKey(int slot)
{
    return QStringLiteral("%1_%2")
        .arg(QLatin1String(months()[std::size_t(monthOf(slot) - 1)].key))
        .arg(dayOf(slot), 2, 10, QLatin1Char('0'));
}

QString controlSuffix(int slot)
{
    return QStringLiteral("%1_%2")
        .arg(QLatin1String(months()[std::size_t(monthOf(slot) - 1)].control))
        .arg(dayOf(slot), 2, 10, QLatin1Char('0'));
}

int slotOfKey(const QString& key)
{
    const QString trimmed = key.trimmed();
    for (int slot = 0; slot < DayCount; ++slot) {
        if (dayKey(slot) == trimmed)
            return slot;
    }
    return -1;
}

QString fileName(const QString& vehicleNumber, const QString& year)
{
    return QStringLiteral("Prenotazioni bicicletta ") + vehicleNumber.trimmed() + QStringLiteral(" anno ") +
           year + QStringLiteral(".pln");
}

QString fileNameProblem(const QString& vehicleNumber)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString found;
    for (const QChar c : vehicleNumber.trimmed()) {
        if (c.unicode() < 32)
            return QStringLiteral("caratteri di controllo");
        if (forbidden.contains(c) && !found.contains(c))
            found += c;
    }
    if (found.isEmpty())
        return {};
    QStringList quoted;
    for (const QChar c : found)
        quoted.append(QStringLiteral("\"%1\"").arg(c));
    return quoted.join(QStringLiteral(" "));
}

namespace {

// The planning file as it is on disk, never created or changed.
struct OnDisk {
    enum class State { Missing, Empty, Record, Unreadable } state = State::Missing;
    QByteArray record; // the first record
    QByteArray tail;   // whatever follows it
};

OnDisk readOnDisk(const QString& path, bool withTail, bool beforeWriting = false)
{
    OnDisk disk;
    if (!QFileInfo::exists(path)) {
        // A link to nothing is no missing file: nothing may be created through it.
        if (isLink(path)) {
            disk.state = OnDisk::State::Unreadable;
            return disk;
        }
        // Another workstation's new file may not show here yet: it is not taken for missing.
        if (!beforeWriting || !fileIsThere(path, FileLock::timing().staleMs))
            return disk;
    }
    const QFileInfo info(path);
    disk.state = OnDisk::State::Unreadable;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return disk;
    const qint64 size = file.size();
    if (size == 0) {
        disk.state = OnDisk::State::Empty;
        return disk;
    }
    // Shorter than one record: a file cut short, not an empty one; it is never replaced.
    if (size < RecordSize)
        return disk;
    disk.record = file.read(RecordSize);
    if (disk.record.size() != RecordSize)
        return disk;
    if (withTail) {
        disk.tail = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return disk;
    }
    disk.state = OnDisk::State::Record;
    return disk;
}

Days daysOf(const QByteArray& record, int firstSlot = 0, int lastSlot = DayCount - 1)
{
    Days days;
    const RecordView view(TSchedaPlanning(), record.constData(), 1);
    for (int slot = std::max(firstSlot, 0); slot <= std::min(lastSlot, DayCount - 1); ++slot)
        days[std::size_t(slot)] = view.field(HeaderFields + slot);
    return days;
}

QByteArray encodeRecord(const Vehicle& vehicle, const Days& days)
{
    QStringList texts{vehicle.number, vehicle.make, vehicle.colour, vehicle.size};
    for (const QString& day : days)
        texts.append(day);
    return TSchedaPlanning().encode(texts);
}

// Writes the record, then the tail, in place of the file; the lock must be held. When the folder
// refuses the temporary file of a whole-file write but the file itself may be written, the record
// is rewritten in place under the archive's journal, so a crash still leaves one version or the other.
bool writeRecord(const QString& path, const QByteArray& record, const QByteArray& tail, WriteProblem* problem)
{
    WriteProblem why = WriteProblem::None;
    if (writeWholeFile(path, record + tail, &why)) {
        *problem = WriteProblem::None;
        return true;
    }
    *problem = why;
    const QFileInfo info(path);
    if (why != WriteProblem::NoTemporary || !info.isFile() || isLink(path))
        return false;
    ArchiveFile archive(path, RecordSize);
    if (!archive.OpenArchive() || archive.isReadOnly())
        return false;
    // A file of no whole record (empty, or cut short) receives its record at the start.
    return archive.RecordCount() >= 1 ? archive.WriteRecord(1, record) : archive.AppendRecord(record) == 1;
}

// Replays a rewrite a crash cut off before the file is read; false when it is still pending and
// the file must not be written.
bool settled(const QString& path)
{
    if (!QFile::exists(path + QStringLiteral(".journal")))
        return true;
    ArchiveFile archive(path, RecordSize);
    return archive.OpenArchive() && !archive.isReadOnly();
}

} // namespace

Loaded load(const QString& path)
{
    Loaded loaded{Loaded::Status::Empty, {}};
    const QFileInfo info(path);
    const bool link = isLink(path);
    if (info.exists() && !info.isFile()) {
        loaded.status = Loaded::Status::Unreadable;
        return loaded;
    }
    bool writable = false;
    if (!link) {
        // Opening for writing replays an interrupted rewrite; a missing file is left missing, and
        // made by the first save.
        ArchiveFile archive(path, RecordSize);
        if (!info.exists()) {
            // No file yet: whether the folder would take one is asked of a temporary file,
            // removed at once, so nothing is left behind.
            WholeFileWriter probe(path);
            if (path.isEmpty() || !info.dir().exists() || !probe.open()) {
                loaded.status = Loaded::Status::ReadOnly;
                loaded.why = WriteProblem::NoTemporary;
                return loaded;
            }
            probe.cancel();
            writable = true;
        } else if (archive.OpenArchive()) {
            writable = !archive.isReadOnly();
            loaded.notice = archive.notice();
            if (!writable)
                loaded.why = WriteProblem::Failed;
        } else {
            // The file's own permission bits, not the access check (which asks for the real user).
            const QFileDevice::Permissions writeBits =
                QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
            loaded.why = QFile::permissions(path) & writeBits ? WriteProblem::Failed : WriteProblem::ReadOnly;
        }
    } else {
        loaded.why = WriteProblem::Link;
    }
    const OnDisk disk = readOnDisk(path, false);
    switch (disk.state) {
    case OnDisk::State::Unreadable:
        loaded.status = Loaded::Status::Unreadable;
        return loaded;
    case OnDisk::State::Missing: // no bookings yet: the first save makes the file
    case OnDisk::State::Empty:
        break;
    case OnDisk::State::Record:
        loaded.days = daysOf(disk.record);
        break;
    }
    if (!writable)
        loaded.status = Loaded::Status::ReadOnly;
    else
        loaded.status = disk.state == OnDisk::State::Record ? Loaded::Status::Read : Loaded::Status::Empty;
    return loaded;
}

Loaded peek(const QString& path, int firstSlot, int lastSlot)
{
    Loaded loaded{Loaded::Status::Empty, {}};
    const OnDisk disk = readOnDisk(path, false);
    switch (disk.state) {
    case OnDisk::State::Missing:
    case OnDisk::State::Empty:
        break;
    case OnDisk::State::Unreadable:
        loaded.status = Loaded::Status::Unreadable;
        break;
    case OnDisk::State::Record:
        loaded.days = daysOf(disk.record, firstSlot, lastSlot);
        loaded.status = Loaded::Status::Read;
        break;
    }
    return loaded;
}

bool save(const QString& path, const Vehicle& vehicle, const Days& days, WriteProblem* problem)
{
    WriteProblem why = WriteProblem::Failed;
    FileLock lock(path);
    bool written = false;
    if (lock.lock() && settled(path)) {
        const OnDisk disk = readOnDisk(path, true, true);
        // Whatever follows the first record in the file stays as it was.
        written = disk.state != OnDisk::State::Unreadable && lock.stillHeld() &&
                  writeRecord(path, encodeRecord(vehicle, days), disk.tail, &why);
    }
    if (problem)
        *problem = written ? WriteProblem::None : why;
    return written;
}

SaveResult saveMerged(const QString& path, const std::optional<Vehicle>& vehicle, const Days& loaded,
                      const Days& mine, Loaded::Status loadedStatus)
{
    SaveResult result;
    if (loadedStatus == Loaded::Status::Unreadable) {
        result.problem = WriteProblem::Failed; // what is stored was never seen: it is not replaced
        return result;
    }
    FileLock lock(path);
    if (!lock.lock()) {
        result.lockRefused = true;
        return result;
    }
    if (!settled(path)) {
        result.problem = WriteProblem::Failed;
        return result;
    }
    const OnDisk disk = readOnDisk(path, true, true);
    QByteArray header;
    switch (disk.state) {
    case OnDisk::State::Missing:
        // Only a file that held bookings when they were loaded was removed by someone else; a
        // planning with no file yet is simply made now.
        if (loadedStatus == Loaded::Status::Read)
            result.meanwhile = SaveResult::Meanwhile::Removed;
        result.stored = mine;
        break;
    case OnDisk::State::Unreadable:
        result.meanwhile = SaveResult::Meanwhile::Damaged;
        result.stored = mine;
        break;
    case OnDisk::State::Empty:
        // Saves write whole records: a file that held one and is now empty was cut, not edited.
        if (loadedStatus == Loaded::Status::Read ||
            std::any_of(loaded.begin(), loaded.end(),
                        [](const QString& day) { return !day.trimmed().isEmpty(); })) {
            result.meanwhile = SaveResult::Meanwhile::Damaged;
            result.stored = mine;
            break;
        }
        [[fallthrough]];
    case OnDisk::State::Record: {
        const Days onDisk = disk.state == OnDisk::State::Record ? daysOf(disk.record) : Days{};
        std::vector<int> conflicts;
        result.stored = merge(loaded, mine, onDisk, &conflicts);
        for (const int slot : conflicts)
            result.conflicts.push_back(
                {slot, mine[std::size_t(slot)].trimmed(), onDisk[std::size_t(slot)].trimmed()});
        if (disk.state == OnDisk::State::Record)
            header = disk.record.left(TSchedaPlanning().offset(HeaderFields));
        break;
    }
    }
    QByteArray record = encodeRecord(vehicle.value_or(Vehicle{}), result.stored);
    if (!vehicle && !header.isEmpty())
        record.replace(0, header.size(), header); // the file's own header, byte for byte
    // A lock taken over by another workstation while this one hung on a share is not written on.
    if (!lock.stillHeld()) {
        result.problem = WriteProblem::Failed;
        result.conflicts.clear();
        return result;
    }
    result.written = writeRecord(path, record, disk.tail, &result.problem);
    if (!result.written)
        result.conflicts.clear();
    return result;
}

Days merge(const Days& loaded, const Days& mine, const Days& onDisk, std::vector<int>* conflicts)
{
    Days out;
    for (int slot = 0; slot < DayCount; ++slot) {
        const std::size_t i = std::size_t(slot);
        const bool changedHere = mine[i].trimmed() != loaded[i].trimmed();
        const bool changedThere = onDisk[i].trimmed() != loaded[i].trimmed();
        out[i] = changedHere ? mine[i] : onDisk[i];
        if (changedHere && changedThere && mine[i].trimmed() != onDisk[i].trimmed() && conflicts)
            conflicts->push_back(slot);
    }
    return out;
}

bool isDayOf(int slot, int year)
{
    return slot != slotOf(2, 29) || QDate::isLeapYear(year);
}

QString dateText(int slot, const QString& year)
{
    return QStringLiteral("%1/%2/%3")
        .arg(dayOf(slot), 2, 10, QLatin1Char('0'))
        .arg(monthOf(slot), 2, 10, QLatin1Char('0'))
        .arg(year.trimmed());
}

QString summaryLine(int slot, const QString& text)
{
    const QString label =
        QStringLiteral("%1 %2").arg(dayOf(slot), 2, 10, QLatin1Char('0')).arg(monthNameInText(monthOf(slot)));
    return label.leftJustified(15, QLatin1Char(' '), true) + text.trimmed();
}

} // namespace Planning
} // namespace rf
