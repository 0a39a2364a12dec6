// Reading bitmap files of every kind other programs write, refusing damaged
// or foreign ones, and the picture set's replacements and symbol sheet.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <vector>

#include "SyntheticPictures.h"
#include "pictures/AssetFiles.h"
#include "pictures/BitmapFile.h"
#include "pictures/BuiltInPictures.h"
#include "pictures/PictureSet.h"

using namespace picturetest;

namespace {

// Windows bitmap files written byte by byte, the way other programs write them.
struct Bmp {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    uint32_t compression = 0;
    int infoSize = 40;
    bool topDown = false;
    std::vector<QRgb> palette;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    QByteArray pixels;                 // rows as stored in the file
};

void PutU16(QByteArray& out, uint32_t v)
{
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>((v >> 8) & 0xff));
}

void PutU32(QByteArray& out, uint32_t v)
{
    PutU16(out, v & 0xffff);
    PutU16(out, v >> 16);
}

QByteArray Encode(const Bmp& b)
{
    QByteArray info;
    QByteArray colours;
    if (b.infoSize == 12) {
        PutU32(info, 12);
        PutU16(info, static_cast<uint32_t>(b.width));
        PutU16(info, static_cast<uint32_t>(b.height));
        PutU16(info, 1);
        PutU16(info, static_cast<uint32_t>(b.bitsPerPixel));
        for (QRgb c : b.palette) {
            colours.append(static_cast<char>(qBlue(c)));
            colours.append(static_cast<char>(qGreen(c)));
            colours.append(static_cast<char>(qRed(c)));
        }
    } else {
        PutU32(info, static_cast<uint32_t>(b.infoSize));
        PutU32(info, static_cast<uint32_t>(b.width));
        PutU32(info, static_cast<uint32_t>(b.topDown ? -b.height : b.height));
        PutU16(info, 1);
        PutU16(info, static_cast<uint32_t>(b.bitsPerPixel));
        PutU32(info, b.compression);
        PutU32(info, static_cast<uint32_t>(b.pixels.size()));
        PutU32(info, 2835);
        PutU32(info, 2835);
        PutU32(info, static_cast<uint32_t>(b.palette.size()));
        PutU32(info, 0);
        if (b.infoSize > 40) {
            for (uint32_t m : b.masks) {
                PutU32(info, m);
            }
            if (b.infoSize >= 108) {
                PutU32(info, 0x73524742);  // 'sRGB'
            }
            info.append(QByteArray(b.infoSize - info.size(), '\0'));
        } else if (b.compression == 3) {
            for (int i = 0; i < 3; ++i) {
                PutU32(colours, b.masks[i]);
            }
        }
        for (QRgb c : b.palette) {
            PutU32(colours, c & 0xffffffu);
        }
    }
    QByteArray file("BM");
    const uint32_t offset = 14 + static_cast<uint32_t>(info.size() + colours.size());
    PutU32(file, offset + static_cast<uint32_t>(b.pixels.size()));
    PutU32(file, 0);
    PutU32(file, offset);
    return file + info + colours + b.pixels;
}

// Packs pixel values (palette indexes or colours) into padded rows, bottom row first unless topDown.
QByteArray PackRows(int width, int height, int bits, bool topDown, const std::function<uint32_t(int, int)>& value)
{
    QByteArray out;
    for (int i = 0; i < height; ++i) {
        const int y = topDown ? i : height - 1 - i;
        QByteArray row;
        uint32_t acc = 0;
        int accBits = 0;
        for (int x = 0; x < width; ++x) {
            const uint32_t v = value(x, y);
            if (bits >= 8) {
                for (int byte = 0; byte < bits / 8; ++byte) {
                    row.append(static_cast<char>((v >> (8 * byte)) & 0xff));
                }
                continue;
            }
            acc = (acc << bits) | v;
            accBits += bits;
            if (accBits == 8) {
                row.append(static_cast<char>(acc));
                acc = 0;
                accBits = 0;
            }
        }
        if (accBits > 0) {
            row.append(static_cast<char>(acc << (8 - accBits)));
        }
        while (row.size() % 4 != 0) {
            row.append('\0');
        }
        out += row;
    }
    return out;
}

