// The main window's pictures: the built-in set, the replacements a theme
// may bring and its symbol sheet.
#include "pictures/PictureSet.h"

#include "pictures/AssetFiles.h"
#include "pictures/BitmapFile.h"
#include "pictures/BuiltInPictures.h"
#include "pictures/PictureVariants.h"
#include "pictures/SurfaceCopy.h"

namespace pictures {
namespace {

// Where each picture comes from: its built-in resource and the two spellings
// its replacement file was always known by, in the order they are looked for.
struct Source {
    QImage PictureSet::*picture;
    const char* builtIn;
    const char* replacement[2];
};

const Source Sources[] = {
    {&PictureSet::tableBackground, "TableBackground", {"TESTER.BMP", "tester.bmp"}},
    {&PictureSet::motionStrip, "MotionStrip", {"MOTIONX.BMP", "motionx.bmp"}},
    {&PictureSet::bonusMeterStrip, "BonusMeterStrip", {"BONUSX.BMP", "bonusx.bmp"}},
    {&PictureSet::betOneButtonStrip, "BetOneButtonStrip", {"Bet1But.BMP", "Bet1But.bmp"}},
    {&PictureSet::betFiveButtonStrip, "BetFiveButtonStrip", {"Bet5But.BMP", "Bet5But.bmp"}},
    {&PictureSet::spinButtonStrip, "SpinButtonStrip", {"SpinBut.BMP", "SpinBut.bmp"}},
    {&PictureSet::unlitLogoPanel, "UnlitLogoPanel", {"DIMMEDX.BMP", "DIMMEDX.bmp"}},
    {&PictureSet::unlitTitlePlate, "UnlitTitlePlate", {"DIMMED2X.BMP", "DIMMED2X.bmp"}},
    {&PictureSet::unlitBetSign, "UnlitBetSign", {"BET1B.BMP", "BET1B.bmp"}},
    {&PictureSet::smallRedDigits, "SmallRedDigits", {nullptr, nullptr}},
    {&PictureSet::smallGreenDigits, "SmallGreenDigits", {nullptr, nullptr}},
    {&PictureSet::largeRedDigits, "LargeRedDigits", {nullptr, nullptr}},
    {&PictureSet::largeGreenDigits, "LargeGreenDigits", {nullptr, nullptr}},
};

}  // namespace

PictureSet PictureSet::BuiltIn()
{
    PictureSet set;
    for (const Source& source : Sources) {
        set.*source.picture = BuiltInTablePicture(source.builtIn);
        set.SetOrigin(source.picture, BuiltInTablePicturePath(source.builtIn));
    }
    return set;
}

void PictureSet::LoadReplacements(const QString& assetDir)
{
    for (const Source& source : Sources) {
        if (source.replacement[0] == nullptr) {
            continue;
        }
        const QString path =
            FindAssetFile(assetDir, {QLatin1String(source.replacement[0]), QLatin1String(source.replacement[1])});
        if (path.isEmpty()) {
            continue;
        }
        QImage image = ReadBitmapFile(path);
        if (!image.isNull()) {
            this->*source.picture = std::move(image);
            SetOrigin(source.picture, path);
        }
    }
}

bool PictureSet::LoadSymbolSheet(const QString& assetDir, const QString& soundRoot, SheetProblem* problem)
{
    const QString path =
        FindAssetFile(assetDir, {soundRoot + QStringLiteral(".bmp"), soundRoot + QStringLiteral(".BMP")});
    if (path.isEmpty()) {
        return false;
    }
    QString reason;
    QImage image = ReadBitmapFile(path, QSize(MaxBitmapSide, MaxBitmapSide), &reason);
    if (image.isNull()) {
        if (problem != nullptr) *problem = {path, reason};
        return false;
    }
    symbolSheet = std::move(image);
    SetOrigin(&PictureSet::symbolSheet, path);
    return true;
}

QImage PictureSet::ForScale(QImage PictureSet::*picture, double drawnScale) const
{
    return PictureForScale(this->*picture, OriginOf(picture), drawnScale);
}

QRect PictureSet::DrawForScale(QImage PictureSet::*picture, QImage& dst, QPoint at, QSize size) const
{
    return pictures::DrawForScale(dst, at, size, this->*picture, OriginOf(picture));
}

QRect PictureSet::DrawRowsForScale(QImage PictureSet::*picture, QImage& dst, QPoint at, QSize size, int top,
                                   int rows) const
{
    return pictures::DrawRowsForScale(dst, at, size, this->*picture, OriginOf(picture), top, rows);
}

QImage PictureSet::ForUnitCopies(QImage PictureSet::*picture, QSize unit, QSize deviceUnit) const
{
    const QImage& original = this->*picture;
    if (deviceUnit == unit || original.isNull() || unit.isEmpty()) return original;
    const QSize size(original.width() * deviceUnit.width() / unit.width(),
                     original.height() * deviceUnit.height() / unit.height());
    const QImage variant = ForScale(picture, DrawnScale(original, size));
    return variant.size() == size ? variant : Stretched(variant, size);
}

QString PictureSet::OriginOf(QImage PictureSet::*picture) const
{
    for (const auto& [which, path] : origins) {
        if (which == picture) return path;
    }
    return {};
}

void PictureSet::SetOrigin(QImage PictureSet::*picture, const QString& path)
{
    for (auto& [which, origin] : origins) {
        if (which == picture) {
            origin = path;
            return;
        }
    }
    origins.emplace_back(picture, path);
}

}  // namespace pictures
