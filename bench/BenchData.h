#pragma once

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
    QString pick(const char* const* list, int size);
    int between(int low, int high);
    QString date(int year);
    QString amount();

    std::mt19937 m_random;
};

} // namespace rf::bench