std::vector<QRgb> Palette(int count)
{
    std::vector<QRgb> palette;
    for (int i = 0; i < count; ++i) {
        palette.push_back(qRgb(10 + i * 9, 250 - i * 7, (i * 53) % 256));
    }
    return palette;
}

class Files : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QImage Read(const QByteArray& bytes) { return pictures::ReadBitmapFile(Write(QStringLiteral("x.bmp"), bytes)); }

    void ExpectPixels(const QImage& image, int width, int height, const std::function<QRgb(int, int)>& colour)
    {
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.size(), QSize(width, height));
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(image.pixel(x, y), colour(x, y)) << x << "," << y;
            }
        }
    }

    QTemporaryDir dir;
};

QRgb TrueColour(int x, int y)
{
    return qRgb(x * 80, y * 100, 33 + x + y);
}

// A 3 × 2 bitmap of 24-bit TrueColour pixels.
Bmp SmallTrueColourBmp()
{
    Bmp b;
    b.width = 3;
    b.height = 2;
    b.pixels = PackRows(3, 2, 24, false, [](int x, int y) { return TrueColour(x, y) & 0xffffffu; });
    return b;
}

}  // namespace

TEST_F(Files, IndexedBitmapsOfOneFourAndEightBits)
{
    const auto palette = Palette(20);
    for (int bits : {1, 4, 8}) {
        const int colours = bits == 1 ? 2 : bits == 4 ? 16 : 20;
        Bmp b;
        b.width = 11;  // odd widths test the row padding
        b.height = 3;
        b.bitsPerPixel = bits;
        b.palette.assign(palette.begin(), palette.begin() + colours);
        auto index = [colours](int x, int y) { return static_cast<uint32_t>((x + 3 * y) % colours); };
        b.pixels = PackRows(b.width, b.height, bits, false, index);
        ExpectPixels(Read(Encode(b)), 11, 3, [&](int x, int y) { return palette[index(x, y)]; });
    }
}

TEST_F(Files, TrueColourBitmapsBottomUpAndTopDown)
{
    for (bool topDown : {false, true}) {
        for (int bits : {24, 32}) {
            Bmp b;
            b.width = 3;
            b.height = 2;
            b.bitsPerPixel = bits;
            b.topDown = topDown;
            // The fourth byte of a 32-bit pixel is usually 0 and means nothing.
            b.pixels = PackRows(3, 2, bits, topDown, [](int x, int y) { return TrueColour(x, y) & 0xffffffu; });
            ExpectPixels(Read(Encode(b)), 3, 2, TrueColour);
        }
    }
}

TEST_F(Files, SixteenBitAndBitfieldBitmaps)
{
    Bmp b;
    b.width = 4;
    b.height = 1;
    b.bitsPerPixel = 16;
    // 5-5-5 red, green, blue, white; five bits are widened by a shift, as the system draws them.
    const uint32_t values[] = {0x7c00, 0x03e0, 0x001f, 0x7fff};
    const QRgb expected[] = {qRgb(248, 0, 0), qRgb(0, 248, 0), qRgb(0, 0, 248), qRgb(248, 248, 248)};
    b.pixels = PackRows(4, 1, 16, false, [&](int x, int) { return values[x]; });
    ExpectPixels(Read(Encode(b)), 4, 1, [&](int x, int) { return expected[x]; });

    // A version 5 header with an alpha mask, as image editors write: drawn opaque.
    Bmp v5;
    v5.width = 3;
    v5.height = 2;
    v5.bitsPerPixel = 32;
    v5.compression = 3;
    v5.infoSize = 124;
    v5.masks[0] = 0x00ff0000;
    v5.masks[1] = 0x0000ff00;
    v5.masks[2] = 0x000000ff;
    v5.masks[3] = 0xff000000;
    v5.pixels = PackRows(3, 2, 32, false, [](int x, int y) { return (TrueColour(x, y) & 0xffffffu) | 0xff000000u; });
    ExpectPixels(Read(Encode(v5)), 3, 2, TrueColour);
}

