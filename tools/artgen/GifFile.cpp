// Writing GIF with giflib: the palette from Qt's 8-bit conversion, the rows
// from its scan lines, the bytes collected in memory.
#include "GifFile.h"

#include <gif_lib.h>

#include <memory>

namespace artwork {

namespace {

int AppendToBuffer(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

struct MapFree {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

QByteArray EncodeGif(const QImage& image, QString* error)
{
    if (image.isNull()) {
        *error = QStringLiteral("no picture to encode");
        return {};
    }
    const QImage indexed = image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8);
    const QList<QRgb> colours = indexed.colorTable();
    // giflib wants a palette whose size is a power of two.
    const int bits = GifBitSize(static_cast<int>(colours.size()));
    std::unique_ptr<ColorMapObject, MapFree> map(GifMakeMapObject(1 << bits, nullptr));
    if (!map) {
        *error = QStringLiteral("giflib could not make a palette of %1 colours").arg(colours.size());
        return {};
    }
    for (int i = 0; i < map->ColorCount; ++i) {
        const QRgb colour = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        map->Colors[i] = GifColorType{static_cast<GifByteType>(qRed(colour)), static_cast<GifByteType>(qGreen(colour)),
                                      static_cast<GifByteType>(qBlue(colour))};
    }

    QByteArray bytes;
    int code = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendToBuffer, &code);
    if (gif == nullptr) {
        *error = QStringLiteral("giflib: %1").arg(QString::fromUtf8(GifErrorString(code)));
        return {};
    }
    EGifSetGifVersion(gif, true);
    bool written = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map.get()) == GIF_OK &&
                   EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; written && y < indexed.height(); ++y) {
        // giflib takes the row as non-const but only reads it.
        auto* row = const_cast<GifPixelType*>(indexed.constScanLine(y));
        written = EGifPutLine(gif, row, indexed.width()) == GIF_OK;
    }
    const int failure = written ? 0 : gif->Error;
    if (EGifCloseFile(gif, &code) != GIF_OK && written) {
        *error = QStringLiteral("giflib: %1").arg(QString::fromUtf8(GifErrorString(code)));
        return {};
    }
    if (!written) {
        *error = QStringLiteral("giflib: %1").arg(QString::fromUtf8(GifErrorString(failure)));
        return {};
    }
    return bytes;
}

}  // namespace artwork
