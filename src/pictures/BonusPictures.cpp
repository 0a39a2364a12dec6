// Loading the bonus window's pictures: a theme's file first, the built-in
// picture otherwise, black when neither is there.
#include "pictures/BonusPictures.h"

#include "pictures/AssetFiles.h"
#include "pictures/BitmapFile.h"
#include "pictures/BuiltInPictures.h"
#include "pictures/TableLayout.h"

namespace pictures {
namespace {

struct PictureAndPath {
    QImage picture;
    QString path;
};

PictureAndPath PictureFor(int number, const QString& assetDir)
{
    if (!assetDir.isEmpty()) {
        const QString name = QStringLiteral("bonus%1.bmp").arg(number);
        const QString path = FindAssetFile(assetDir, {name});
        if (!path.isEmpty()) {
            QImage replacement = ReadBitmapFile(path);
            if (!replacement.isNull()) {
                return {ToOpaque(replacement), path};
            }
        }
    }
    QImage picture = BuiltInBonusPicture(number);
    if (picture.isNull()) {
        picture = QImage(layout::BonusPictureSize, QImage::Format_RGB32);
        picture.fill(Qt::black);
        return {picture, QString()};
    }
    return {picture, BuiltInBonusPicturePath(number)};
}

}  // namespace

BonusPictures BonusPictures::Load(const QString& assetDir)
{
    PictureAndPath closedBoxes = PictureFor(1, assetDir);
    PictureAndPath emptyBox = PictureFor(2, assetDir);
    PictureAndPath prize = PictureFor(3, assetDir);
    return {closedBoxes.picture, emptyBox.picture, prize.picture, closedBoxes.path, emptyBox.path, prize.path};
}

}  // namespace pictures
