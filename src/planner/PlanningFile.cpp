#include "PlanningFile.h"

#include "storage/ArchiveFile.h"
#include "storage/RecordScan.h"
#include "storage/WholeFile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    static const RecordLayout layout{{{"BiciNum", 30}, {"Marca", 120}, {"Colore", 50}, {"Taglia", 30}}, daySlots()};
    return layout;
}

namespace Planning {

const std::array<Month, 12>& Months()
{
    static const std::array<Month, 12> months{{
        {"Gen", "gen", "gennaio", 31},
        {"Feb", "feb", "febbraio", 29},
        {"Mar", "mar", "marzo", 31},
        {"Apr", "apr", "aprile", 30},
        {"Mag", "mag", "maggio", 31},
        {"Giu", "giu", "giugno", 30},
        {"Lug", "lug", "luglio", 31},
        {"Ago", "ago", "agosto", 31},
        {"Set", "set", "settembre", 30},
        {"Ott", "ott", "ottobre", 31},
        {"Nov", "nov", "novembre", 30},
        {"Dic", "dic", "dicembre", 31},
    }};
    return months;
}

int slotOf(int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > Months()[std::size_t(month - 1)].days)
        return -1;
    int slot = 0;
    for (int m = 1; m < month; ++m)
        slot += Months()[std::size_t(m - 1)].days;
    return slot + day - 1;
}

int monthOf(int slot)
{
    for (int m = 1; m <= 12; ++m) {
        const int days = Months()[std::size_t(m - 1)].days;
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
        .arg(QLatin1String(Months()[std::size_t(monthOf(slot) - 1)].key))
        .arg(dayOf(slot), 2, 10, QLatin1Char('0'));
}

QString controlSuffix(int slot)
{
    return QStringLiteral("%1_%2")
        .arg(QLatin1String(Months()[std::size_t(monthOf(slot) - 1)].control))
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
    return QStringLiteral("Prenotazioni bicicletta ") + vehicleNumber.trimmed() + QStringLiteral(" anno ") + year +
           QStringLiteral(".pln");
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

Loaded load(const QString& path)
{
    Loaded loaded{Loaded::Status::Empty, {}};
    ArchiveFile archive(path, RecordSize);
    if (!archive.OpenArchive()) {
        loaded.status = Loaded::Status::Unreadable;
        return loaded;
    }
    if (archive.RecordCount() < 1)
        return loaded;
    QByteArray record;
    if (!archive.ReadRecord(1, record)) {
        loaded.status = Loaded::Status::Unreadable;
        return loaded;
    }
    const QStringList texts = TSchedaPlanning().decode(record);
    for (int slot = 0; slot < DayCount; ++slot)
        loaded.days[std::size_t(slot)] = texts.value(HeaderFields + slot);
    loaded.status = Loaded::Status::Read;
    return loaded;
}

Loaded peek(const QString& path, int firstSlot, int lastSlot)
{
    Loaded loaded{Loaded::Status::Empty, {}};
    QFile file(path);
    if (!file.exists())
        return loaded;
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.status = Loaded::Status::Unreadable;
        return loaded;
    }
    if (file.size() < RecordSize)
        return loaded;
    const QByteArray record = file.read(RecordSize);
    if (record.size() != RecordSize) {
        loaded.status = Loaded::Status::Unreadable;
        return loaded;
    }
    const RecordView view(TSchedaPlanning(), record.constData(), 1);
    for (int slot = std::max(firstSlot, 0); slot <= std::min(lastSlot, DayCount - 1); ++slot)
        loaded.days[std::size_t(slot)] = view.field(HeaderFields + slot);
    loaded.status = Loaded::Status::Read;
    return loaded;
}

bool save(const QString& path, const Vehicle& vehicle, const Days& days)
{
    QStringList texts{vehicle.number, vehicle.make, vehicle.colour, vehicle.size};
    for (const QString& day : days)
        texts.append(day);
    QByteArray content = TSchedaPlanning().encode(texts);
    // Whatever follows the first record in the file stays as it was.
    QFile old(path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly))
            return false;
        if (old.size() > RecordSize) {
            old.seek(RecordSize);
            content += old.readAll();
        }
    }
    return WriteWholeFile(path, content);
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
    return QStringLiteral("%1/%2/%3").arg(dayOf(slot), 2, 10, QLatin1Char('0')).arg(monthOf(slot), 2, 10, QLatin1Char('0')).arg(year.trimmed());
}

QString summaryLine(int slot, const QString& text)
{
    const QString label = QStringLiteral("%1 %2").arg(dayOf(slot), 2, 10, QLatin1Char('0'))
                              .arg(QLatin1String(Months()[std::size_t(monthOf(slot) - 1)].name));
    return label.leftJustified(15, QLatin1Char(' '), true) + text.trimmed();
}

} // namespace Planning
} // namespace rf
