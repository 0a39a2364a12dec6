// The hardened Windows-bitmap reader: headers and run-length streams are
// checked before the decoder allocates anything.
#include "pictures/BitmapFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "files/RegularFile.h"

namespace pictures {
namespace {

enum Compression : uint32_t { BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3, BiAlphaBitfields = 6 };

constexpr qint64 FileHeaderSize = 14;
// Headers, palette, masks and any colour profile stand before the pixels;
// none of them comes near this, so a file whose pixels start further in is
// no picture, however large it is.
constexpr qint64 MaxPixelOffset = qint64(1) << 24;

uint32_t ReadU32(const QByteArray& data, qint64 at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<uint8_t>(data[at + i]);
    }
    return v;
}

uint16_t ReadU16(const QByteArray& data, qint64 at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(data[at]) | (static_cast<uint8_t>(data[at + 1]) << 8));
}

struct BitmapHeader {
    uint32_t pixelOffset = 0;
    uint32_t infoSize = 0;
    qint64 width = 0;
    qint64 height = 0;  // positive; topDown tells the row order
    bool topDown = false;
    int bitsPerPixel = 0;
    uint32_t compression = BiRgb;
    qint64 pixelEnd = 0;  // where uncompressed pixels end; 0 for run-length data
};

const char* const NotABitmap = "not a Windows bitmap";
const char* const OtherKind = "a kind of Windows bitmap the game cannot read";
const char* const Truncated = "truncated";

QString TooLarge(qint64 width, qint64 height)
{
    return QStringLiteral("too large (%1 × %2 pixels)").arg(width).arg(height);
}

// Reads and checks the headers, before the decoder gets to allocate anything;
// for anything that is not a plausible Windows bitmap, the reason why not.
std::optional<QString> ParseHeader(const QByteArray& head, qint64 fileSize, BitmapHeader& h)
{
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') {
        return QString::fromLatin1(NotABitmap);
    }
    if (head.size() < FileHeaderSize + 12) {
        return QString::fromLatin1(Truncated);
    }
    h.pixelOffset = ReadU32(head, 10);
    h.infoSize = ReadU32(head, 14);
    if (h.infoSize == 12) {
        h.width = ReadU16(head, 18);
        h.height = ReadU16(head, 20);
        h.bitsPerPixel = ReadU16(head, 24);
        h.compression = BiRgb;
    } else if (h.infoSize == 40 || h.infoSize == 52 || h.infoSize == 56 || h.infoSize == 108 || h.infoSize == 124) {
        if (head.size() < FileHeaderSize + 40) {
            return QString::fromLatin1(Truncated);
        }
        h.width = static_cast<int32_t>(ReadU32(head, 18));
        const int32_t rawHeight = static_cast<int32_t>(ReadU32(head, 22));
        h.topDown = rawHeight < 0;
        h.height = h.topDown ? -static_cast<qint64>(rawHeight) : rawHeight;
        h.bitsPerPixel = ReadU16(head, 28);
        h.compression = ReadU32(head, 30);
    } else {
        return QString::fromLatin1(NotABitmap);
    }

    if (h.width < 1 || h.height < 1) {
        return QString::fromLatin1(NotABitmap);
    }
    if (h.width > MaxBitmapSide || h.height > MaxBitmapSide || h.width * h.height > MaxBitmapPixels) {
        return TooLarge(h.width, h.height);
    }
    switch (h.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: return QString::fromLatin1(OtherKind);
    }
    switch (h.compression) {
    case BiRgb: break;
    case BiRle8:
        if (h.bitsPerPixel != 8 || h.topDown) return QString::fromLatin1(OtherKind);
        break;
    case BiRle4:
        if (h.bitsPerPixel != 4 || h.topDown) return QString::fromLatin1(OtherKind);
        break;
    case BiBitfields:
    case BiAlphaBitfields:
        if (h.bitsPerPixel != 16 && h.bitsPerPixel != 32) return QString::fromLatin1(OtherKind);
        break;
    default: return QString::fromLatin1(OtherKind);  // embedded JPEG or PNG: not a bitmap as the table reads them
    }
    if (h.pixelOffset < FileHeaderSize + h.infoSize || h.pixelOffset > MaxPixelOffset) {
        return QString::fromLatin1(NotABitmap);
    }
    if (h.pixelOffset >= fileSize) {
        return QString::fromLatin1(Truncated);
    }
    if (h.compression == BiRgb || h.compression == BiBitfields || h.compression == BiAlphaBitfields) {
        const qint64 rowBytes = (h.width * h.bitsPerPixel + 31) / 32 * 4;
        h.pixelEnd = h.pixelOffset + rowBytes * h.height;
        if (h.pixelEnd > fileSize) {
            return QString::fromLatin1(Truncated);
        }
    }
    return std::nullopt;
}

