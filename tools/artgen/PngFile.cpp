// PNG encoding: libpng reports errors by jumping back to the function that
// set the jump, so that function holds no objects of its own.
#include "PngFile.h"

#include <png.h>

#include <csetjmp>
#include <vector>

namespace artwork {
namespace {

void AppendToBytes(png_structp png, png_bytep data, png_size_t count)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
}

void NoFlush(png_structp)
{}

[[noreturn]] void StopOnError(png_structp png, png_const_charp message)
{
    *static_cast<QString*>(png_get_error_ptr(png)) = QString::fromLatin1(message);
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp)
{}

// One row of `image` (RGB32 or ARGB32) as RGB or RGBA bytes.
void PackRow(const QImage& image, int y, bool alpha, unsigned char* out)
{
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
        *out++ = static_cast<unsigned char>(qRed(pixels[x]));
        *out++ = static_cast<unsigned char>(qGreen(pixels[x]));
        *out++ = static_cast<unsigned char>(qBlue(pixels[x]));
        if (alpha) *out++ = static_cast<unsigned char>(qAlpha(pixels[x]));
    }
}

bool WritePng(png_structp png, png_infop info, const QImage& image, bool alpha, unsigned char* row)
{
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        PackRow(image, y, alpha, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

QByteArray EncodePng(const QImage& picture, QString* error)
{
    if (picture.isNull()) {
        *error = QStringLiteral("no picture");
        return {};
    }
    const bool alpha = picture.hasAlphaChannel();
    const QImage image = picture.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QByteArray bytes;
    QString message;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, StopOnError, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        if (png) png_destroy_write_struct(&png, nullptr);
        *error = QStringLiteral("libpng cannot start");
        return {};
    }
    png_set_write_fn(png, &bytes, AppendToBytes, NoFlush);
    std::vector<unsigned char> row(static_cast<size_t>(image.width()) * (alpha ? 4 : 3));
    const bool written = WritePng(png, info, image, alpha, row.data());
    png_destroy_write_struct(&png, &info);
    if (!written) {
        *error = QStringLiteral("libpng: %1").arg(message);
        return {};
    }
    return bytes;
}

}  // namespace artwork
