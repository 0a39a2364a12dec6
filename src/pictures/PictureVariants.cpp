// Finding and reading a picture's larger variants.
#include "pictures/PictureVariants.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <vector>

#include "pictures/AssetFiles.h"
#include "pictures/BitmapFile.h"
#include "pictures/BuiltInPictures.h"
#include "pictures/PngRows.h"
#include "pictures/SurfaceCopy.h"

namespace pictures {
namespace {

bool IsResource(const QString& path)
{
    return path.startsWith(QLatin1String(":/"));
}

QString VariantName(const QFileInfo& picture, int scale)
{
    const QString suffix = picture.suffix();
    const QString base =
        picture.fileName().left(picture.fileName().size() - suffix.size() - (suffix.isEmpty() ? 0 : 1));
    return base + QStringLiteral("@%1x").arg(scale) + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

QImage ReadVariant(const QString& path)
{
    if (IsResource(path)) return BuiltInPictureAt(path);
    return ReadBitmapFile(path);
}

// In order of preference for a picture drawn `drawnScale` times its size:
// the scales large enough, smallest first, then the others, largest first.
std::vector<int> PreferredScales(double drawnScale)
{
    std::vector<int> preferred;
    for (const int scale : VariantScales) {
        if (scale >= drawnScale) preferred.push_back(scale);
    }
    for (auto scale = std::rbegin(VariantScales); scale != std::rend(VariantScales); ++scale) {
        if (*scale < drawnScale) preferred.push_back(*scale);
    }
    return preferred;
}

}  // namespace

double DrawnScale(const QImage& picture, QSize drawn)
{
    if (picture.isNull()) return 1.0;
    return std::max(double(drawn.width()) / picture.width(), double(drawn.height()) / picture.height());
}

QString VariantPath(const QString& picturePath, int scale)
{
    if (picturePath.isEmpty()) return {};
    const QFileInfo picture(picturePath);
    const QString name = VariantName(picture, scale);
    if (IsResource(picturePath)) {
        const QString path = picture.path() + QLatin1Char('/') + name;
        return QFile::exists(path) ? path : QString();
    }
    return FindAssetFile(picture.path(), {name});
}

namespace {

QImage ChooseVariant(const QImage& picture, const QString& picturePath, double drawnScale, const VariantReader& read)
{
    if (picture.isNull() || drawnScale <= 1.0 || picturePath.isEmpty()) return picture;
    // Only the first variant that reads well is decoded.
    for (const int scale : PreferredScales(drawnScale)) {
        const QString path = VariantPath(picturePath, scale);
        if (path.isEmpty()) continue;
        QImage variant = read ? read(path) : ReadVariant(path);
        if (variant.size() == picture.size() * scale) return variant;
    }
    return picture;
}

}  // namespace

QImage PictureForScale(const QImage& picture, const QString& picturePath, double drawnScale)
{
    return ChooseVariant(picture, picturePath, drawnScale, {});
}

QImage PictureForPixelRatio(const QImage& picture, const QString& picturePath, double pixelRatio,
                            const VariantReader& read)
{
    QImage chosen = ChooseVariant(picture, picturePath, pixelRatio, read);
    if (chosen.size() != picture.size()) {
        // Exactly a whole multiple of the picture's size: the ratio is exact.
        chosen.setDevicePixelRatio(static_cast<double>(chosen.width()) / picture.width());
    }
    return chosen;
}

QRect DrawForScale(QImage& dst, QPoint at, QSize size, const QImage& picture, const QString& picturePath)
{
    if (picture.isNull() || picturePath.isEmpty() || size.isEmpty()) return DrawStretched(dst, at, picture, size);
    const double drawnScale = DrawnScale(picture, size);
    if (drawnScale <= 1.0) return DrawStretched(dst, at, picture, size);
    for (const int scale : PreferredScales(drawnScale)) {
        const QString path = VariantPath(picturePath, scale);
        if (path.isEmpty()) continue;
        // The built-in variants are PNG files; a theme's are bitmap files.
        const QByteArray bytes = IsResource(path) ? BuiltInFileBytes(path) : QByteArray();
        if (PngRowReader::IsPng(bytes)) {
            PngRowReader rows(bytes);
            if (rows.Size() != picture.size() * scale) continue;
            return DrawStretchedFromRows(dst, at, size, rows.Size(),
                                         [&rows](unsigned char* line) { return rows.ReadRow(line); });
        }
        const QImage variant = ReadVariant(path);
        if (variant.size() == picture.size() * scale) return DrawStretched(dst, at, variant, size);
    }
    return DrawStretched(dst, at, picture, size);
}

QRect DrawRowsForScale(QImage& dst, QPoint at, QSize size, const QImage& picture, const QString& picturePath, int top,
                       int rows)
{
    const QRect band = QRect(0, top, picture.width(), rows).intersected(picture.rect());
    if (band.isEmpty() || size.isEmpty()) return DrawStretched(dst, at, QImage(), size);
    const double drawnScale =
        std::max(double(size.width()) / band.width(), double(size.height()) / band.height());
    if (drawnScale > 1.0 && !picturePath.isEmpty()) {
        for (const int scale : PreferredScales(drawnScale)) {
            const QString path = VariantPath(picturePath, scale);
            if (path.isEmpty()) continue;
            const QByteArray bytes = IsResource(path) ? BuiltInFileBytes(path) : QByteArray();
            if (PngRowReader::IsPng(bytes)) {
                PngRowReader reader(bytes);
                if (reader.Size() != picture.size() * scale) continue;
                // The rows above the slice are read and passed over.
                std::vector<unsigned char> skipped(static_cast<size_t>(reader.Size().width()) * 4);
                bool readable = true;
                for (int row = 0; row < band.top() * scale && readable; ++row) readable = reader.ReadRow(skipped.data());
                if (!readable) break;
                return DrawStretchedFromRows(dst, at, size, QSize(reader.Size().width(), band.height() * scale),
                                             [&reader](unsigned char* line) { return reader.ReadRow(line); });
            }
            const QImage variant = ReadVariant(path);
            if (variant.size() == picture.size() * scale) {
                return DrawStretched(dst, at, CropOpaque(variant, QRect(band.topLeft() * scale, band.size() * scale)),
                                     size);
            }
        }
    }
    return DrawStretched(dst, at, CropOpaque(picture, band), size);
}

}  // namespace pictures
