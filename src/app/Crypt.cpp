#include "Crypt.h"

namespace rf::Crypt {

namespace {
constexpr quint16 StartKey = 3958;
constexpr quint32 Multiplier = 28543;
constexpr quint32 Addend = 31427;

// The key advances with the scrambled byte in both directions.
quint16 nextKey(quint16 key, quint8 scrambled)
{
    return quint16((quint32(scrambled) + key) * Multiplier + Addend);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}
} // namespace

QString CodificaPassword(const QString& text)
{
    static const char digits[] = "0123456789ABCDEF";
    QString hex;
    hex.reserve(text.size() * 2);
    quint16 key = StartKey;
    for (const QChar c : text) {
        const quint8 plain = quint8(c.unicode() & 0xFF);
        const quint8 scrambled = quint8(plain ^ (key >> 8));
        hex.append(QLatin1Char(digits[scrambled >> 4]));
        hex.append(QLatin1Char(digits[scrambled & 0x0F]));
        key = nextKey(key, scrambled);
    }
    return hex;
}

QString DecodificaPassword(const QString& hex, bool* ok)
{
    const int count = int(hex.size() / 2);
    QString text;
    text.reserve(count);
    quint16 key = StartKey;
    for (int i = 0; i < count; ++i) {
        const int high = hexDigit(hex.at(2 * i));
        const int low = hexDigit(hex.at(2 * i + 1));
        if (high < 0 || low < 0) {
            if (ok)
                *ok = false;
            return {};
        }
        const quint8 scrambled = quint8(high * 16 + low);
        text.append(QChar(char16_t(scrambled ^ (key >> 8))));
        key = nextKey(key, scrambled);
    }
    if (ok)
        *ok = true;
    return text;
}

} // namespace rf::Crypt
