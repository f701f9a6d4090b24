#include "Amounts.h"

#include "storage/CountedString.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace rf {
namespace {

// A decimal number with "," as separator: optional sign, digits, at most one comma.
bool parseCommaNumber(const QString& text, double& value)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?(\\d+(,\\d*)?|,\\d+)$"));
    const QString trimmed = trimControl(text);
    if (!pattern.match(trimmed).hasMatch())
        return false;
    QString dotted = trimmed;
    dotted.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    value = QLocale::c().toDouble(dotted, &ok);
    return ok && std::isfinite(value);
}

// The value is held as a double, but scaled and rounded in extended precision: this is what makes
// 1,005 give 1,00 and 2,675 give 2,67 while 12,345 gives 12,35, as shops' existing cards were
// computed.
double roundedToCents(double x)
{
    const long double scaled = static_cast<long double>(x) * 100.0L + 0.5L;
    return double(std::trunc(scaled)) / 100.0;
}

} // namespace

QString normaliseAmount(const QString& text)
{
    if (trimControl(text).isEmpty())
        return QStringLiteral("0,00");
    double x = 0;
    if (!parseCommaNumber(text, x))
        return QStringLiteral("0,00");
    const double rounded = roundedToCents(x);
    QString out = QLocale::c().toString(rounded, 'f', QLocale::FloatingPointShortest);
    out.replace(QLatin1Char('.'), QLatin1Char(','));
    const int comma = int(out.indexOf(QLatin1Char(',')));
    if (comma < 0)
        out += QStringLiteral(",00");
    else if (comma == out.size() - 2)
        out += QLatin1Char('0');
    return out;
}

std::optional<qint64> amountCents(const QString& text)
{
    if (trimControl(text).isEmpty())
        return 0;
    double x = 0;
    if (!parseCommaNumber(text, x) || std::fabs(x) > 1e15)
        return std::nullopt;
    return qint64(std::llround(roundedToCents(x) * 100.0));
}

QString euroText(qint64 cents)
{
    const QString sign = cents < 0 ? QStringLiteral("-") : QString();
    const qint64 whole = (cents < 0 ? -cents : cents) / 100;
    const qint64 fraction = (cents < 0 ? -cents : cents) % 100;
    QString digits = QString::number(whole);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char('.'));
    return sign + digits + QLatin1Char(',') + QString::number(fraction).rightJustified(2, QLatin1Char('0')) +
           QStringLiteral(" \u20AC");
}

QString formatDate(const QDate& date)
{
    return date.isValid() ? QLocale::c().toString(date, QStringLiteral("dd/MM/yyyy")) : QString();
}

namespace {
// Days read with a vowel first (uno, otto, undici) take the elided article.
bool readWithVowel(const QDate& date)
{
    const int day = date.day();
    return day == 1 || day == 8 || day == 11;
}
} // namespace

QString fromDateText(const QDate& date)
{
    return (readWithVowel(date) ? QStringLiteral("dall'") : QStringLiteral("dal ")) + formatDate(date);
}

QString onDateText(const QDate& date)
{
    return (readWithVowel(date) ? QStringLiteral("l'") : QStringLiteral("il ")) + formatDate(date);
}

QDate parseDate(const QString& text)
{
    // A character outside Latin-1 becomes "?", which no date holds.
    return parseStoredDate(trimControl(text).toLatin1());
}

QDate parseStoredDate(QByteArrayView text)
{
    constexpr int longest[3] = {2, 2, 4};
    constexpr int shortest[3] = {1, 1, 4};
    int parts[3] = {0, 0, 0};
    qsizetype at = 0;
    for (int part = 0; part < 3; ++part) {
        if (part > 0) {
            if (at == text.size() || text[at] != '/')
                return {};
            ++at;
        }
        int digits = 0;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            if (++digits > longest[part])
                return {};
            parts[part] = parts[part] * 10 + (text[at] - '0');
        }
        if (digits < shortest[part])
            return {};
    }
    if (at != text.size())
        return {};
    return QDate(parts[2], parts[1], parts[0]);
}

} // namespace rf
