#include "PictureSet.h"

#include <QDir>
#include <QFileInfo>

#include "BitmapFile.h"

#ifdef PLUMFIZZ_HAVE_BUILTIN_PICTURES
// The resources sit in this library's archive; naming their initialiser pulls
// them into every program that asks for the built-in pictures.
static void InitPictureResources()
{
    Q_INIT_RESOURCE(plumfizz_pictures);
}
#endif

namespace table {
namespace {

QImage LoadBuiltIn(const char* name)
{
    return ToOpaque(QImage(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name)), "PNG"));
}

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
#ifdef PLUMFIZZ_HAVE_BUILTIN_PICTURES
    static const bool initialised = (InitPictureResources(), true);
    (void)initialised;
#endif
    PictureSet set;
    set.Image1 = LoadBuiltIn("Image1");
    set.Image2 = LoadBuiltIn("Image2");
    set.BonusBMP = LoadBuiltIn("BonusBMP");
    set.Bet1But = LoadBuiltIn("Bet1But");
    set.Bet5But = LoadBuiltIn("Bet5But");
    set.SpinBut = LoadBuiltIn("SpinBut");
    set.Dimmed = LoadBuiltIn("Dimmed");
    set.Dimmed2 = LoadBuiltIn("Dimmed2");
    set.Bet1bDimmed = LoadBuiltIn("Bet1bDimmed");
    set.DigitsSmall = LoadBuiltIn("DigitsSmall");
    set.GreenSmall = LoadBuiltIn("GreenSmall");
    set.DigitsLarge = LoadBuiltIn("DigitsLarge");
    set.GreenLarge = LoadBuiltIn("GreenLarge");
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

QString FindAssetFile(const QString& dir, const QStringList& spellings)
{
    const QDir directory(dir);
    for (const QString& name : spellings) {
        if (name.isEmpty()) {
            continue;
        }
        const QString path = directory.filePath(name);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    // The files come from a case-insensitive world; any case will do.
    const QStringList entries = directory.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : spellings) {
        if (name.isEmpty()) {
            continue;
        }
        for (const QString& entry : entries) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0) {
                return directory.filePath(entry);
            }
        }
    }
    return {};
}

}  // namespace table