// Walks a run-length stream to its end-of-bitmap mark; a stream cut short
// (a truncated file) fails rather than giving a half-drawn picture.
bool RleStreamComplete(const QByteArray& data, qint64 at, const BitmapHeader& h)
{
    const qint64 end = data.size();
    qint64 row = 0;
    while (at + 2 <= end) {
        const uint8_t count = static_cast<uint8_t>(data[at]);
        const uint8_t code = static_cast<uint8_t>(data[at + 1]);
        at += 2;
        if (count > 0) {
            continue;  // encoded run
        }
        if (code == 0) {
            ++row;  // end of line
        } else if (code == 1) {
            return true;  // end of bitmap
        } else if (code == 2) {
            if (at + 2 > end) {
                return false;
            }
            row += static_cast<uint8_t>(data[at + 1]);
            at += 2;
        } else {
            const qint64 bytes = h.compression == BiRle8 ? code : (code + 1) / 2;
            at += (bytes + 1) / 2 * 2;  // absolute runs are padded to a 16-bit boundary
            if (at > end) {
                return false;
            }
        }
    }
    // Some writers leave out the final mark after the last row.
    return at == end && row >= h.height;
}

}  // namespace

QImage ToOpaque(const QImage& image)
{
    if (image.isNull()) {
        return {};
    }
    if (!image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

QImage DropAlpha(const QImage& image)
{
    if (image.isNull()) {
        return {};
    }
    if (!image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QImage plain = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < plain.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(plain.scanLine(y));
        for (int x = 0; x < plain.width(); ++x) {
            line[x] |= 0xff000000u;
        }
    }
    return plain.convertToFormat(QImage::Format_RGB32);
}

QImage ReadBitmapFile(const QString& path, QSize largest, QString* whyNot)
{
    const auto refuse = [whyNot](const QString& reason) {
        if (whyNot != nullptr) *whyNot = reason;
        return QImage();
    };
    // Opened without blocking and only if it is a regular file, so a pipe
    // named like a picture cannot hang the game.
    files::RegularFile opened(path.toStdString(), files::MaxPictureBytes);
    if (!opened.IsOpen()) {
        return refuse(QString::fromStdString(opened.Reason()));
    }
    QFile file;
    if (!file.open(opened.Release(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        return refuse(file.errorString());
    }
    const qint64 fileSize = file.size();
    BitmapHeader header;
    if (const auto problem = ParseHeader(file.peek(FileHeaderSize + 40), fileSize, header)) {
        return refuse(*problem);
    }
    if (header.width > largest.width() || header.height > largest.height()) {
        return refuse(TooLarge(header.width, header.height) +
                      QStringLiteral(", at most %1 × %2").arg(largest.width()).arg(largest.height()));
    }

    // Read no more than the picture can need, however large the file is:
    // whatever follows the pixels is never read.
    qint64 wanted = header.pixelEnd;
    const bool rle = header.compression == BiRle8 || header.compression == BiRle4;
    if (rle) {
        // Runs of one pixel cost two bytes each; line and end marks come on top.
        wanted = std::min(fileSize, header.pixelOffset + 2 * header.width * header.height + 4 * header.height + 64);
    }
    QByteArray data = file.read(wanted);
    if (data.size() != wanted) {
        return refuse(QString::fromLatin1(Truncated));
    }
    if (rle && !RleStreamComplete(data, header.pixelOffset, header)) {
        return refuse(QString::fromLatin1(Truncated));
    }

    // Only the bitmap decoder, never a guess from the content.
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage image;
    if (!reader.read(&image) || image.isNull() || image.width() != header.width || image.height() != header.height) {
        return refuse(QString::fromLatin1(OtherKind));
    }
    return DropAlpha(image);
}

}  // namespace pictures
