#pragma once

#include <QString>

// The scrambler of the access password. Each character is taken as one byte (the low 8 bits of
// its code); the scrambled bytes are written as two upper-case hexadecimal digits each.
namespace rf::Crypt {

// Scrambles a stored password into its hexadecimal form. An empty text gives an empty result.
QString CodificaPassword(const QString& text);

// Turns a hexadecimal form back into the stored password. A last odd digit is ignored; either
// case is accepted. A pair that is not hexadecimal sets *ok to false and gives an empty text.
QString DecodificaPassword(const QString& hex, bool* ok = nullptr);

} // namespace rf::Crypt
