#include "BookedDays.h"

#include <QDir>
#include <QStringList>

namespace rf::Planning {

std::vector<BookedDay> bookedOtherwise(const Days& days, int year, int first, int last, const QString& text)
{
    std::vector<BookedDay> out;
    const QString mine = text.trimmed();
    for (int slot = std::max(first, 0); slot <= last && slot < DayCount; ++slot) {
        const QString booked = days[std::size_t(slot)].trimmed();
        if (isDayOf(slot, year) && !booked.isEmpty() && booked != mine)
            out.push_back({QDate(year, monthOf(slot), dayOf(slot)), booked});
    }
    return out;
}

std::optional<int> bookedDaysInYear(const QString& dataFolder, const QString& vehicleNumber, int year)
{
    if (!fileNameProblem(vehicleNumber).isEmpty())
        return std::nullopt;
    const Loaded loaded = peek(QDir(dataFolder).filePath(fileName(vehicleNumber, QString::number(year))));
    if (loaded.status == Loaded::Status::Unreadable)
        return std::nullopt;
    int booked = 0;
    for (int slot = 0; slot < DayCount; ++slot)
        if (isDayOf(slot, year) && !loaded.days[std::size_t(slot)].isEmpty())
            ++booked;
    return booked;
}

QString listDays(const std::vector<BookedDay>& days)
{
    constexpr std::size_t Shown = 10;
    QStringList items;
    for (std::size_t i = 0; i < days.size() && i < Shown; ++i)
        items.append(days[i].date.toString(QStringLiteral("dd/MM")) + QLatin1Char(' ') + days[i].text);
    QString out = items.join(QStringLiteral(", "));
    if (days.size() > Shown) {
        const std::size_t rest = days.size() - Shown;
        out +=
            rest == 1 ? QStringLiteral(" e un altro giorno") : QStringLiteral(" e altri %1 giorni").arg(rest);
    }
    return out;
}

} // namespace rf::Planning
