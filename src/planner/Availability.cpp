#include "Availability.h"

#include <QDir>

namespace rf::Planning {

Availability classify(const QDate& start, const QDate& end, const YearLoader& loadYear)
{
    Availability result;
    if (!start.isValid() || !end.isValid() || end < start)
        return result;
    for (int year = start.year(); year <= end.year(); ++year) {
        const QDate from = year == start.year() ? start : QDate(year, 1, 1);
        const QDate to = year == end.year() ? end : QDate(year, 12, 31);
        const Loaded loaded = loadYear(year, slotOfDate(from), slotOfDate(to));
        if (loaded.status == Loaded::Status::Unreadable) {
            result.unreadableYears.push_back(year);
            continue;
        }
        if (loaded.status == Loaded::Status::Empty)
            continue;
        // Walking real dates skips the slot of 29 February in a common year, whatever it holds.
        for (QDate day = from; day <= to; day = day.addDays(1)) {
            const QString text = loaded.days[std::size_t(slotOfDate(day))].trimmed();
            if (!text.isEmpty())
                result.booked.push_back({day, text});
        }
    }
    const qint64 days = start.daysTo(end) + 1;
    if (!result.unreadableYears.empty())
        result.state = Availability::State::Unreadable;
    else if (result.booked.empty())
        result.state = Availability::State::Free;
    else if (qint64(result.booked.size()) == days)
        result.state = Availability::State::Full;
    else
        result.state = Availability::State::Partial;
    return result;
}

Availability availabilityOf(const QString& folder, const QString& vehicleNumber, const QDate& start,
                            const QDate& end)
{
    const QString problem = fileNameProblem(vehicleNumber);
    if (!problem.isEmpty())
        return {Availability::State::NotPlannable, {}, {}, problem};
    const QDir dir(folder);
    return classify(start, end, [&dir, &vehicleNumber](int year, int firstSlot, int lastSlot) {
        return peek(
            dir.filePath(fileName(vehicleNumber, QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')))),
            firstSlot, lastSlot);
    });
}

QString statusWord(Availability::State state)
{
    switch (state) {
    case Availability::State::Free:
        return QStringLiteral("LIBERA");
    case Availability::State::Partial:
        return QStringLiteral("PARZIALE");
    case Availability::State::Full:
        return QStringLiteral("OCCUPATA");
    case Availability::State::Unreadable:
        return QStringLiteral("ILLEGGIBILE");
    case Availability::State::NotPlannable:
        break;
    }
    return QStringLiteral("NON PIANIFICABILE");
}

QString bookedDaysText(const Availability& availability)
{
    return listDays(availability.booked);
}

QString daysColumn(const Availability& availability)
{
    switch (availability.state) {
    case Availability::State::Free:
        return {};
    case Availability::State::Full:
        return QStringLiteral("tutti i giorni");
    case Availability::State::NotPlannable:
        return QStringLiteral("numero con ") + availability.problem;
    case Availability::State::Unreadable: {
        QStringList years;
        for (const int year : availability.unreadableYears)
            years.append(QString::number(year));
        return years.size() == 1 ? QStringLiteral("anno ") + years.front() + QStringLiteral(" illeggibile")
                                 : QStringLiteral("anni ") + years.join(QStringLiteral(", ")) +
                                       QStringLiteral(" illeggibili");
    }
    case Availability::State::Partial:
        break;
    }
    // Runs of consecutive days as one span.
    QStringList spans;
    const auto dayMonth = [](const QDate& day) { return day.toString(QStringLiteral("dd/MM")); };
    const std::vector<BookedDay>& booked = availability.booked;
    for (std::size_t i = 0; i < booked.size();) {
        std::size_t last = i;
        while (last + 1 < booked.size() && booked[last].date.daysTo(booked[last + 1].date) == 1)
            ++last;
        spans.append(last == i ? dayMonth(booked[i].date)
                               : dayMonth(booked[i].date) + QLatin1Char('-') + dayMonth(booked[last].date));
        i = last + 1;
    }
    return spans.join(QStringLiteral(", "));
}

} // namespace rf::Planning
