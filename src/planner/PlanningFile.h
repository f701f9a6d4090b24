#pragma once

#include "storage/ArchiveFile.h"
#include "storage/RecordLayout.h"
#include "storage/WholeFile.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace rf {

// TSchedaPlanning: the one record of a planning file, 18900 bytes: the vehicle's number, make,
// colour and size, then one booking text per day of a leap year, named by its day key
// ("gen_01" ... "dic_31"). A day is booked when its text is not empty.
const RecordLayout& TSchedaPlanning();

namespace Planning {

constexpr int RecordSize = 18900;
constexpr int DayCount = 366;
constexpr int HeaderFields = 4;

struct Month {
    const char* control; // "Gen": the grid's tiles and the sheet's cells
    const char* key;     // "gen": the day keys
    int days;            // in a leap year
};
const std::array<Month, 12>& months();

// The slot of day d (1-based) of month m (1-12), in leap-year calendar order; -1 when there is none.
int slotOf(int month, int day);
// Month (1-12) and day of a slot.
int monthOf(int slot);
int dayOf(int slot);
// "gen_01", and "Gen_01" for the names of tiles and cells.
QString dayKey(int slot);
QString controlSuffix(int slot);
// The slot of a day key, or -1.
int slotOfKey(const QString& key);

// "Prenotazioni bicicletta " + number + " anno " + year + ".pln", the number trimmed.
QString fileName(const QString& vehicleNumber, const QString& year);
// Why a vehicle number cannot name a planning file, or empty when it can.
QString fileNameProblem(const QString& vehicleNumber);

using Days = std::array<QString, DayCount>;

// Reading a planning file, never creating it: a missing file reads as Empty. Empty: no record yet (a file
// of 0 bytes, just created), every day free. Read: the days of the first record. ReadOnly: the days
// were read (or the file is empty) but the file cannot be written: why says whether it may not be
// written (ReadOnly), is a link (Link) or could not even be created (NoTemporary); notice holds
// the archive's own word when an interrupted rewrite keeps it read-only. Unreadable: the file
// exists but is no whole record (shorter than one, a folder) or could not be opened or read; it
// must never be replaced.
struct Loaded {
    enum class Status { Read, Empty, Unreadable, ReadOnly } status = Status::Empty;
    Days days;
    WriteProblem why = WriteProblem::None;
    ArchiveNotice notice = {};
};
Loaded load(const QString& path);
// Reads a planning file without ever creating or changing it: a missing file is Empty, a file
// shorter than one record Unreadable. Only the days from firstSlot to lastSlot are decoded
// (trimmed); the others are left empty.
Loaded peek(const QString& path, int firstSlot = 0, int lastSlot = DayCount - 1);

// The vehicle of a planning record.
struct Vehicle {
    QString number, make, colour, size;
};

// Writes the record: the vehicle, then the days as given, under the file's lock. The file is
// replaced whole (bytes after the first record, if any, are kept), so a failure leaves the old
// bookings in place; when the folder refuses the temporary file but the file itself may be
// written, the record is rewritten in place under the archive's journal instead.
bool save(const QString& path, const Vehicle& vehicle, const Days& days, WriteProblem* problem = nullptr);

// A day changed both here and by another workstation: the text kept (this side's) and the one it
// replaced.
struct Conflict {
    int slot;
    QString kept;
    QString replaced;
};

struct SaveResult {
    bool written = false;
    // Why nothing was written: the lock could not be had, the file on disk could not be read
    // meanwhile and may not be replaced, or the write itself failed (problem says how).
    bool lockRefused = false;
    WriteProblem problem = WriteProblem::None;
    std::vector<Conflict> conflicts;
    // The file read when the days were loaded had meanwhile been removed or damaged (cut short):
    // that is no other workstation's edit, and this side's days were written as they are.
    enum class Meanwhile { Unchanged, Removed, Damaged } meanwhile = Meanwhile::Unchanged;
    Days stored; // what the file holds now, when written
};

// Reads the file again, merges this side's days (mine, changed from loaded) with what another
// workstation stored meanwhile (see merge) and writes the result, all under the file's lock, so a
// save landing in between waits for its turn instead of being overwritten. loadedStatus is how
// the days were loaded: an Unreadable load is never written over. Without a vehicle the file's
// own header stays.
SaveResult saveMerged(const QString& path, const std::optional<Vehicle>& vehicle, const Days& loaded,
                      const Days& mine, Loaded::Status loadedStatus);

// What a booking that touches several files (the years of its days) did to each file it wrote or
// tried, in order; it stops at the first file that could not be written.
struct BookingWritten {
    struct File {
        QString path;
        SaveResult result;
    };
    std::vector<File> files;
    // The file that could not be written, or null.
    const File* failed() const
    {
        return !files.empty() && !files.back().result.written ? &files.back() : nullptr;
    }
};

// The days to store when a grid closes: days this grid did not change take the file's current
// text (another workstation may have booked them meanwhile); days changed here keep this grid's
// text. conflicts receives the days changed on both sides to different texts.
Days merge(const Days& loaded, const Days& mine, const Days& onDisk, std::vector<int>* conflicts = nullptr);

// Whether the slot is a day of the given year: every slot is, but 29 February only in leap years.
bool isDayOf(int slot, int year);
// "dd/mm/yyyy" of a slot in a year.
QString dateText(int slot, const QString& year);

// A booked day's line in the summary: day and month name fitted to 15 characters, then the text.
QString summaryLine(int slot, const QString& text);

} // namespace Planning

// The planning a grid works on: the vehicle, the year and the file of both.
struct PlanningTarget {
    Planning::Vehicle vehicle;
    QString year;
    QString file; // full path
};

} // namespace rf
