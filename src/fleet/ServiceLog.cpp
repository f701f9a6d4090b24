#include "ServiceLog.h"

#include "storage/Amounts.h"
#include "storage/ArchiveFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace rf {

const RecordLayout& TSchedaManutenzione()
{
    static const RecordLayout layout{
        {"BiciNum", 30, "Bicicletta n."},
        {"Data", 10, "Data:"},
        {"Lavoro", 50, "Lavoro:"},
        {"Ricambi", 250, "Ricambi:"},
        {"Meccanico", 50, "Meccanico:"},
        {"Costo", 15, "Costo:"},
        {"Km", 10, "Km:"},
        {"Note", 250, "Note:"},
        {"OfficinaDal", 10, "In officina dal:"},
        {"OfficinaAl", 10, "al:"},
        {"Eliminata", 2},
    };
    return layout;
}

namespace Service {

namespace {

enum Field { BiciNum, Data, Lavoro, Ricambi, Meccanico, Costo, Km, Note, OfficinaDal, OfficinaAl, Eliminata };

const QString RemovedMark = QStringLiteral("S\u00EC");

QString dateText(const QDate& date)
{
    return date.isValid() ? formatDate(date) : QString();
}

QString archivePath(const QString& folder)
{
    return QDir(folder).filePath(QLatin1String(ArchiveName));
}

bool newerFirst(const Entry& a, const Entry& b)
{
    if (a.date != b.date)
        return a.date > b.date;
    return a.position > b.position;
}

// Rewrites the record at the entry's position under the lock when it still holds the entry as it
// was read; edit changes the texts.
bool change(const QString& folder, const Entry& read, const std::function<void(QStringList&)>& edit)
{
    ArchiveFile archive(archivePath(folder), RecordSize);
    if (!archive.OpenArchive() || archive.isReadOnly())
        return false;
    bool unchanged = false;
    const ArchiveFile::Update update = archive.update(read.position, [&](QByteArray& record) {
        QStringList texts = TSchedaManutenzione().decode(record);
        unchanged = textsOf(entryOf(texts)) == textsOf(read);
        if (!unchanged)
            return false;
        edit(texts);
        record = TSchedaManutenzione().encode(texts);
        return true;
    });
    return unchanged && (update == ArchiveFile::Update::Written || update == ArchiveFile::Update::Unchanged);
}

} // namespace

QStringList defaultKinds()
{
    return {QStringLiteral("Tagliando"), QStringLiteral("Freni"), QStringLiteral("Pneumatici"),
            QStringLiteral("Batteria"), QStringLiteral("Riparazione danni")};
}

bool Entry::inWorkshopOn(const QDate& day) const
{
    if (removed || (!workshopFrom.isValid() && !workshopTo.isValid()))
        return false;
    const QDate from = workshopFrom.isValid() ? workshopFrom : workshopTo;
    const QDate to = workshopTo.isValid() ? workshopTo : workshopFrom;
    return day >= from && day <= to;
}

qint64 Entry::costCents() const
{
    return amountCents(cost).value_or(0);
}

Entry entryOf(const QStringList& texts, qint64 position)
{
    Entry entry;
    entry.position = position;
    entry.vehicleNumber = texts.value(BiciNum);
    entry.date = parseDate(texts.value(Data));
    entry.work = texts.value(Lavoro);
    entry.parts = texts.value(Ricambi);
    entry.mechanic = texts.value(Meccanico);
    entry.cost = texts.value(Costo);
    entry.km = texts.value(Km);
    entry.notes = texts.value(Note);
    entry.workshopFrom = parseDate(texts.value(OfficinaDal));
    entry.workshopTo = parseDate(texts.value(OfficinaAl));
    entry.removed = texts.value(Eliminata) == RemovedMark;
    return entry;
}

QStringList textsOf(const Entry& entry)
{
    return {entry.vehicleNumber.trimmed(),
            dateText(entry.date),
            entry.work.trimmed(),
            entry.parts.trimmed(),
            entry.mechanic.trimmed(),
            entry.cost.trimmed(),
            entry.km.trimmed(),
            entry.notes.trimmed(),
            dateText(entry.workshopFrom),
            dateText(entry.workshopTo),
            entry.removed ? RemovedMark : QString()};
}

Log read(const QString& folder, const QString& number)
{
    Log log;
    const QString path = archivePath(folder);
    if (!QFileInfo::exists(path))
        return log;
    const QString wanted = number.trimmed();
    log.result = scanArchive(path, TSchedaManutenzione(), [&](const RecordView& record) {
        if (!number.isNull() && record.field(BiciNum) != wanted)
            return;
        if (record.field(Eliminata) == RemovedMark)
            return;
        log.entries.push_back(entryOf(record.texts(), record.position()));
    });
    std::stable_sort(log.entries.begin(), log.entries.end(), newerFirst);
    return log;
}

QHash<QString, std::vector<Entry>> byVehicle(const Log& log)
{
    QHash<QString, std::vector<Entry>> vehicles;
    for (const Entry& entry : log.entries)
        vehicles[entry.vehicleNumber.trimmed()].push_back(entry);
    return vehicles;
}

qint64 append(const QString& folder, const Entry& entry)
{
    ArchiveFile archive(archivePath(folder), RecordSize);
    if (!archive.OpenArchive() || archive.isReadOnly())
        return -1;
    const qint64 position = archive.AppendRecord(TSchedaManutenzione().encode(textsOf(entry)));
    archive.CloseArchive();
    return position;
}

bool rewrite(const QString& folder, const Entry& read, const Entry& changed)
{
    return change(folder, read, [&](QStringList& texts) { texts = textsOf(changed); });
}

bool remove(const QString& folder, const Entry& read)
{
    return change(folder, read, [](QStringList& texts) { texts[Eliminata] = RemovedMark; });
}

int renumber(const QString& folder, const QString& oldNumber, const QString& newNumber)
{
    if (oldNumber.trimmed() == newNumber.trimmed())
        return 0;
    const Log log = read(folder, oldNumber.trimmed());
    if (log.result != ScanResult::Done)
        return -1;
    int moved = 0;
    for (const Entry& entry : log.entries) {
        if (!change(folder, entry, [&](QStringList& texts) { texts[BiciNum] = newNumber.trimmed(); }))
            return -1;
        ++moved;
    }
    return moved;
}

std::vector<WorkshopSpan> workshopSpans(const std::vector<Entry>& entries, const QDate& first,
                                        const QDate& last)
{
    std::vector<WorkshopSpan> spans;
    for (const Entry& entry : entries) {
        if (entry.removed || (!entry.workshopFrom.isValid() && !entry.workshopTo.isValid()))
            continue;
        const QDate from = entry.workshopFrom.isValid() ? entry.workshopFrom : entry.workshopTo;
        const QDate to = std::max(from, entry.workshopTo.isValid() ? entry.workshopTo : from);
        if (to < first || from > last)
            continue;
        spans.push_back({std::max(from, first), std::min(to, last), entry});
    }
    std::sort(spans.begin(), spans.end(),
              [](const WorkshopSpan& a, const WorkshopSpan& b) { return a.from < b.from; });
    return spans;
}

QString workshopText(const Entry& entry)
{
    const QDate from = entry.workshopFrom.isValid() ? entry.workshopFrom : entry.workshopTo;
    const QDate to = entry.workshopTo.isValid() ? std::max(entry.workshopTo, from) : from;
    QString text = QStringLiteral("IN OFFICINA");
    if (!entry.work.trimmed().isEmpty())
        text += QStringLiteral(": ") + entry.work.trimmed();
    if (from == to)
        return text + QLatin1Char(' ') + onDateText(from);
    return text + QLatin1Char(' ') + fromDateText(from) + QStringLiteral(" al ") + formatDate(to);
}

Totals totalsOf(const std::vector<Entry>& entries)
{
    Totals totals;
    for (const Entry& entry : entries) {
        if (entry.removed)
            continue;
        ++totals.entries;
        totals.cents += entry.costCents();
    }
    // The spans in order of their first day; a day already counted is not counted again.
    QDate reached;
    for (const WorkshopSpan& span : workshopSpans(entries, QDate(1, 1, 1), QDate(9999, 12, 31))) {
        const QDate from = reached.isValid() ? std::max(span.from, reached.addDays(1)) : span.from;
        if (from <= span.to) {
            totals.workshopDays += int(from.daysTo(span.to)) + 1;
            reached = span.to;
        }
    }
    return totals;
}

QString totalsText(const Totals& totals)
{
    return QStringLiteral("Interventi: %1     Totale: %2     Giorni in officina: %3")
        .arg(totals.entries)
        .arg(euroText(totals.cents))
        .arg(totals.workshopDays);
}

} // namespace Service

} // namespace rf
