#pragma once

#include <QImage>
#include <QSize>
#include <QStringList>

namespace rf::Fleet {

// The codes printed on a vehicle's label, read back by a hand scanner that types them as keys.
// A number is encoded trimmed; its modules are whole pixels, black on white, with the quiet zone
// each symbology asks for kept around them.

// The longest number a code carries: the capacity of the card's number field.
constexpr int CodeMaxLength = 30;

enum class CodeKind { Qr, Code128 };

// Whether number (trimmed) can be carried by a code of that kind: not empty, at most
// CodeMaxLength characters, every one printable; Windows-1252 for a QR code, plain ASCII (what
// every scanner types alike) for Code 128.
bool encodable(const QString& number, CodeKind kind);

// The number as a QR code at most side pixels square (at least one pixel a module); a null image
// when it cannot be encoded.
QImage qrCode(const QString& number, int side);

// The number as a Code 128 bar code at most size.width() pixels wide (at least one pixel a module)
// and size.height() tall; a null image when it cannot be encoded.
QImage code128(const QString& number, const QSize& size);

// The texts of the codes of that kind found in image, in the order they were found.
QStringList readCodes(const QImage& image, CodeKind kind);

} // namespace rf::Fleet
