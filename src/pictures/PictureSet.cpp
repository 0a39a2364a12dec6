// The main window's pictures: the built-in set, the replacements a theme
// may bring and its symbol sheet.
#include "pictures/PictureSet.h"

#include "pictures/AssetFiles.h"
#include "pictures/BitmapFile.h"
#include "pictures/BuiltInPictures.h"

namespace pictures {
namespace {

// Replacement files, in the order they are looked for, with the two spellings
// each was always known by.
struct Replacement {
    QImage PictureSet::*picture;
    const char* spellings[2];
};

const Replacement Replacements[] = {
    {&PictureSet::Image1, {"TESTER.BMP", "tester.bmp"}},    {&PictureSet::Image2, {"MOTIONX.BMP", "motionx.bmp"}},
    {&PictureSet::BonusBMP, {"BONUSX.BMP", "bonusx.bmp"}},  {&PictureSet::Bet1But, {"Bet1But.BMP", "Bet1But.bmp"}},
    {&PictureSet::Bet5But, {"Bet5But.BMP", "Bet5But.bmp"}}, {&PictureSet::SpinBut, {"SpinBut.BMP", "SpinBut.bmp"}},
    {&PictureSet::Dimmed, {"DIMMEDX.BMP", "DIMMEDX.bmp"}},  {&PictureSet::Dimmed2, {"DIMMED2X.BMP", "DIMMED2X.bmp"}},
    {&PictureSet::Bet1bDimmed, {"BET1B.BMP", "BET1B.bmp"}},
};

}  // namespace

PictureSet PictureSet::BuiltIn()
{
    PictureSet set;
    set.Image1 = BuiltInTablePicture("Image1");
    set.Image2 = BuiltInTablePicture("Image2");
    set.BonusBMP = BuiltInTablePicture("BonusBMP");
    set.Bet1But = BuiltInTablePicture("Bet1But");
    set.Bet5But = BuiltInTablePicture("Bet5But");
    set.SpinBut = BuiltInTablePicture("SpinBut");
    set.Dimmed = BuiltInTablePicture("Dimmed");
    set.Dimmed2 = BuiltInTablePicture("Dimmed2");
    set.Bet1bDimmed = BuiltInTablePicture("Bet1bDimmed");
    set.DigitsSmall = BuiltInTablePicture("DigitsSmall");
    set.GreenSmall = BuiltInTablePicture("GreenSmall");
    set.DigitsLarge = BuiltInTablePicture("DigitsLarge");
    set.GreenLarge = BuiltInTablePicture("GreenLarge");
    return set;
}

void PictureSet::LoadReplacements(const QString& assetDir)
{
    for (const Replacement& r : Replacements) {
        const QString path = FindAssetFile(assetDir, {QLatin1String(r.spellings[0]), QLatin1String(r.spellings[1])});
        if (path.isEmpty()) {
            continue;
        }
        QImage image = ReadBitmapFile(path);
        if (!image.isNull()) {
            this->*r.picture = std::move(image);
        }
    }
}

bool PictureSet::LoadSymbolSheet(const QString& assetDir, const QString& soundRoot)
{
    const QString path =
        FindAssetFile(assetDir, {soundRoot + QStringLiteral(".bmp"), soundRoot + QStringLiteral(".BMP")});
    if (path.isEmpty()) {
        return false;
    }
    QImage image = ReadBitmapFile(path);
    if (image.isNull()) {
        return false;
    }
    Image3 = std::move(image);
    return true;
}

}  // namespace pictures
