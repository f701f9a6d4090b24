#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

// The records most tests start from, written to a data folder as the program writes them: a
// vehicle of the fleet, a contract, the booked days of a vehicle's planning files. Each records a
// failure in the running test itself when it cannot write.
namespace rf::Test {

class FakeContext;

// Field values by field name.
using Fields = QMap<QString, QString>;
// Days of the planner, each with its booking text (an empty text frees the day).
using DayTexts = QMap<QDate, QString>;

// Appends a fleet card with the vehicle's number and make and any other fields (which may replace
// the make) to the folder's fleet archive. Returns its position, or -1.
qint64 addVehicle(const QString& folder, const QString& number,
                  const QString& make = QStringLiteral("Atala City"), const Fields& extra = {});
qint64 addVehicle(FakeContext& fake, const QString& number,
                  const QString& make = QStringLiteral("Atala City"), const Fields& extra = {});

// Appends a contract with the given fields, the others empty, to the folder's contract archive.
// Returns its position, or -1.
qint64 addContract(const QString& folder, const Fields& fields);
qint64 addContract(FakeContext& fake, const Fields& fields);

// Appends a service entry of the vehicle dated from, with the vehicle in the workshop from from
// to to (none when to is null), to the folder's service log. Returns its position, or -1.
qint64 addWorkshopStay(const QString& folder, const QString& number, const QDate& from, const QDate& to,
                       const QString& work = QStringLiteral("Freni"), const QString& cost = QString());

// Sets the days to text in the vehicle's planning files, each day in the file of its own year
// (read as it stands; the days not named keep what they hold). False when a file could not be
// written.
bool book(const QString& folder, const QString& number, const QList<QDate>& days, const QString& text);
bool book(FakeContext& fake, const QString& number, const QList<QDate>& days, const QString& text);
// Each day with a text of its own.
bool book(const QString& folder, const QString& number, const DayTexts& days);
bool book(FakeContext& fake, const QString& number, const DayTexts& days);

// Sets the days to text in the vehicle's planning file of year, each on the slot of its month and
// day whatever its own year: a 29 February can be written into a year that has none.
bool bookInYear(const QString& folder, const QString& number, int year, const QList<QDate>& days,
                const QString& text);

} // namespace rf::Test
