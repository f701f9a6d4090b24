#include "VehicleCodes.h"

// The reader gives its texts as UTF-8.
#define ZX_USE_UTF8

#include "storage/Cp1252.h"

#include <ZXing/BarcodeFormat.h>
#include <ZXing/BitMatrix.h>
#include <ZXing/CharacterSet.h>
#include <ZXing/MultiFormatWriter.h>
#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <exception>

namespace rf::Fleet {
namespace {

constexpr int QrQuietModules = 4;
constexpr int Code128QuietModules = 10;

ZXing::BarcodeFormat formatOf(CodeKind kind)
{
    return kind == CodeKind::Qr ? ZXing::BarcodeFormat::QRCode : ZXing::BarcodeFormat::Code128;
}

// The code's modules, one bit each, quiet zone included; an empty matrix when the writer refuses.
ZXing::BitMatrix modules(const QString& text, CodeKind kind)
{
    ZXing::MultiFormatWriter writer(formatOf(kind));
    writer.setMargin(kind == CodeKind::Qr ? QrQuietModules : Code128QuietModules);
    if (kind == CodeKind::Qr)
        writer.setEncoding(ZXing::CharacterSet::UTF8);
    try {
        // Width and height 0: the smallest matrix, one bit a module.
        return writer.encode(text.toStdWString(), 0, 0);
    } catch (const std::exception&) {
        return {};
    }
}

// The matrix scaled by whole pixels: moduleWidth across, each column height pixels tall when the
// code is linear (one row), moduleWidth square otherwise.
QImage picture(const ZXing::BitMatrix& matrix, int moduleWidth, int height)
{
    const bool linear = matrix.height() == 1;
    const int moduleHeight = linear ? height : moduleWidth;
    QImage image(matrix.width() * moduleWidth, matrix.height() * moduleHeight, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (matrix.get(x / moduleWidth, y / moduleHeight))
                line[x] = 0;
        }
    }
    return image;
}

} // namespace

bool encodable(const QString& number, CodeKind kind)
{
    const QString text = number.trimmed();
    if (text.isEmpty() || text.size() > CodeMaxLength)
        return false;
    if (kind == CodeKind::Qr && Cp1252::decode(Cp1252::encode(text)) != text)
        return false;
    return std::all_of(text.begin(), text.end(), [kind](QChar c) {
        return c.isPrint() && (kind == CodeKind::Qr || c.unicode() < 0x7F);
    });
}

QImage qrCode(const QString& number, int side)
{
    if (!encodable(number, CodeKind::Qr))
        return {};
    const ZXing::BitMatrix matrix = modules(number.trimmed(), CodeKind::Qr);
    if (matrix.width() <= 0)
        return {};
    return picture(matrix, std::max(1, side / matrix.width()), 0);
}

QImage code128(const QString& number, const QSize& size)
{
    if (!encodable(number, CodeKind::Code128))
        return {};
    const ZXing::BitMatrix matrix = modules(number.trimmed(), CodeKind::Code128);
    if (matrix.width() <= 0)
        return {};
    return picture(matrix, std::max(1, size.width() / matrix.width()), std::max(1, size.height()));
}

QStringList readCodes(const QImage& image, CodeKind kind)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(formatOf(kind));
    hints.setTryHarder(true);
    QStringList texts;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        if (result.isValid())
            texts.append(QString::fromStdString(result.text()));
    }
    return texts;
}

} // namespace rf::Fleet
