#include "Fixtures.h"

#include "Archives.h"
#include "FakeContext.h"
#include "contracts/SchedaContratto.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "planner/PlanningFile.h"

#include <QDir>
#include <QTest>

#include <map>
#include <utility>
#include <vector>

namespace rf::Test {

namespace {

// Records a failed step in the running test, as QVERIFY would; returns ok.
bool check(bool ok, const char* step, int line)
{
    return QTest::qVerify(ok, step, "", __FILE__, line);
}

qint64 append(const QString& path, const RecordLayout& layout, const Fields& values)
{
    ArchiveFile archive(path, layout.size());
    if (!check(archive.OpenArchive(), "archive.OpenArchive()", __LINE__))
        return -1;
    const qint64 position = archive.AppendRecord(encodeRecord(layout, values));
    return check(position > 0, "archive.AppendRecord(record) > 0", __LINE__) ? position : -1;
}

// Sets slots of the vehicle's planning file of year, each to its text.
bool setSlots(const QString& folder, const QString& number, int year,
              const std::vector<std::pair<int, QString>>& texts)
{
    const QString path = QDir(folder).filePath(Planning::fileName(number, QString::number(year)));
    Planning::Days days = Planning::peek(path).days;
    for (const auto& [slot, text] : texts)
        days[std::size_t(slot)] = text;
    return check(Planning::save(path, {number, {}, {}, {}}, days), "Planning::save(path, vehicle, days)",
                 __LINE__);
}

int slotOf(const QDate& day)
{
    return Planning::slotOf(day.month(), day.day());
}

} // namespace

qint64 addVehicle(const QString& folder, const QString& number, const QString& make, const Fields& extra)
{
    Fields values{{QStringLiteral("BiciNum"), number}, {QStringLiteral("Marca"), make}};
    values.insert(extra);
    return append(QDir(folder).filePath(QString::fromLatin1(Fleet::ArchiveName)), TSchedaVeicolo(), values);
}

qint64 addVehicle(FakeContext& fake, const QString& number, const QString& make, const Fields& extra)
{
    return addVehicle(fake.folder(), number, make, extra);
}

qint64 addContract(const QString& folder, const Fields& fields)
{
    return append(QDir(folder).filePath(QString::fromLatin1(Contracts::ArchiveName)), TSchedaContratto(),
                  fields);
}

qint64 addContract(FakeContext& fake, const Fields& fields)
{
    return addContract(fake.folder(), fields);
}

qint64 addWorkshopStay(const QString& folder, const QString& number, const QDate& from, const QDate& to,
                       const QString& work, const QString& cost)
{
    Service::Entry entry;
    entry.vehicleNumber = number;
    entry.date = from;
    entry.work = work;
    entry.cost = cost;
    if (to.isValid()) {
        entry.workshopFrom = from;
        entry.workshopTo = to;
    }
    const qint64 position = Service::append(folder, entry);
    if (position <= 0)
        QTest::qFail("the service entry could not be written", __FILE__, __LINE__);
    return position;
}

bool book(const QString& folder, const QString& number, const DayTexts& days)
{
    std::map<int, std::vector<std::pair<int, QString>>> byYear;
    for (auto it = days.begin(); it != days.end(); ++it)
        byYear[it.key().year()].emplace_back(slotOf(it.key()), it.value());
    bool written = true;
    for (const auto& [year, texts] : byYear)
        written = setSlots(folder, number, year, texts) && written;
    return written;
}

bool book(FakeContext& fake, const QString& number, const DayTexts& days)
{
    return book(fake.folder(), number, days);
}

bool book(const QString& folder, const QString& number, const QList<QDate>& days, const QString& text)
{
    DayTexts bookings;
    for (const QDate& day : days)
        bookings.insert(day, text);
    return book(folder, number, bookings);
}

bool book(FakeContext& fake, const QString& number, const QList<QDate>& days, const QString& text)
{
    return book(fake.folder(), number, days, text);
}

bool bookInYear(const QString& folder, const QString& number, int year, const QList<QDate>& days,
                const QString& text)
{
    std::vector<std::pair<int, QString>> texts;
    for (const QDate& day : days)
        texts.emplace_back(slotOf(day), text);
    return setSlots(folder, number, year, texts);
}

} // namespace rf::Test
