// Finding and reading a picture's larger variants.
#include "pictures/PictureVariants.h"

#include <QFile>
#include <QFileInfo>

#include <iterator>
#include <vector>

#include "pictures/AssetFiles.h"
#include "pictures/BitmapFile.h"

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
    if (IsResource(path)) return ToOpaque(QImage(path));
    return ReadBitmapFile(path);
}

}  // namespace

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
    // In order of preference: the scales large enough, smallest first, then
    // the others, largest first. Only the first that reads well is decoded.
    std::vector<int> preferred;
    for (const int scale : VariantScales) {
        if (scale >= drawnScale) preferred.push_back(scale);
    }
    for (auto scale = std::rbegin(VariantScales); scale != std::rend(VariantScales); ++scale) {
        if (*scale < drawnScale) preferred.push_back(*scale);
    }
    for (const int scale : preferred) {
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

}  // namespace pictures
