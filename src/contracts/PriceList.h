#pragma once

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace rf {

// The shop's price list, kept in Listino.ini in the data folder:
//
//   [Tariffa1]                 one section per tariff, numbered from 1 in the list's order
//   Nome=City                  the text a card's "Tipologia tariffa" holds (compared trimmed,
//   Ore4=8,00                  case-insensitive); then the prices: up to 4 hours, one day, each
//   Giorno=15,00               further day, a weekend (Saturday and Sunday), a week, and the
//   GiornoExtra=12,00          deposit. An amount of 0,00 (or a missing key) is a price the
//   Weekend=25,00              tariff does not offer; GiornoExtra at 0,00 is the day's price.
//   Settimana=70,00
//   Cauzione=50,00
//   [Stagioni]
//   Stagione1=15/06-15/09;+20;alta stagione     from-to (dd/mm, both days included, wrapping over
//                                               the new year when from is later), whole percent
//
// The tariffs are read from [Tariffa1] on until a section without a Nome; the seasons from
// Stagione1 on until a missing or empty key. Saving blanks what lies beyond the list (the INI
// writer keeps sections and cannot remove them) and keeps every other section and key.
namespace PriceList {

inline constexpr const char* FileName = "Listino.ini";

struct Tariff {
    QString name;
    // Prices in cents; 0 is not offered.
    qint64 hours4 = 0;
    qint64 day = 0;
    qint64 extraDay = 0;
    qint64 weekend = 0;
    qint64 week = 0;
    qint64 deposit = 0;
    bool operator==(const Tariff& other) const;
    bool operator!=(const Tariff& other) const { return !(*this == other); }
};

struct Season {
    int fromDay = 1, fromMonth = 1, toDay = 31, toMonth = 12;
    int percent = 0;
    QString name;
    bool contains(const QDate& date) const;
    bool operator==(const Season& other) const;
    bool operator!=(const Season& other) const { return !(*this == other); }
};

struct List {
    std::vector<Tariff> tariffs;
    std::vector<Season> seasons;
    // The tariff named name (trimmed, case-insensitive), or null.
    const Tariff* find(const QString& name) const;
    // The first season holding date, or null.
    const Season* seasonOf(const QDate& date) const;
    bool operator==(const List& other) const { return tariffs == other.tariffs && seasons == other.seasons; }
    bool operator!=(const List& other) const { return !(*this == other); }
};

// "15/06-15/09;+20;alta stagione" and back; nothing for a text that is no season.
std::optional<Season> parseSeason(const QString& text);
QString seasonText(const Season& season);
// "15/06": a day of the year as the seasons write it, 29/02 included; false when it is none.
bool parseDayMonth(const QString& text, int& day, int& month);
QString dayMonthText(int day, int month);
// "12,50": cents as the file and the contract's amount fields write them.
QString amountText(qint64 cents);

// The list in folder; a missing file is an empty list, a file that cannot be read is nothing.
std::optional<List> load(const QString& folder);
enum class SaveResult { Saved, Unreadable, WriteFailed, ChangedMeanwhile };
// Writes the list into folder's Listino.ini, keeping the file's other sections and keys; a file
// that cannot be read is left as it is (Unreadable). With readAs, the list as this side read it,
// a file that holds another list now (another workstation saved meanwhile) is left as it is too
// (ChangedMeanwhile).
SaveResult save(const QString& folder, const List& list, const std::optional<List>& readAs = std::nullopt);

// What the list asks for a rental of tariff from start to end (with the start and end hours as
// the contract holds them, "HH:mm", possibly empty): total and deposit in cents and the
// reckoning in words for the status strip.
struct Proposal {
    qint64 total = 0;
    qint64 deposit = 0;
    QString explanation;
};
// The cheapest total the tariff allows. A rental of one day (start and end the same date) that
// lasts up to 4 hours by its hours may take the 4-hour price. Otherwise the days are counted as
// Calcola counts them, from start on (a same-day rental is one day), and covered by whole weeks
// (7 days in a row), weekends (a Saturday and the Sunday after it, both among the days) and
// single days, whichever combination costs least; the first single day costs Giorno and each
// other single day GiornoExtra. Each day, week or weekend is priced at the season of its first
// day (its percentage added, rounded to the cent). Nothing for a tariff not in the list, dates
// Calcola refuses, or a tariff with no price for the rental.
std::optional<Proposal> propose(const List& list, const QString& tariff, const QDate& start, const QDate& end,
                                const QString& startHour = {}, const QString& endHour = {});
// The same reading the list from folder: nothing when it cannot be read.
std::optional<Proposal> propose(const QString& folder, const QString& tariff, const QDate& start,
                                const QDate& end, const QString& startHour = {}, const QString& endHour = {});

} // namespace PriceList
} // namespace rf
