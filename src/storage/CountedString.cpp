#include "CountedString.h"

#include "Cp1252.h"

#include <algorithm>
#include <cstring>

namespace rf {

QString trimControl(const QString& text)
{
    int start = 0;
    int end = int(text.size());
    while (start < end && text.at(start).unicode() <= 32)
        ++start;
    while (end > start && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(start, end - start);
}

void PutCounted(const QString& text, int capacity, char* dest)
{
    const QByteArray bytes = Cp1252::encode(trimControl(text));
    const int length = std::min(int(bytes.size()), capacity);
    dest[0] = char(static_cast<unsigned char>(length));
    std::memcpy(dest + 1, bytes.constData(), std::size_t(length));
    std::memset(dest + 1 + length, 0, std::size_t(capacity - length));
}

QByteArray PutCounted(const QString& text, int capacity)
{
    QByteArray out(capacity + 1, '\0');
    PutCounted(text, capacity, out.data());
    return out;
}

QString GetCounted(const char* src, int capacity)
{
    const int length = std::min(int(static_cast<unsigned char>(src[0])), capacity);
    return trimControl(Cp1252::decode(src + 1, length));
}

} // namespace rf
