#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>

namespace rf::bench {

// Realistic archives for measuring: Italian names, towns, dates and amounts, some accented text,
// always the same for the same seed.
class DataGenerator {
public:
    explicit DataGenerator(std::uint32_t seed = 20261210u) : m_random(seed) {}

    // Writes count contract records to path (replacing it); about a third are still out.
    bool writeContracts(const QString& path, int count);
    // Writes count vehicle cards to path (replacing it).
    bool writeVehicles(const QString& path, int count);
    // The workshop log of the vehicles B-1 to B-vehicles over the year up to today: a tagliando,
    // brakes and tyres or a repair, two to five entries each, about one in three with two to four
    // days in the workshop; heavy has 200 entries over the last few years. Written to path
    // (replacing it).
    bool writeServiceLog(const QString& path, int vehicles, const QString& heavy, const QDate& today);
    // The settings file of a shop that services by the calendar and by rental days but keeps no
    // battery dates: the kinds of work its log uses.
    static bool writeServiceRules(const QString& path);
    // A planning file with a booking on about one day in four.
    bool writePlanning(const QString& path, const QString& vehicleNumber);
    // A camera-sized JPEG picture.
    static bool writePhoto(const QString& path, int width, int height);

    // Reads back the archives written and checks a handful of fields of a few records against
    // what was generated; a description of the first difference, or empty.
    QString checkContracts(const QString& path, int count);

private:
    QStringList contractTexts(int index);
    QStringList vehicleTexts(int index);
    QByteArray serviceRecord(const QString& number, const QDate& date);
    QString pick(const char* const* list, int size);
    int between(int low, int high);
    QString date(int year);
    QString amount();

    std::mt19937 m_random;
};

} // namespace rf::bench
