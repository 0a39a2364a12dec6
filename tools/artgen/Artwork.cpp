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
#include "MessageIcons.h"
#include "Meter.h"
#include "MotionStrip.h"
#include "PayChart.h"
#include "PngFile.h"
#include "Symbols.h"

namespace artwork {

const std::vector<Artwork>& BuiltInPictures()
{
    static const std::vector<Artwork> pictures = {
        {QStringLiteral("pictures/TableBackground.png"), [](int scale) { return Table(scale); }},
        {QStringLiteral("pictures/MotionStrip.png"), [](int scale) { return MotionStrip(scale); }},
        {QStringLiteral("pictures/BonusMeterStrip.png"), [](int scale) { return Meter(scale); }},
        {QStringLiteral("pictures/BetOneButtonStrip.png"), [](int scale) { return Button(ButtonKind::BetOne, scale); }},
        {QStringLiteral("pictures/BetFiveButtonStrip.png"),
         [](int scale) { return Button(ButtonKind::BetFive, scale); }},
        {QStringLiteral("pictures/SpinButtonStrip.png"), [](int scale) { return Button(ButtonKind::Spin, scale); }},
        {QStringLiteral("pictures/UnlitLogoPanel.png"), [](int scale) { return LogoPanel(false, scale); }},
        {QStringLiteral("pictures/UnlitTitlePlate.png"), [](int scale) { return TitlePlate(false, scale); }},
        {QStringLiteral("pictures/UnlitBetSign.png"), [](int scale) { return BetSign(false, scale); }},
        {QStringLiteral("pictures/SmallRedDigits.png"),
         [](int scale) { return DigitStrip(DigitColour::Red, DigitSize::Small, scale); }},
        {QStringLiteral("pictures/SmallGreenDigits.png"),
         [](int scale) { return DigitStrip(DigitColour::Green, DigitSize::Small, scale); }},
        {QStringLiteral("pictures/LargeRedDigits.png"),
         [](int scale) { return DigitStrip(DigitColour::Red, DigitSize::Large, scale); }},
        {QStringLiteral("pictures/LargeGreenDigits.png"),
         [](int scale) { return DigitStrip(DigitColour::Green, DigitSize::Large, scale); }},
        {QStringLiteral("pictures/AmountButton1000.png"), [](int scale) { return AmountButton(0, scale); }},
        {QStringLiteral("pictures/AmountButton100.png"), [](int scale) { return AmountButton(1, scale); }},
        {QStringLiteral("pictures/AmountButton10.png"), [](int scale) { return AmountButton(2, scale); }},
        {QStringLiteral("pictures/AmountButton1.png"), [](int scale) { return AmountButton(3, scale); }},
        {QStringLiteral("messages/Information.png"),
         [](int scale) { return MessageIcon(MessageIconKind::Information, scale); }},
        {QStringLiteral("messages/Warning.png"),
         [](int scale) { return MessageIcon(MessageIconKind::Warning, scale); }},
        {QStringLiteral("messages/Error.png"), [](int scale) { return MessageIcon(MessageIconKind::Error, scale); }},
        {QStringLiteral("messages/Question.png"),
         [](int scale) { return MessageIcon(MessageIconKind::Question, scale); }},
        {QStringLiteral("bonus/bonus1.png"), [](int scale) { return BonusChoice(scale); }},
        {QStringLiteral("bonus/bonus2.png"), [](int scale) { return BonusEmpty(scale); }},
        {QStringLiteral("bonus/bonus3.png"), [](int scale) { return BonusPrize(scale); }},
    };
    return pictures;
}

const std::vector<Artwork>& ThemeFiles()
{
    static const std::vector<Artwork> files = {
        {QStringLiteral("Plum.bmp"), [](int scale) { return SymbolSheet(scale); }},
        {QStringLiteral("Paychart.bmp"), [](int scale) { return PayChart(scale); }},
    };
    return files;
}

const std::vector<Artwork>& IconFiles()
{
    static const std::vector<Artwork> files = [] {
        std::vector<Artwork> list;
        for (const int size : IconSizes) {
            list.push_back({QStringLiteral("hicolor/%1x%1/apps/plumfizz.png").arg(size),
                            [size](int scale) { return ProgramIcon(size * scale); }});
        }
        return list;
    }();
    return files;
}

const std::vector<Artwork>& ManualPictures()
{
    static const std::vector<Artwork> pictures = {
        {QStringLiteral("plumfizz-manual/symbols.png"), [](int scale) { return SymbolSheet(scale); }},
        {QStringLiteral("plumfizz-manual/paytable.png"), [](int scale) { return PayChart(scale); }},
        // The bonus window at three quarters of its size, reduced from a drawing at the picture's own scale.
        {QStringLiteral("plumfizz-manual/bonus.png"),
         [](int scale) {
             return BonusChoice(scale).scaled(480 * scale, 360 * scale, Qt::IgnoreAspectRatio,
                                              Qt::SmoothTransformation);
         }},
    };
    return pictures;
}

QString ScaledFileName(const QString& fileName, int scale)
{
    if (scale == 1) return fileName;
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    const int end = dot > slash ? dot : fileName.size();
    return fileName.left(end) + QStringLiteral("@%1x").arg(scale) + fileName.mid(end);
}

namespace {

// The file's bytes in the format its name ends with.
QByteArray Encoded(const QString& fileName, const QImage& image, QString* error)
{
    if (fileName.endsWith(QLatin1String(".gif"))) return EncodeGif(image, error);
    const bool bitmap = fileName.endsWith(QLatin1String(".bmp"));
    const bool jpeg = fileName.endsWith(QLatin1String(".jpg"));
    if (!bitmap && !jpeg) return EncodePng(image, error);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const char* format = jpeg ? "JPEG" : "BMP";
    if (!image.save(&buffer, format, format[0] == 'J' ? 92 : -1)) {
        *error = QStringLiteral("Qt cannot write %1 pictures").arg(QString::fromLatin1(format));
        return {};
    }
    return bytes;
}

// Draws one picture at one scale and writes it under its scaled name.
bool WritePicture(const Artwork& art, int scale, const QString& directory, QString* error)
{
    const QString path = QDir(directory).filePath(ScaledFileName(art.fileName, scale));
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the directory of %1").arg(path);
        return false;
    }
    // Opaque 32-bit pixels: PNG stores them as RGB, BMP as 24-bit. Only
    // icons, the program's and the message boxes', keep their transparency,
    // round on any panel.
    const bool icon =
        art.fileName.startsWith(QLatin1String("hicolor/")) || art.fileName.startsWith(QLatin1String("messages/"));
    const QImage image = art.draw(scale).convertToFormat(icon ? QImage::Format_ARGB32 : QImage::Format_RGB32);
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
    return true;
}

}  // namespace

bool WriteArtwork(const std::vector<Artwork>& set, const QString& directory, std::span<const int> scales,
                  QString* error)
{
    // Scale by scale, in the catalogue's order, one at a time: what was drawn before
    // (Qt's font and gradient caches) can shift a later picture's antialiasing by a
    // shade, so a fixed order keeps every file the same from build to build, and the
    // design-size files first keeps them exactly as they were before the variants.
    for (const int scale : scales) {
        for (const Artwork& art : set) {
            if (!WritePicture(art, scale, directory, error)) return false;
        }
    }
    return true;
}

}  // namespace artwork
