// The lists of built-in pictures and theme files, and writing each file out whole or not at all.
#include "Artwork.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "AmountButtons.h"
#include "AttentionAreas.h"
#include "BonusPictures.h"
#include "Buttons.h"
#include "Cabinet.h"
#include "Digits.h"
#include "GifFile.h"
#include "Icon.h"
#include "Meter.h"
#include "MotionStrip.h"
#include "PayChart.h"
#include "Symbols.h"

namespace artwork {

namespace {

QImage DimmedLogo()
{
    return LogoPanel(false);
}
QImage DimmedTitle()
{
    return TitlePlate(false);
}
QImage DimmedBetSign()
{
    return BetSign(false);
}
QImage Bet1()
{
    return Button(ButtonKind::BetOne);
}
QImage Bet5()
{
    return Button(ButtonKind::BetFive);
}
QImage Spin()
{
    return Button(ButtonKind::Spin);
}
QImage RedSmall()
{
    return DigitStrip(DigitColour::Red, DigitSize::Small);
}
QImage RedLarge()
{
    return DigitStrip(DigitColour::Red, DigitSize::Large);
}
QImage GreenSmallStrip()
{
    return DigitStrip(DigitColour::Green, DigitSize::Small);
}
QImage GreenLargeStrip()
{
    return DigitStrip(DigitColour::Green, DigitSize::Large);
}
QImage Amount1000()
{
    return AmountButton(0);
}
QImage Amount100()
{
    return AmountButton(1);
}
QImage Amount10()
{
    return AmountButton(2);
}
QImage Amount1()
{
    return AmountButton(3);
}

template <int Size>
QImage IconAt()
{
    return ProgramIcon(Size);
}

}  // namespace

const std::vector<Artwork>& BuiltInPictures()
{
    static const std::vector<Artwork> pictures = {
        {QStringLiteral("pictures/TableBackground.png"), Table},
        {QStringLiteral("pictures/MotionStrip.png"), MotionStrip},
        {QStringLiteral("pictures/BonusMeterStrip.png"), Meter},
        {QStringLiteral("pictures/BetOneButtonStrip.png"), Bet1},
        {QStringLiteral("pictures/BetFiveButtonStrip.png"), Bet5},
        {QStringLiteral("pictures/SpinButtonStrip.png"), Spin},
        {QStringLiteral("pictures/UnlitLogoPanel.png"), DimmedLogo},
        {QStringLiteral("pictures/UnlitTitlePlate.png"), DimmedTitle},
        {QStringLiteral("pictures/UnlitBetSign.png"), DimmedBetSign},
        {QStringLiteral("pictures/SmallRedDigits.png"), RedSmall},
        {QStringLiteral("pictures/SmallGreenDigits.png"), GreenSmallStrip},
        {QStringLiteral("pictures/LargeRedDigits.png"), RedLarge},
        {QStringLiteral("pictures/LargeGreenDigits.png"), GreenLargeStrip},
        {QStringLiteral("pictures/AmountButton1000.png"), Amount1000},
        {QStringLiteral("pictures/AmountButton100.png"), Amount100},
        {QStringLiteral("pictures/AmountButton10.png"), Amount10},
        {QStringLiteral("pictures/AmountButton1.png"), Amount1},
        {QStringLiteral("bonus/bonus1.png"), BonusChoice},
        {QStringLiteral("bonus/bonus2.png"), BonusEmpty},
        {QStringLiteral("bonus/bonus3.png"), BonusPrize},
    };
    return pictures;
}

const std::vector<Artwork>& ThemeFiles()
{
    static const std::vector<Artwork> files = {
        {QStringLiteral("Plum.bmp"), SymbolSheet},
        {QStringLiteral("Paychart.bmp"), PayChart},
    };
    return files;
}

const std::vector<Artwork>& IconFiles()
{
    static const std::vector<Artwork> files = [] {
        const auto at = [](int size) { return QStringLiteral("hicolor/%1x%1/apps/plumfizz.png").arg(size); };
        std::vector<Artwork> list = {{at(16), IconAt<16>},  {at(24), IconAt<24>}, {at(32), IconAt<32>},
                                     {at(48), IconAt<48>},  {at(64), IconAt<64>}, {at(128), IconAt<128>},
                                     {at(256), IconAt<256>}};
        return list;
    }();
    return files;
}

const std::vector<Artwork>& ManualPictures()
{
    static const std::vector<Artwork> pictures = {
        {QStringLiteral("plumfizz-manual/symbols.png"), SymbolSheet},
        {QStringLiteral("plumfizz-manual/paytable.png"), PayChart},
        {QStringLiteral("plumfizz-manual/bonus.png"),
         [] { return BonusChoice().scaled(480, 360, Qt::IgnoreAspectRatio, Qt::SmoothTransformation); }},
    };
    return pictures;
}

namespace {

// The file's bytes in the format its name ends with.
QByteArray Encoded(const QString& fileName, const QImage& image, QString* error)
{
    if (fileName.endsWith(QLatin1String(".gif"))) return EncodeGif(image, error);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const char* format = fileName.endsWith(QLatin1String(".bmp"))   ? "BMP"
                         : fileName.endsWith(QLatin1String(".jpg")) ? "JPEG"
                                                                    : "PNG";
    if (!image.save(&buffer, format, format[0] == 'J' ? 92 : -1)) {
        *error = QStringLiteral("Qt cannot write %1 pictures").arg(QString::fromLatin1(format));
        return {};
    }
    return bytes;
}

}  // namespace

bool WriteArtwork(const std::vector<Artwork>& set, const QString& directory, QString* error)
{
    for (const Artwork& art : set) {
        const QString path = QDir(directory).filePath(art.fileName);
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            *error = QStringLiteral("cannot create the directory of %1").arg(path);
            return false;
        }
        // Opaque 32-bit pixels: PNG stores them as RGB, BMP as 24-bit. Only
        // icons keep their transparency, round on any panel.
        const bool icon = art.fileName.startsWith(QLatin1String("hicolor/"));
        const QImage image = art.draw().convertToFormat(icon ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        QString reason;
        const QByteArray bytes = Encoded(art.fileName, image, &reason);
        if (bytes.isEmpty()) {
            *error = QStringLiteral("cannot encode %1: %2").arg(path, reason);
            return false;
        }
        // Written whole or not at all, so an interrupted build never leaves a torn picture.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
            return false;
        }
    }
    return true;
}

}  // namespace artwork
