#pragma once

#include "storage/RecordLayout.h"
#include "storage/RecordScan.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace rf {

// TSchedaManutenzione: one entry of the workshop log, 11 counted strings, 698 bytes, kept in its own
// archive beside the fleet's. An entry belongs to a vehicle by its number (BiciNum).
const RecordLayout& TSchedaManutenzione();

namespace Service {

constexpr const char* ArchiveName = "Manutenzioni.pro";
constexpr int RecordSize = 698;

// The kinds of work offered before the shop has written any of its own.
QStringList defaultKinds();

// One entry, as its texts say it. Dates and the removal flag are read from the texts; a date that
// is not one reads as null.
struct Entry {
    qint64 position = 0; // in the archive; 0 for an entry not yet saved
    QString vehicleNumber;
    QDate date;
    QString work; // the kind of work: "Tagliando", "Freni", ...
    QString parts;
    QString mechanic;
    QString cost; // amount text, as elsewhere ("45,00")
    QString km;   // the odometer, optional
    QString notes;
    QDate workshopFrom; // in the workshop from ... to ..., both optional
    QDate workshopTo;
    bool removed = false; // an entry taken out of the log stays in the archive, marked

    // The days the vehicle stays in the workshop: from..to, a single day when only one is given;
    // none for a removed entry.
    bool inWorkshopOn(const QDate& day) const;
    // The cost in cents; 0 when empty or not an amount.
    qint64 costCents() const;
};

Entry entryOf(const QStringList& texts, qint64 position = 0);
QStringList textsOf(const Entry& entry);

// What a read of the log came to: the entries (never removed ones) of the vehicles asked for, and
// whether the archive could be read. A missing archive is an empty log, and is not created.
struct Log {
    std::vector<Entry> entries; // newest first: by date, then the later written first
    ScanResult result = ScanResult::Done;
};
// The entries of one vehicle (number compared trimmed), or of all when number is null.
Log read(const QString& folder, const QString& number = {});
// The entries of every vehicle, by number (trimmed), each newest first.
QHash<QString, std::vector<Entry>> byVehicle(const Log& log);

// Writes a new entry; its position, or -1 when the archive could not be written.
qint64 append(const QString& folder, const Entry& entry);
// Rewrites the entry read (at its position) as changed, under the archive's lock, provided the
// record there is still the entry read: false when it could not be written, or when the record
// was changed or removed since it was read (by another workstation), which is then left as it is.
bool rewrite(const QString& folder, const Entry& read, const Entry& changed);
// Marks the entry read removed (it keeps its texts), on the same condition.
bool remove(const QString& folder, const Entry& read);
// Gives the entries of a vehicle whose number changed the new number, so the card keeps its log.
// How many entries were moved, or -1 when one could not be written (those before it were).
int renumber(const QString& folder, const QString& oldNumber, const QString& newNumber);

// The workshop spans of a vehicle's entries that meet the days from first to last: each entry's
// first and last day (clipped to nothing), with the entry.
struct WorkshopSpan {
    QDate from;
    QDate to;
    Entry entry;
};
std::vector<WorkshopSpan> workshopSpans(const std::vector<Entry>& entries, const QDate& first,
                                        const QDate& last);
// "IN OFFICINA: Freni dal 03/06/2026 al 05/06/2026": how a workshop span is named on the board, in
// the availability and in a question before booking.
QString workshopText(const Entry& entry);

// What a vehicle's log adds up to: its entries, their cost and the days the vehicle spent in the
// workshop (a day two entries share counted once).
struct Totals {
    int entries = 0;
    qint64 cents = 0;
    int workshopDays = 0;
};
Totals totalsOf(const std::vector<Entry>& entries);
// "Interventi: 3     Totale: 1.234,50 €     Giorni in officina: 5", under the log and on its sheet.
QString totalsText(const Totals& totals);

} // namespace Service

} // namespace rf
