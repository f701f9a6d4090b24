#include "PriceList.h"

#include "contracts/DayCount.h"
#include "storage/Amounts.h"
#include "storage/IniFile.h"

#include <QDir>
#include <QRegularExpression>
#include <QTime>

#include <algorithm>
#include <array>
#include <limits>

namespace rf::PriceList {
namespace {

const QString SeasonsSection = QStringLiteral("Stagioni");

QString tariffSection(int number)
{
    return QStringLiteral("Tariffa%1").arg(number);
}

QString seasonKey(int number)
{
    return QStringLiteral("Stagione%1").arg(number);
}

// The priced keys of a tariff's section, with the member each one fills.
struct PriceKey {
    const char* key;
    qint64 Tariff::*price;
};
const PriceKey PriceKeys[] = {{"Ore4", &Tariff::hours4},          {"Giorno", &Tariff::day},
                              {"GiornoExtra", &Tariff::extraDay}, {"Weekend", &Tariff::weekend},
                              {"Settimana", &Tariff::week},       {"Cauzione", &Tariff::deposit}};

// A day's (week's, weekend's) price with its season's percentage, rounded half up to the cent.
qint64 seasoned(qint64 cents, const Season* season)
{
    if (!season)
        return cents;
    const qint64 scaled = cents * (100 + season->percent);
    return scaled <= 0 ? 0 : (scaled + 50) / 100;
}

int dayOfYearKey(int day, int month)
{
    return month * 100 + day;
}

// ---- the cheapest covering of the days -------------------------------------------------------

enum class Unit { Hours, Day, Weekend, Week };

struct Piece {
    Unit unit;
    qint64 base;          // the list's price
    const Season* season; // of the piece's first day
    qint64 cost;          // the price with the season's percentage
};

struct Step {
    qint64 cost = std::numeric_limits<qint64>::max();
    int from = -1;      // day index the piece starts at
    bool fromFirst = 0; // whether the first single day was taken before it
    Piece piece{Unit::Day, 0, nullptr, 0};
};

// Covers days [0, n) from start: best[i][f] is the cheapest covering of the first i days, f
// telling whether a single day at the first-day price is among them.
std::vector<Piece> cheapestDays(const List& list, const Tariff& tariff, const QDate& start, int n)
{
    std::vector<std::array<Step, 2>> best(std::size_t(n) + 1);
    best[0][0].cost = 0;
    const qint64 extraDay = tariff.extraDay > 0 ? tariff.extraDay : tariff.day;
    const auto offer = [&best](int from, bool first, int to, bool nowFirst, Piece piece) {
        const qint64 cost = best[std::size_t(from)][first].cost + piece.cost;
        Step& step = best[std::size_t(to)][nowFirst];
        if (cost < step.cost)
            step = {cost, from, first, piece};
    };
    for (int i = 0; i < n; ++i) {
        const QDate day = start.addDays(i);
        const Season* season = list.seasonOf(day);
        for (const bool first : {false, true}) {
            if (best[std::size_t(i)][first].cost == std::numeric_limits<qint64>::max())
                continue;
            const qint64 single = first ? extraDay : tariff.day;
            if (single > 0)
                offer(i, first, i + 1, true, {Unit::Day, single, season, seasoned(single, season)});
            if (tariff.weekend > 0 && day.dayOfWeek() == Qt::Saturday && i + 2 <= n)
                offer(i, first, i + 2, first,
                      {Unit::Weekend, tariff.weekend, season, seasoned(tariff.weekend, season)});
            if (tariff.week > 0 && i + 7 <= n)
                offer(i, first, i + 7, first,
                      {Unit::Week, tariff.week, season, seasoned(tariff.week, season)});
        }
    }
    const std::array<Step, 2>& last = best[std::size_t(n)];
    bool first = last[1].cost < last[0].cost;
    if (last[first].cost == std::numeric_limits<qint64>::max())
        return {};
    std::vector<Piece> pieces;
    for (int i = n; i > 0;) {
        const Step& step = best[std::size_t(i)][first];
        pieces.insert(pieces.begin(), step.piece);
        i = step.from;
        first = step.fromFirst;
    }
    return pieces;
}

// ---- the reckoning in words ------------------------------------------------------------------

QString countText(Unit unit, int count)
{
    switch (unit) {
    case Unit::Hours:
        return QStringLiteral("fino a 4 ore");
    case Unit::Day:
        return count == 1 ? QStringLiteral("1 g") : QStringLiteral("%1 gg").arg(count);
    case Unit::Weekend:
        return QStringLiteral("%1 weekend").arg(count);
    case Unit::Week:
        return count == 1 ? QStringLiteral("1 settimana") : QStringLiteral("%1 settimane").arg(count);
    }
    return {};
}

QString explanation(const std::vector<Piece>& pieces, qint64 total, qint64 deposit)
{
    struct Group {
        Piece piece;
        int count;
    };
    std::vector<Group> groups;
    for (const Piece& piece : pieces) {
        auto same = [&piece](const Group& g) {
            return g.piece.unit == piece.unit && g.piece.base == piece.base && g.piece.season == piece.season;
        };
        const auto found = std::find_if(groups.begin(), groups.end(), same);
        if (found == groups.end())
            groups.push_back({piece, 1});
        else
            ++found->count;
    }
    // Weeks first, then weekends, then days, each kind in the order of its days.
    const auto rank = [](Unit unit) { return unit == Unit::Day ? 3 : unit == Unit::Weekend ? 2 : 1; };
    std::stable_sort(groups.begin(), groups.end(), [&rank](const Group& a, const Group& b) {
        return rank(a.piece.unit) < rank(b.piece.unit);
    });
    QStringList parts;
    for (const Group& g : groups) {
        QString part = countText(g.piece.unit, g.count) + QStringLiteral(" × ") + euroText(g.piece.base);
        if (const Season* season = g.piece.season) {
            const QString percent = QStringLiteral("%1%2%")
                                        .arg(season->percent < 0 ? QString() : QStringLiteral("+"))
                                        .arg(season->percent);
            part += QStringLiteral(" (") + percent +
                    (season->name.isEmpty() ? QString() : QLatin1Char(' ') + season->name) + QLatin1Char(')');
        }
        parts << part;
    }
    QString text = parts.join(QStringLiteral(" + ")) + QStringLiteral(" = ") + euroText(total);
    if (deposit > 0)
        text += QStringLiteral("; cauzione ") + euroText(deposit);
    return text;
}

// Minutes from the start hour to the end hour of one day, or nothing when they are not both hours
// or the end is not after the start.
std::optional<int> minutesBetween(const QString& startHour, const QString& endHour)
{
    const auto hour = [](const QString& text) {
        QString t = text.trimmed();
        t.replace(QLatin1Char('.'), QLatin1Char(':'));
        return QTime::fromString(t, QStringLiteral("H:mm"));
    };
    const QTime from = hour(startHour);
    const QTime to = hour(endHour);
    if (!from.isValid() || !to.isValid() || to <= from)
        return std::nullopt;
    return from.secsTo(to) / 60;
}

} // namespace

bool Tariff::operator==(const Tariff& other) const
{
    return name == other.name && hours4 == other.hours4 && day == other.day && extraDay == other.extraDay &&
           weekend == other.weekend && week == other.week && deposit == other.deposit;
}

bool Season::contains(const QDate& date) const
{
    const int from = dayOfYearKey(fromDay, fromMonth);
    const int to = dayOfYearKey(toDay, toMonth);
    const int at = dayOfYearKey(date.day(), date.month());
    return from <= to ? (from <= at && at <= to) : (at >= from || at <= to);
}

bool Season::operator==(const Season& other) const
{
    return fromDay == other.fromDay && fromMonth == other.fromMonth && toDay == other.toDay &&
           toMonth == other.toMonth && percent == other.percent && name == other.name;
}

const Tariff* List::find(const QString& name) const
{
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return nullptr;
    for (const Tariff& tariff : tariffs) {
        if (tariff.name.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return &tariff;
    }
    return nullptr;
}

const Season* List::seasonOf(const QDate& date) const
{
    for (const Season& season : seasons) {
        if (season.contains(date))
            return &season;
    }
    return nullptr;
}

bool parseDayMonth(const QString& text, int& day, int& month)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2})/(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    day = match.captured(1).toInt();
    month = match.captured(2).toInt();
    return QDate(2024, month, day).isValid(); // a leap year: 29/02 is a day of the year
}