TEST_F(Files, OldCoreHeaderBitmaps)
{
    Bmp b;
    b.infoSize = 12;
    b.width = 5;
    b.height = 2;
    b.bitsPerPixel = 8;
    b.palette = Palette(256);
    b.pixels = PackRows(5, 2, 8, false, [](int x, int y) { return static_cast<uint32_t>(x * 2 + y); });
    const auto palette = b.palette;
    ExpectPixels(Read(Encode(b)), 5, 2, [&](int x, int y) { return palette[static_cast<size_t>(x * 2 + y)]; });
}

TEST_F(Files, RunLengthEncodedBitmaps)
{
    const auto palette = Palette(16);
    // 8 bits, 6 × 3, rows bottom up: a run; an absolute run then a run; three runs of two.
    Bmp rle8;
    rle8.width = 6;
    rle8.height = 3;
    rle8.bitsPerPixel = 8;
    rle8.compression = 1;
    rle8.palette = palette;
    rle8.pixels = QByteArray::fromHex(
        "0605"
        "0000"
        "0003010203"
        "00"
        "0304"
        "0000"
        "0207"
        "0208"
        "0209"
        "0000"
        "0001");
    const int rows8[3][6] = {{7, 7, 8, 8, 9, 9}, {1, 2, 3, 4, 4, 4}, {5, 5, 5, 5, 5, 5}};
    ExpectPixels(Read(Encode(rle8)), 6, 3, [&](int x, int y) { return palette[static_cast<size_t>(rows8[y][x])]; });

    // 4 bits, 5 × 2: a run of alternating colours; an absolute run of five.
    Bmp rle4;
    rle4.width = 5;
    rle4.height = 2;
    rle4.bitsPerPixel = 4;
    rle4.compression = 2;
    rle4.palette = palette;
    rle4.pixels = QByteArray::fromHex(
        "0512"
        "0000"
        "0005"
        "345670"
        "00"
        "0000"
        "0001");
    const int rows4[2][5] = {{3, 4, 5, 6, 7}, {1, 2, 1, 2, 1}};
    ExpectPixels(Read(Encode(rle4)), 5, 2, [&](int x, int y) { return palette[static_cast<size_t>(rows4[y][x])]; });

    // Cut before its end mark: not a picture.
    Bmp cut = rle8;
    cut.pixels.chop(6);
    EXPECT_TRUE(Read(Encode(cut)).isNull());
    // Run-length data cannot be stored top down.
    Bmp topDown = rle8;
    topDown.topDown = true;
    EXPECT_TRUE(Read(Encode(topDown)).isNull());
}

TEST_F(Files, DamagedOrForeignFilesGiveNoPicture)
{
    const Bmp good = SmallTrueColourBmp();
    const QByteArray bytes = Encode(good);
    ASSERT_FALSE(Read(bytes).isNull());

    EXPECT_TRUE(Read(bytes.left(bytes.size() - 5)).isNull()) << "truncated pixels";
    EXPECT_TRUE(Read(bytes.left(30)).isNull()) << "truncated header";
    EXPECT_TRUE(Read(QByteArray()).isNull()) << "empty";
    QByteArray wrongMagic = bytes;
    wrongMagic[0] = 'X';
    EXPECT_TRUE(Read(wrongMagic).isNull());

    // A PNG under a bitmap's name is not read as a PNG.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    Solid(4, 4, qRgb(1, 2, 3)).save(&buffer, "PNG");
    EXPECT_TRUE(Read(png).isNull());
    // Nor is a bitmap that wraps one.
    Bmp wrapped = good;
    wrapped.compression = 5;
    wrapped.pixels = png;
    EXPECT_TRUE(Read(Encode(wrapped)).isNull());

    Bmp huge = good;
    huge.width = 20000;
    huge.height = 20000;
    EXPECT_TRUE(Read(Encode(huge)).isNull());
    Bmp wideAndFlat = good;
    wideAndFlat.width = 16385;
    wideAndFlat.height = 1;
    EXPECT_TRUE(Read(Encode(wideAndFlat)).isNull());
    Bmp empty = good;
    empty.width = 0;
    EXPECT_TRUE(Read(Encode(empty)).isNull());
    Bmp oddBits = good;
    oddBits.bitsPerPixel = 7;
    EXPECT_TRUE(Read(Encode(oddBits)).isNull());

    QByteArray garbage("BM");
    for (int i = 0; i < 200; ++i) {
        garbage.append(static_cast<char>((i * 73 + 11) & 0xff));
    }
    EXPECT_TRUE(Read(garbage).isNull());
    EXPECT_TRUE(pictures::ReadBitmapFile(dir.filePath(QStringLiteral("missing.bmp"))).isNull());
    EXPECT_TRUE(pictures::ReadBitmapFile(dir.path()).isNull());
}

