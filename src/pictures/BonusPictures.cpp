// Loading the bonus window's pictures: a theme's file first, the built-in
// picture otherwise, black when neither is there.
#include "pictures/BonusPictures.h"

#include "pictures/AssetFiles.h"
#include "pictures/BitmapFile.h"
#include "pictures/BuiltInPictures.h"
#include "pictures/TableLayout.h"

namespace pictures {
namespace {

QImage PictureFor(int number, const QString& assetDir)
{
    if (!assetDir.isEmpty()) {
        const QString name = QStringLiteral("bonus%1.bmp").arg(number);
        const QString path = FindAssetFile(assetDir, {name});
        if (!path.isEmpty()) {
            QImage replacement = ReadBitmapFile(path);
            if (!replacement.isNull()) {
                return ToOpaque(replacement);
            }
        }
    }
    QImage picture = BuiltInBonusPicture(number);
    if (picture.isNull()) {
        picture = QImage(layout::BonusPictureSize, QImage::Format_RGB32);
        picture.fill(Qt::black);
    }
    return picture;
}

}  // namespace

BonusPictures BonusPictures::Load(const QString& assetDir)
{
    return {PictureFor(1, assetDir), PictureFor(2, assetDir), PictureFor(3, assetDir)};
}

}  // namespace pictures
