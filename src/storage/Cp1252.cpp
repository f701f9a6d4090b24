#include "Cp1252.h"

#include <QList>

#include <array>

namespace rf::Cp1252 {
namespace {

// Code points of bytes 0x80..0x9F; the others equal their byte value.
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char fromUnicode(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return char(code);
    for (std::size_t i = 0; i < HighTable.size(); ++i) {
        if (HighTable[i] == code)
            return char(0x80 + i);
    }
    return ReplacementByte;
}

} // namespace

QChar toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(HighTable[byte - 0x80]);
    return QChar(char16_t(byte)); // Latin-1 below 0x80 and from 0xA0 up
}

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    // Iterate by code point, so a character outside the basic plane still gives one byte.
    for (const char32_t code : text.toUcs4())
        out.append(fromUnicode(code));
    return out;
}

void appendTo(QString& out, const char* data, qsizetype size)
{
    const qsizetype start = out.size();
    out.resize(start + size);
    QChar* dst = out.data() + start;
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = toUnicode(static_cast<unsigned char>(data[i]));
}

QString decode(const char* data, int size)
{
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (int i = 0; i < size; ++i)
        dst[i] = toUnicode(static_cast<unsigned char>(data[i]));
    return out;
}

const std::array<unsigned char, 256>& caseFold()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> folded{};
        for (int b = 0; b < 256; ++b)
            folded[std::size_t(b)] = (unsigned char)b;
        for (int b = 'A'; b <= 'Z'; ++b)
            folded[std::size_t(b)] = (unsigned char)(b + 32);
        for (int b = 0xC0; b <= 0xDE; ++b) {
            if (b != 0xD7) // the multiplication sign
                folded[std::size_t(b)] = (unsigned char)(b + 32);
        }
        folded[0x8A] = 0x9A; // Š
        folded[0x8C] = 0x9C; // Œ
        folded[0x8E] = 0x9E; // Ž
        folded[0x9F] = 0xFF; // Ÿ
        return folded;
    }();
    return table;
}

} // namespace rf::Cp1252