TEST_F(Files, OnlyThePicturesOwnBytesAreRead)
{
    // Sparse files: their size costs no disk, but reading them whole would
    // need more memory than there is.
    const Bmp good = SmallTrueColourBmp();
    const QByteArray bytes = Encode(good);

    QFile tail(Write(QStringLiteral("tail.bmp"), bytes));
    if (!tail.resize(qint64(200) << 20)) {
        GTEST_SKIP() << "no sparse files here";
    }
    ExpectPixels(pictures::ReadBitmapFile(tail.fileName()), 3, 2, TrueColour);
    // Beyond the cap of a picture file the file is not even opened.
    ASSERT_TRUE(tail.resize(qint64(1) << 40));
    QString reason;
    EXPECT_TRUE(pictures::ReadBitmapFile(tail.fileName(), QSize(16384, 16384), &reason).isNull());
    EXPECT_EQ(reason, QStringLiteral("larger than 272 MB"));

    // Pixels said to start four gigabytes in: no picture, and nothing read.
    const qint64 farOffset = 0xfffff000;
    QByteArray header = bytes.left(bytes.size() - good.pixels.size());
    header.replace(10, 4, QByteArray::fromRawData("\x00\xf0\xff\xff", 4));
    QFile far(Write(QStringLiteral("far.bmp"), header));
    ASSERT_TRUE(far.open(QIODevice::ReadWrite));
    ASSERT_TRUE(far.seek(farOffset));
    far.write(good.pixels);
    far.close();
    EXPECT_TRUE(pictures::ReadBitmapFile(far.fileName()).isNull());
}

namespace {

QByteArray SolidBmp(int w, int h, QRgb colour)
{
    Bmp b;
    b.width = w;
    b.height = h;
    b.pixels = PackRows(w, h, 24, false, [colour](int, int) { return colour & 0xffffffu; });
    return Encode(b);
}

}  // namespace

TEST_F(Files, AssetFilesMatchTheirSpellingsThenAnyCase)
{
    const QStringList spellings{QStringLiteral("TESTER.BMP"), QStringLiteral("tester.bmp")};
    EXPECT_TRUE(pictures::FindAssetFile(dir.path(), spellings).isEmpty());
    Write(QStringLiteral("TeStEr.BmP"), "x");
    EXPECT_EQ(pictures::FindAssetFile(dir.path(), spellings), dir.filePath(QStringLiteral("TeStEr.BmP")));
    Write(QStringLiteral("tester.bmp"), "x");
    EXPECT_EQ(pictures::FindAssetFile(dir.path(), spellings), dir.filePath(QStringLiteral("tester.bmp")));
    Write(QStringLiteral("TESTER.BMP"), "x");
    EXPECT_EQ(pictures::FindAssetFile(dir.path(), spellings), dir.filePath(QStringLiteral("TESTER.BMP")));
    // A directory of that name is no file; a trailing separator on the directory is fine.
    QDir(dir.path()).mkdir(QStringLiteral("BONUSX.BMP"));
    EXPECT_TRUE(pictures::FindAssetFile(dir.path() + QLatin1Char('/'), {QStringLiteral("bonusx.bmp")}).isEmpty());
    EXPECT_EQ(pictures::FindAssetFile(dir.path() + QLatin1Char('/'), {QStringLiteral("tester.bmp")}),
              dir.filePath(QStringLiteral("tester.bmp")));
}

