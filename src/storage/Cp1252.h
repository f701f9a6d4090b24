#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace rf {

// Windows-1252 conversion with exactly one byte per character. The five bytes the code page leaves
// undefined map to the control characters of the same number, so every byte survives a round trip.
namespace Cp1252 {
constexpr char ReplacementByte = '?';

QByteArray encode(const QString& text);
QString decode(const char* data, int size);
inline QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), int(bytes.size()));
}
// The character stored for a byte.
QChar toUnicode(unsigned char byte);
// Appends the characters of size bytes at data to out.
void appendTo(QString& out, const char* data, qsizetype size);
// Each byte with its capital letter made small, accented capitals included; other bytes as they are.
const std::array<unsigned char, 256>& caseFold();
} // namespace Cp1252

} // namespace rf
