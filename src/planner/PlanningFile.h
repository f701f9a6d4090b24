#pragma once

#include "storage/RecordLayout.h"

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
    const char* name;    // "gennaio": the texts
    int days;            // in a leap year
};
const std::array<Month, 12>& Months();

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

// Reading a planning file: the file is created empty when missing. Empty: no whole record yet,
// every day free. Unreadable: the file exists but could not be opened or read.
struct Loaded {
    enum class Status { Read, Empty, Unreadable } status;
    Days days;
};
Loaded load(const QString& path);
// Reads a planning file without ever creating or changing it: a missing file is Empty. Only the
// days from firstSlot to lastSlot are decoded (trimmed); the others are left empty.
Loaded peek(const QString& path, int firstSlot = 0, int lastSlot = DayCount - 1);

// The vehicle of a planning record.
struct Vehicle {
    QString number, make, colour, size;
};

// Writes the record: the vehicle, then the days as given. The file is replaced whole (bytes after
// the first record, if any, are kept), so a failure leaves the old bookings in place.
bool save(const QString& path, const Vehicle& vehicle, const Days& days);

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
} // namespace rf
