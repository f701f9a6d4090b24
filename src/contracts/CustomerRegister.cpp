#include "CustomerRegister.h"

#include "contracts/SchedaContratto.h"
#include "storage/Amounts.h"
#include "storage/Cp1252.h"

#include <QHash>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace rf::Contracts {

namespace {

constexpr std::size_t FieldCount = CustomerFields.size();

// A stored date as its Julian day; 0 when it is not a date.
qint64 dayOf(const QByteArray& bytes)
{
    const QDate date = parseStoredDate(bytes);
    return date.isValid() ? date.toJulianDay() : 0;
}

// A customer while the archive is read: their newest contract's customer fields as stored bytes,
// each a length byte and the trimmed text, at fixed places.
struct Tally {
    qint64 day = 0;
    qint64 position = 0; // of the newest contract
    int rentals = 0;
    QByteArray block;
};

struct BlockLayout {
    std::array<int, FieldCount> index{};  // in the record
    std::array<int, FieldCount> offset{}; // in the block
    int size = 0;
};

const BlockLayout& blockLayout()
{
    static const BlockLayout layout = [] {
        BlockLayout b;
        const RecordLayout& record = TSchedaContratto();
        for (std::size_t i = 0; i < FieldCount; ++i) {
            b.index[i] = record.indexOf(QLatin1String(CustomerFields[i]));
            b.offset[i] = b.size;
            b.size += 1 + record.capacity(b.index[i]);
        }
        return b;
    }();
    return layout;
}

void copyBlock(const RecordView& record, QByteArray& block)
{
    const BlockLayout& layout = blockLayout();
    char* out = block.data();
    for (std::size_t i = 0; i < FieldCount; ++i) {
        const QByteArray text = record.fieldBytes(layout.index[i]);
        char* field = out + layout.offset[i];
        field[0] = char(text.size());
        std::memcpy(field + 1, text.constData(), std::size_t(text.size()));
    }
}

std::size_t blockIndex(const char* field)
{
    const auto at = std::find_if(CustomerFields.begin(), CustomerFields.end(),
                                 [field](const char* f) { return std::strcmp(f, field) == 0; });
    return std::size_t(at - CustomerFields.begin());
}

Customer customerOf(const Tally& tally)
{
    const BlockLayout& layout = blockLayout();
    Customer customer;
    for (std::size_t i = 0; i < FieldCount; ++i) {
        const char* field = tally.block.constData() + layout.offset[i];
        customer.fields[i] = Cp1252::decode(field + 1, static_cast<unsigned char>(field[0]));
    }
    if (tally.day > 0)
        customer.lastRental = QDate::fromJulianDay(tally.day);
    customer.rentals = tally.rentals;
    return customer;
}

} // namespace

QString Customer::value(const QString& field) const
{
    const std::size_t i = blockIndex(qPrintable(field));
    return i < FieldCount ? fields[i] : QString();
}

QString searchFolded(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString plain;
    plain.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain.append(c);
    }
    return plain.toCaseFolded();
}

ScanResult CustomerRegister::read(const QString& path, const ScanProgress& progress)
{
    m_customers.clear();
    m_searchKeys.clear();
    const RecordLayout& layout = TSchedaContratto();
    const int nameField = layout.indexOf(QStringLiteral("Cliente"));
    const int codeField = layout.indexOf(QStringLiteral("CodFisc"));
    const int dateField = layout.indexOf(QStringLiteral("Data"));
    const int blockSize = blockLayout().size;
    const auto& fold = Cp1252::caseFold();

    std::vector<Tally> tallies;
    QHash<QByteArray, std::size_t> byKey;
    const ScanResult result = scanArchive(
        path, layout,
        [&](const RecordView& record) {
            // The key: a kind byte (code or name) and the text folded, built on the stack.
            QByteArray text = record.fieldBytes(codeField);
            char kind = 'C';
            if (text.isEmpty()) {
                text = record.fieldBytes(nameField);
                kind = 'N';
            }
            if (text.isEmpty())
                return; // a contract with neither names nobody
            std::array<char, 256> buffer;
            const qsizetype length = std::min<qsizetype>(text.size(), qsizetype(buffer.size()) - 1);
            buffer[0] = kind;
            for (qsizetype i = 0; i < length; ++i)
                buffer[std::size_t(i) + 1] = char(fold[static_cast<unsigned char>(text[i])]);
            const QByteArray key = QByteArray::fromRawData(buffer.data(), length + 1);

            const qint64 day = dayOf(record.fieldBytes(dateField));
            const auto found = byKey.constFind(key);
            if (found == byKey.cend()) {
                Tally tally{day, record.position(), 1, QByteArray(blockSize, '\0')};
                copyBlock(record, tally.block);
                byKey.insert(QByteArray(key.constData(), key.size()), tallies.size());
                tallies.push_back(std::move(tally));
                return;
            }
            Tally& tally = tallies[*found];
            ++tally.rentals;
            // Records come in archive order, so a later one of the same date wins.
            if (day >= tally.day) {
                tally.day = day;
                tally.position = record.position();
                copyBlock(record, tally.block);
            }
        },
        progress);
    if (result != ScanResult::Done)
        return result;

    // Newest first: by the date of the newest contract, then by its place in the archive.
    std::vector<std::size_t> order(tallies.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return tallies[a].day != tallies[b].day ? tallies[a].day > tallies[b].day
                                                : tallies[a].position > tallies[b].position;
    });
    m_customers.reserve(order.size());
    m_searchKeys.reserve(order.size());
    const std::size_t name = blockIndex("Cliente");
    const std::size_t code = blockIndex("CodFisc");
    for (const std::size_t i : order) {
        m_customers.push_back(customerOf(tallies[i]));
        const Customer& customer = m_customers.back();
        // A line break between the two, so that no query matches across them.
        m_searchKeys.push_back(
            searchFolded(customer.fields[name] + QLatin1Char('\n') + customer.fields[code]));
    }
    return result;
}

std::vector<const Customer*> CustomerRegister::find(const QString& text) const
{
    std::vector<const Customer*> found;
    const QString trimmed = text.trimmed();
    if (trimmed.size() < MinQueryLength)
        return found;
    const QString wanted = searchFolded(trimmed);
    for (std::size_t i = 0; i < m_customers.size(); ++i) {
        if (m_searchKeys[i].contains(wanted))
            found.push_back(&m_customers[i]);
    }
    return found;
}

} // namespace rf::Contracts