QString amountText(qint64 cents)
{
    return QString::number(cents / 100) + QLatin1Char(',') +
           QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString dayMonthText(int day, int month)
{
    return QStringLiteral("%1/%2").arg(day, 2, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}

std::optional<Season> parseSeason(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(';'));
    if (parts.size() < 2)
        return std::nullopt;
    const QStringList span = parts[0].split(QLatin1Char('-'));
    Season season;
    if (span.size() != 2 || !parseDayMonth(span[0], season.fromDay, season.fromMonth) ||
        !parseDayMonth(span[1], season.toDay, season.toMonth))
        return std::nullopt;
    QString percent = parts[1].trimmed();
    if (percent.endsWith(QLatin1Char('%')))
        percent.chop(1);
    bool ok = false;
    season.percent = percent.toInt(&ok); // "+20" and "-10" alike
    if (!ok || season.percent <= -100)
        return std::nullopt;
    season.name = parts.mid(2).join(QLatin1Char(';')).trimmed();
    return season;
}

QString seasonText(const Season& season)
{
    return dayMonthText(season.fromDay, season.fromMonth) + QLatin1Char('-') +
           dayMonthText(season.toDay, season.toMonth) + QLatin1Char(';') +
           (season.percent < 0 ? QString() : QStringLiteral("+")) + QString::number(season.percent) +
           QLatin1Char(';') + season.name;
}

namespace {

// The list a read file holds.
List listOf(const IniFile& ini)
{
    List list;
    for (int i = 1;; ++i) {
        Tariff tariff;
        tariff.name = ini.value(tariffSection(i), QStringLiteral("Nome")).trimmed();
        if (tariff.name.isEmpty())
            break;
        for (const PriceKey& key : PriceKeys)
            tariff.*key.price = std::max<qint64>(
                0, amountCents(ini.value(tariffSection(i), QLatin1String(key.key))).value_or(0));
        list.tariffs.push_back(tariff);
    }
    for (int i = 1;; ++i) {
        const QString text = ini.value(SeasonsSection, seasonKey(i)).trimmed();
        if (text.isEmpty())
            break;
        if (const std::optional<Season> season = parseSeason(text))
            list.seasons.push_back(*season);
    }
    return list;
}

} // namespace

std::optional<List> load(const QString& folder)
{
    IniFile ini(QDir(folder).filePath(QLatin1String(FileName)));
    if (!ini.load())
        return std::nullopt;
    return listOf(ini);
}

SaveResult save(const QString& folder, const List& list, const std::optional<List>& readAs)
{
    IniFile ini(QDir(folder).filePath(QLatin1String(FileName)));
    if (!ini.load())
        return SaveResult::Unreadable;
    if (readAs && listOf(ini) != *readAs)
        return SaveResult::ChangedMeanwhile;
    int number = 0;
    for (const Tariff& tariff : list.tariffs) {
        const QString section = tariffSection(++number);
        ini.setValue(section, QStringLiteral("Nome"), tariff.name.trimmed());
        for (const PriceKey& key : PriceKeys)
            ini.setValue(section, QLatin1String(key.key), amountText(tariff.*key.price));
    }
    // What lay beyond the list is blanked: the reading stops at the first empty Nome.
    while (!ini.value(tariffSection(++number), QStringLiteral("Nome")).isEmpty()) {
        ini.setValue(tariffSection(number), QStringLiteral("Nome"), QString());
        for (const PriceKey& key : PriceKeys)
            ini.setValue(tariffSection(number), QLatin1String(key.key), QString());
    }
    number = 0;
    for (const Season& season : list.seasons)
        ini.setValue(SeasonsSection, seasonKey(++number), seasonText(season));
    while (!ini.value(SeasonsSection, seasonKey(++number)).isEmpty())
        ini.setValue(SeasonsSection, seasonKey(number), QString());
    return ini.save() ? SaveResult::Saved : SaveResult::WriteFailed;
}

std::optional<Proposal> propose(const List& list, const QString& tariffName, const QDate& start,
                                const QDate& end, const QString& startHour, const QString& endHour)
{
    const Tariff* tariff = list.find(tariffName);
    if (!tariff)
        return std::nullopt;
    const DayCountResult counted = Calcola(formatDate(start), formatDate(end));
    if (!counted.totGiorni)
        return std::nullopt;
    const int days = counted.totGiorni->toInt();
    std::vector<Piece> pieces = cheapestDays(list, *tariff, start, days);
    const auto totalOf = [](const std::vector<Piece>& ps) {
        qint64 sum = 0;
        for (const Piece& p : ps)
            sum += p.cost;
        return sum;
    };
    const std::optional<int> minutes = start == end ? minutesBetween(startHour, endHour) : std::nullopt;
    if (tariff->hours4 > 0 && minutes && *minutes <= 4 * 60) {
        const Season* season = list.seasonOf(start);
        const Piece hours{Unit::Hours, tariff->hours4, season, seasoned(tariff->hours4, season)};
        if (pieces.empty() || hours.cost < totalOf(pieces))
            pieces = {hours};
    }
    if (pieces.empty())
        return std::nullopt;
    Proposal proposal;
    proposal.total = totalOf(pieces);
    proposal.deposit = tariff->deposit;
    proposal.explanation = explanation(pieces, proposal.total, proposal.deposit);
    return proposal;
}

std::optional<Proposal> propose(const QString& folder, const QString& tariff, const QDate& start,
                                const QDate& end, const QString& startHour, const QString& endHour)
{
    const std::optional<List> list = load(folder);
    if (!list)
        return std::nullopt;
    return propose(*list, tariff, start, end, startHour, endHour);
}

} // namespace rf::PriceList
