#include "FiscalChecks.h"

#include <array>

namespace rf::Fiscal {
namespace {

// Values of the characters "0" to "Z" in code order; the seven signs between "9" and "A" count 0.
constexpr int TableSize = 'Z' - '0' + 1;

// clang-format off
constexpr std::array<int, TableSize> OddValues = {
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21,                                                           // 0-9
    0, 0, 0, 0, 0, 0, 0,                                                                         // :;<=>?@
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23 // A-Z
};

constexpr std::array<int, TableSize> EvenValues = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9,                                                                // 0-9
    0, 0, 0, 0, 0, 0, 0,                                                                         // :;<=>?@
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25 // A-Z
};
// clang-format on

int characterValue(QChar c, bool oddPosition)
{
    const char16_t u = c.unicode();
    if (u < u'0' || u > u'Z')
        return 0;
    return oddPosition ? OddValues[u - u'0'] : EvenValues[u - u'0'];
}

struct Office {
    int code;
    const char16_t* name;
};

constexpr Office Offices[] = {
    {1, u"Torino"},
    {2, u"Vercelli"},
    {3, u"Novara"},
    {4, u"Cuneo"},
    {5, u"Asti"},
    {6, u"Alessandria"},
    {7, u"Aosta"},
    {8, u"Imperia"},
    {9, u"Savona"},
    {10, u"Genova 1"},
    {11, u"La Spezia"},
    {12, u"Varese"},
    {13, u"Como"},
    {14, u"Sondrio"},
    {15, u"Milano 1"},
    {16, u"Bergamo"},
    {17, u"Brescia 1"},
    {18, u"Pavia"},
    {19, u"Cremona"},
    {20, u"Mantova"},
    {21, u"Bolzano"},
    {22, u"Trento"},
    {23, u"Verona"},
    {24, u"Vicenza"},
    {25, u"Belluno"},
    {26, u"Treviso"},
    {27, u"Venezia"},
    {28, u"Padova"},
    {29, u"Rovigo"},
    {30, u"Udine"},
    {31, u"Gorizia"},
    {32, u"Trieste"},
    {33, u"Piacenza"},
    {34, u"Parma"},
    {35, u"Reggio Emilia"},
    {36, u"Modena"},
    {37, u"Bologna 1"},
    {38, u"Ferrara"},
    {39, u"Ravenna"},
    {40, u"Forl\u00EC"},
    {41, u"Pesaro"},
    {42, u"Ancona"},
    {43, u"Macerata"},
    {44, u"Ascoli Piceno"},
    {45, u"Massa Carrara"},
    {46, u"Lucca"},
    {47, u"Pistoia"},
    {48, u"Firenze 1"},
    {49, u"Livorno"},
    {50, u"Pisa"},
    {51, u"Arezzo"},
    {52, u"Siena"},
    {53, u"Grosseto"},
    {54, u"Perugia"},
    {55, u"Terni"},
    {56, u"Viterbo"},
    {57, u"Rieti"},
    {58, u"Roma 1"},
    {59, u"Latina"},
    {60, u"Frosinone"},
    {61, u"Caserta"},
    {62, u"Benevento"},
    {63, u"Napoli 1"},
    {64, u"Avellino"},
    {65, u"Salerno"},
    {66, u"Aquila"},
    {67, u"Teramo"},
    {68, u"Pescara"},
    {69, u"Chieti"},
    {70, u"Campobasso"},
    {71, u"Foggia"},
    {72, u"Bari"},
    {73, u"Taranto"},
    {74, u"Brindisi"},
    {75, u"Lecce"},
    {76, u"Potenza"},
    {77, u"Matera"},
    {78, u"Cosenza"},
    {79, u"Catanzaro"},
    {80, u"Reggio Calabria"},
    {81, u"Trapani"},
    {82, u"Palermo"},
    {83, u"Messina"},
    {84, u"Agrigento"},
    {85, u"Caltanissetta"},
    {86, u"Enna"},
    {87, u"Catania"},
    {88, u"Ragusa"},
    {89, u"Siracusa"},
    {90, u"Sassari"},
    {91, u"Nuoro"},
    {92, u"Cagliari"},
    {93, u"Pordenone"},
    {94, u"Isernia"},
    {95, u"Oristano"},
    {96, u"Monza (Milano 2)"},
    {97, u"Prato (Firenze 2)"},
    {98, u"Brescia 2"},
    {99, u"Chiavari (Genova 2)"},
    {100, u"Roma 2"},
    {101, u"Bologna 2"},
    {102, u"Napoli 2"},
    {120, u"Bologna 2"},
    {121, u"Napoli 2"},
};

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

QChar fiscalCheckCharacter(const QString& code)
{
    if (code.size() < 15)
        return {};
    int sum = 0;
    for (int i = 0; i < 15; ++i)
        sum += characterValue(code.at(i), i % 2 == 0); // position i + 1 is odd when i is even
    return QChar(u'A' + sum % 26);
}

bool isValidFiscalCode(const QString& sixteen)
{
    return sixteen.size() == 16 && sixteen.at(15) == fiscalCheckCharacter(sixteen);
}

bool isValidVatNumber(const QString& number)
{
    if (number.size() != 11)
        return false;
    for (const QChar c : number) {
        if (!isDigit(c))
            return false;
    }
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const int digit = number.at(i).unicode() - u'0';
        if (i % 2 == 0) {
            sum += digit;
        } else {
            const int doubled = 2 * digit;
            sum += doubled / 10 + doubled % 10;
        }
    }
    const int check = (10 - sum % 10) % 10;
    return number.at(10).unicode() - u'0' == check;
}

QString vatOffice(const QString& elevenDigits)
{
    if (elevenDigits.size() < 10)
        return {};
    const QString code = elevenDigits.mid(7, 3);
    for (const QChar c : code) {
        if (!isDigit(c))
            return {};
    }
    const int value = code.toInt();
    for (const Office& office : Offices) {
        if (office.code == value)
            return QString::fromUtf16(office.name);
    }
    return {};
}

} // namespace rf::Fiscal
