#include "BenchData.h"

#include "contracts/SchedaContratto.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "planner/PlanningFile.h"
#include "storage/ArchiveFile.h"

#include <QDate>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <iterator>
#include <random>

namespace rf::bench {

namespace {

const char* const Surnames[] = {"Rossi",    "Russo",     "Ferrari",    "Esposito",  "Bianchi",  "Romano",
                                "Colombo",  "Ricci",     "Marino",     "Greco",     "Bruno",    "Gallo",
                                "Conti",    "De Luca",   "Mancini",    "Costa",     "Giordano", "Rizzo",
                                "Lombardi", "Moretti",   "Barbieri",   "Fontana",   "Santoro",  "Mariani",
                                "Rinaldi",  "Caruso",    "Ferrara",    "Galli",     "Martini",  "Leone",
                                "Longo",    "Gentile",   "Martinelli", "Vitale",    "Lombardo", "Serra",
                                "Coppola",  "De Santis", "D'Angelo",   "Marchetti", "Parisi",   "Villa"};
const char* const Names[] = {"Mario",    "Luca",     "Giulia",   "Francesca", "Andrea",  "Chiara",
                             "Marco",    "Sara",     "Nicolò",   "Anna",      "Matteo",  "Elena",
                             "Davide",   "Federica", "Simone",   "Lucia",     "Niccolò", "Martina",
                             "Gabriele", "Alessia",  "Riccardo", "Giorgia",   "Tommaso", "Noemi"};
const char* const Towns[] = {"Riva del Garda", "Arco",    "Trento",  "Rovereto", "Bolzano",
                             "Merano",         "Verona",  "Brescia", "Milano",   "Torino",
                             "Bologna",        "Firenze", "Forlì",   "Cantù",    "Canazei"};
const char* const Provinces[] = {"TN", "BZ", "VR", "BS", "MI", "TO", "BO", "FI", "FC", "CO"};
const char* const Makes[] = {"Bianchi Spillo",  "Atala City",      "Olmo e-Bike",  "Cinelli Gravel",
                             "Pinarello Città", "Legnano Classic", "Wilier Trail", "Fantic XF1",
                             "Thok MIG",        "Carraro Strada"};
const char* const Colours[] = {"Rosso",        "Blu notte", "Verde bosco", "Nero opaco",
                               "Bianco perla", "Giallo",    "Grigio"};
const char* const Sizes[] = {"S", "M", "L", "XL", "46", "50", "54"};
const char* const Streets[] = {"Via Roma",     "Viale Dante", "Piazza Garibaldi", "Via Mazzini",
                               "Corso Italia", "Via Verdi",   "Via dei Mille",    "Largo Cavour"};

const char* const Mechanics[] = {"Zanetti", "Pedrotti", "Bertolini", "Casagrande", "Maffei"};

// A kind of work, its parts and its cost's range in euros.
struct Work {
    const char* kind;
    const char* parts;
    int lowest, highest;
};
const Work Works[] = {
    {"Tagliando", "Controllo generale, lubrificazione catena, registrazione cambio", 35, 60},
    {"Freni", "Pastiglie anteriori e posteriori, spurgo impianto", 25, 80},
    {"Pneumatici", "Copertoni 700x38, camere d'aria", 40, 120},
    {"Riparazione danni", "Cerchio posteriore, raggi, parafango", 50, 300},
};

constexpr double ReturningCustomers = 4000;

} // namespace

QString DataGenerator::pick(const char* const* list, int size)
{
    return QString::fromUtf8(list[between(0, size - 1)]);
}

int DataGenerator::between(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

QString DataGenerator::date(int year)
{
    return QStringLiteral("%1/%2/%3")
        .arg(between(1, 28), 2, 10, QLatin1Char('0'))
        .arg(between(1, 12), 2, 10, QLatin1Char('0'))
        .arg(year);
}

QString DataGenerator::amount()
{
    return QStringLiteral("%1,%2").arg(between(5, 900)).arg(between(0, 99), 2, 10, QLatin1Char('0'));
}

QStringList DataGenerator::contractTexts(int index)
{
    const RecordLayout& layout = TSchedaContratto();
    Record record(layout);
    const auto set = [&record](const char* field, const QString& value) {
        record.setValue(QLatin1String(field), value);
    };
    const int year = between(2015, 2026);
    set("Ditta01", QStringLiteral("Noleggio Bici Garda s.n.c."));
    set("Ditta02", QStringLiteral("Via Lungolago 12, Riva del Garda - P. IVA 01234567890"));
    set("Data", date(year));
    set("Luogo", QStringLiteral("Riva del Garda"));
    // Customers come back: most contracts go to a few thousand returning customers, the same person
    // with the same details every time, so the archive's lines repeat as a shop's do.
    const double spread = std::uniform_real_distribution<double>(0, 1)(m_random);
    std::mt19937 person(std::uint32_t(spread * spread * ReturningCustomers) + 1u);
    const auto from = [&person](const char* const* list, int size) {
        return QString::fromUtf8(list[std::uniform_int_distribution<int>(0, size - 1)(person)]);
    };
    const auto number = [&person](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(person);
    };
    const auto day = [&number](int y) {
        return QStringLiteral("%1/%2/%3")
            .arg(number(1, 28), 2, 10, QLatin1Char('0'))
            .arg(number(1, 12), 2, 10, QLatin1Char('0'))
            .arg(y);
    };
    set("Cliente",
        from(Surnames, int(std::size(Surnames))) + QLatin1Char(' ') + from(Names, int(std::size(Names))));
    set("Sesso", number(0, 1) ? QStringLiteral("M") : QStringLiteral("F"));
    set("IndirizzoRes",
        from(Streets, int(std::size(Streets))) + QLatin1Char(' ') + QString::number(number(1, 200)));
    set("ComuneRes", from(Towns, int(std::size(Towns))));
    set("ProvRes", from(Provinces, int(std::size(Provinces))));
    set("CapRes", QString::number(number(10000, 98999)));
    set("CodFisc", QStringLiteral("RSSMRA%1A01H612X").arg(number(50, 99)));
    set("Recapito", QStringLiteral("3%1 %2").arg(number(20, 49)).arg(number(1000000, 9999999)));
    set("DataNasc", day(number(1950, 2005)));
    set("LuogoNasc", from(Towns, int(std::size(Towns))));
    set("TipoDoc", QStringLiteral("Carta d'identità"));
    set("NumDoc", QStringLiteral("CA%1").arg(number(10000, 99999)));
    set("BiciNum", QStringLiteral("B-%1").arg(between(1, 10000)));
    set("Marca", pick(Makes, int(std::size(Makes))));
    set("Taglia", pick(Sizes, int(std::size(Sizes))));
    set("Tariffa", QStringLiteral("Giornaliera"));
    set("Conteggio", QStringLiteral("24 ore dal ritiro"));
    set("Importo", amount());
    set("Totale", amount());
    const QString start = date(year);
    set("DataInizio", start);
    set("OraInizio", QStringLiteral("%1:%2")
                         .arg(between(8, 18), 2, 10, QLatin1Char('0'))
                         .arg(between(0, 59), 2, 10, QLatin1Char('0')));
    // A rental of a day to a week.
    set("DataFine", QDate::fromString(start, QStringLiteral("dd/MM/yyyy"))
                        .addDays(between(0, 6))
                        .toString(QStringLiteral("dd/MM/yyyy")));
    set("OraFine", QStringLiteral("18:00"));
    set("SedeRit", QStringLiteral("Riva del Garda"));
    set("SedeRic", QStringLiteral("Arco"));
    set("TotGiorni", QString::number(between(1, 14)));
    set("Accessori", QStringLiteral("Casco, lucchetto e catena"));
    set("Cauzione", amount());
    set("Pagamento", QStringLiteral("Carta di credito"));
    set("Foro", QStringLiteral("Rovereto"));
    set("Note", index % 7 == 0 ? QStringLiteral("Cliente abituale, più volte in città") : QString());
    set("Riconsegnato", between(0, 2) == 0 ? QStringLiteral("No") : QStringLiteral("S\u00EC"));
    return record.texts();
}

QStringList DataGenerator::vehicleTexts(int index)
{
    Record record(TSchedaVeicolo());
    const auto set = [&record](const char* field, const QString& value) {
        record.setValue(QLatin1String(field), value);
    };
    set("BiciNum", QStringLiteral("B-%1").arg(index + 1));
    set("Marca", pick(Makes, int(std::size(Makes))));
    set("Telaio", QStringLiteral("WTF%1").arg(between(100000, 999999)));
    set("Taglia", pick(Sizes, int(std::size(Sizes))));
    set("Anno", QString::number(between(2012, 2026)));
    set("Colore", pick(Colours, int(std::size(Colours))));
    set("Stato", QStringLiteral("Ottimo"));
    set("Importo", amount());
    set("Responsabile", pick(Surnames, int(std::size(Surnames))));
    set("Accessori", QStringLiteral("Casco e lucchetto"));
    return record.texts();
}

bool DataGenerator::writeContracts(const QString& path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block;
    for (int i = 0; i < count; ++i) {
        block += TSchedaContratto().encode(contractTexts(i));
        if (block.size() > (1 << 22) || i == count - 1) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return true;
}

bool DataGenerator::writeVehicles(const QString& path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (int i = 0; i < count; ++i) {
        if (file.write(TSchedaVeicolo().encode(vehicleTexts(i))) != Fleet::RecordSize)
            return false;
    }
    return true;
}

QByteArray DataGenerator::serviceRecord(const QString& number, const QDate& date)
{
    // The tagliando and the brakes most often, a repair now and then.
    const int roll = between(0, 9);
    const Work& work = Works[roll < 4 ? 0 : roll < 7 ? 1 : roll < 9 ? 2 : 3];
    Service::Entry entry;
    entry.vehicleNumber = number;
    entry.date = date;
    entry.work = QString::fromUtf8(work.kind);
    entry.parts = QString::fromUtf8(work.parts);
    entry.mechanic = pick(Mechanics, int(std::size(Mechanics)));
    entry.cost = QStringLiteral("%1,%2")
                     .arg(between(work.lowest, work.highest))
                     .arg(between(0, 1) * 50, 2, 10, QLatin1Char('0'));
    entry.km = QString::number(between(500, 25000));
    if (between(0, 2) == 0) {
        entry.workshopFrom = date;
        entry.workshopTo = date.addDays(between(1, 3));
        entry.notes = QStringLiteral("Ritirata in officina, riconsegnata al banco");
    }
    return TSchedaManutenzione().encode(Service::textsOf(entry));
}

bool DataGenerator::writeServiceLog(const QString& path, int vehicles, const QString& heavy,
                                    const QDate& today)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block;
    for (int i = 1; i <= vehicles; ++i) {
        const QString number = QStringLiteral("B-%1").arg(i);
        const bool many = number == heavy;
        const int entries = many ? 200 : between(2, 5);
        // The heavy vehicle's log goes back about three years; a few others' tagliando is overdue.
        const int span = many ? 1100 : i % 15 == 0 ? 420 : 364;
        for (int e = 0; e < entries; ++e)
            block += serviceRecord(number, today.addDays(-between(0, span)));
    }
    return file.write(block) == block.size();
}

bool DataGenerator::writeServiceRules(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write("[Manutenzione]\r\nLavori=Tagliando;Freni;Pneumatici;Riparazione danni\r\n") > 0;
}

bool DataGenerator::writePlanning(const QString& path, const QString& vehicleNumber)
{
    // Rentals of one to a week, each for one customer, with free days between them: about half
    // the days booked, as in a season.
    Planning::Days days;
    for (int slot = between(0, 6); slot < Planning::DayCount;) {
        const QString customer =
            pick(Surnames, int(std::size(Surnames))) + QLatin1Char(' ') + pick(Names, int(std::size(Names))) +
            QStringLiteral(" 3%1 %2").arg(between(20, 49)).arg(between(1000000, 9999999));
        const int length = between(1, 7);
        for (int day = 0; day < length && slot < Planning::DayCount; ++day)
            days[std::size_t(slot++)] = customer;
        slot += between(0, 6);
    }
    return Planning::save(
        path, {vehicleNumber, QStringLiteral("Atala City"), QStringLiteral("Rosso"), QStringLiteral("M")},
        days);
}

bool DataGenerator::writePhoto(const QString& path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(70, 130, 180));
    sky.setColorAt(1, QColor(240, 230, 200));
    painter.fillRect(image.rect(), sky);
    painter.setPen(QPen(QColor(200, 40, 40), width / 100.0));
    for (int i = 0; i < 40; ++i)
        painter.drawEllipse(QPointF(width * (i % 8) / 8.0, height * (i / 8) / 5.0), width / 20.0,
                            height / 20.0);
    painter.end();
    // Grain and fine detail as a camera records them, so the JPEG is as large and as slow to
    // decode as a real photo (a smooth picture compresses to a fraction of that).
    std::mt19937 grain(7u);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(grain() % 48) - 24;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255),
                           qBound(0, qBlue(p) + n, 255));
        }
    }
    return image.save(path, "JPG", 90);
}