TEST_F(Files, ReplacementsTakeTheirPicturesPlace)
{
    Write(QStringLiteral("tester.bmp"), SolidBmp(40, 30, qRgb(1, 200, 3)));
    Write(QStringLiteral("motionx.BMP"), "BM not a bitmap");
    Write(QStringLiteral("bet5but.bmp"), SolidBmp(10, 20, qRgb(4, 5, 200)));
    Write(QStringLiteral("Dimmed2X.Bmp"), SolidBmp(7, 7, qRgb(9, 90, 9)));
    Write(QStringLiteral("DIGITSSMALL.BMP"), SolidBmp(7, 7, qRgb(9, 90, 9)));  // has no replacement

    pictures::PictureSet set = Synthetic();
    const pictures::PictureSet original = set;
    set.LoadReplacements(dir.path());
    EXPECT_EQ(set.tableBackground.size(), QSize(40, 30));
    EXPECT_EQ(set.tableBackground.pixel(39, 29), qRgb(1, 200, 3));
    EXPECT_EQ(set.motionStrip, original.motionStrip);  // unreadable: the picture stays
    EXPECT_EQ(set.betFiveButtonStrip.size(), QSize(10, 20));
    EXPECT_EQ(set.unlitTitlePlate.pixel(0, 0), qRgb(9, 90, 9));
    EXPECT_EQ(set.betOneButtonStrip, original.betOneButtonStrip);
    EXPECT_EQ(set.smallRedDigits, original.smallRedDigits);
    EXPECT_EQ(set.bonusMeterStrip, original.bonusMeterStrip);
}

TEST_F(Files, TheSymbolSheetIsRequired)
{
    pictures::PictureSet set;
    EXPECT_FALSE(set.LoadSymbolSheet(dir.path(), QStringLiteral("Plum")));
    EXPECT_TRUE(set.symbolSheet.isNull());
    Write(QStringLiteral("Plum.bmp"), "BM broken");
    EXPECT_FALSE(set.LoadSymbolSheet(dir.path(), QStringLiteral("Plum")));
    Write(QStringLiteral("FRUIT.BMP"), SolidBmp(304, 304, qRgb(50, 60, 70)));
    EXPECT_TRUE(set.LoadSymbolSheet(dir.path(), QStringLiteral("Fruit")));
    EXPECT_EQ(set.symbolSheet.size(), QSize(304, 304));
    EXPECT_EQ(set.symbolSheet.pixel(100, 100), qRgb(50, 60, 70));
}

TEST(BuiltInPictures, AllThereAtTheirSizes)
{
    const pictures::PictureSet set = pictures::PictureSet::BuiltIn();
    const std::pair<const QImage*, QSize> expected[] = {
        {&set.tableBackground, {800, 600}},  {&set.motionStrip, {76, 456}},        {&set.bonusMeterStrip, {78, 767}},
        {&set.betOneButtonStrip, {78, 118}}, {&set.betFiveButtonStrip, {78, 118}}, {&set.spinButtonStrip, {78, 118}},
        {&set.unlitLogoPanel, {302, 165}},   {&set.unlitTitlePlate, {429, 45}},    {&set.unlitBetSign, {84, 85}},
        {&set.smallRedDigits, {188, 21}},    {&set.smallGreenDigits, {188, 21}},   {&set.largeRedDigits, {376, 42}},
        {&set.largeGreenDigits, {376, 42}},
    };
    for (const auto& [image, size] : expected) {
        EXPECT_EQ(image->size(), size);
        EXPECT_EQ(image->format(), QImage::Format_RGB32);
    }
    EXPECT_TRUE(set.symbolSheet.isNull());
}

TEST(BuiltInPictures, BytesReadAgainAfterTheirPagesWereHandedBackAreTheSame)
{
    const QString path = pictures::BuiltInTablePicturePath("TableBackground@4x");
    const QByteArray first = pictures::BuiltInFileBytes(path);
    ASSERT_GT(first.size(), 3 * 4096);
    EXPECT_EQ(pictures::BuiltInFileBytes(path), first);
    EXPECT_EQ(QImage::fromData(first, "PNG").size(), QSize(3200, 2400));
    EXPECT_TRUE(pictures::BuiltInFileBytes(QStringLiteral(":/pictures/NoSuchPicture.png")).isEmpty());
}