QString DataGenerator::checkContracts(const QString& path, int count)
{
    DataGenerator fresh; // the same seed gives the same records
    ArchiveFile archive(path, Contracts::RecordSize);
    if (!archive.OpenArchive() || archive.RecordCount() != count)
        return QStringLiteral("the archive does not hold %1 records").arg(count);
    const QList<int> checked{1, count / 2, count};
    const QStringList fields{QStringLiteral("Cliente"), QStringLiteral("ComuneRes"),
                             QStringLiteral("BiciNum"), QStringLiteral("Totale"),
                             QStringLiteral("Note"),    QStringLiteral("Riconsegnato")};
    for (int i = 1; i <= count; ++i) {
        const QStringList expected = fresh.contractTexts(i - 1);
        if (!checked.contains(i))
            continue;
        QByteArray bytes;
        if (!archive.ReadRecord(i, bytes))
            return QStringLiteral("record %1 cannot be read").arg(i);
        const Record read(TSchedaContratto(), TSchedaContratto().decode(bytes));
        const Record written(TSchedaContratto(), expected);
        for (const QString& field : fields) {
            if (read.value(field) != written.value(field))
                return QStringLiteral("record %1, %2: \"%3\" read, \"%4\" written")
                    .arg(i)
                    .arg(field, read.value(field), written.value(field));
        }
    }
    return {};
}

} // namespace rf::bench
