// The default theme's bitmaps: a 24-bit symbol sheet of sixteen distinct cells that stack without
// seams, the bar forms told apart by their badges, and a pay chart that fits the screen.
#include <gtest/gtest.h>

#include <QFile>

#include "PixelChecks.h"

namespace {

const QString ThemeDir = QStringLiteral(PLUMFIZZ_THEME_DIR);

// Bits per pixel from a Windows bitmap file's header.
int BitsPerPixel(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray header = file.read(30);
    if (header.size() < 30 || !header.startsWith("BM")) return -1;
    return static_cast<unsigned char>(header[28]) | (static_cast<unsigned char>(header[29]) << 8);
}

QImage Cell(const QImage& sheet, int n)
{
    return sheet.copy((n % 4) * 76, (n / 4) * 76, 76, 76);
}

TEST(ThemeFiles, SymbolSheetIsA304Square24BitBitmap)
{
    const QString path = ThemeDir + QStringLiteral("/Plum.bmp");
    const QImage sheet(path, "BMP");
    ASSERT_FALSE(sheet.isNull()) << qPrintable(path);
    EXPECT_EQ(sheet.size(), QSize(304, 304));
    EXPECT_EQ(BitsPerPixel(path), 24);
    // The sheets for large screens are read the same way.
    for (const char* variant : {"/Plum@2x.bmp", "/Plum@4x.bmp"}) EXPECT_EQ(BitsPerPixel(ThemeDir + variant), 24);
}

TEST(ThemeFiles, PayChartIsABitmapThatFitsAnEightHundredPixelScreen)
{
    const QString path = ThemeDir + QStringLiteral("/Paychart.bmp");
    const QImage chart(path, "BMP");
    ASSERT_FALSE(chart.isNull()) << qPrintable(path);
    EXPECT_EQ(BitsPerPixel(path), 24);
    // The chart window takes the picture's size; with its caption it must fit 800 x 600.
    EXPECT_GE(chart.width(), 400);
    EXPECT_LE(chart.width(), 790);
    EXPECT_GE(chart.height(), 300);
    EXPECT_LE(chart.height(), 560);
}

TEST(ThemeFiles, SixteenDistinctCellsThatStackWithoutSeams)
{
    const QImage sheet = QImage(ThemeDir + QStringLiteral("/Plum.bmp"), "BMP").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(sheet.size(), QSize(304, 304));
    const QImage blank = Cell(sheet, 15);
    for (int n = 0; n < 16; ++n) {
        const QImage cell = Cell(sheet, n);
        for (int m = n + 1; m < 16; ++m) EXPECT_NE(cell, Cell(sheet, m)) << "cells " << n << " and " << m;
        // Reels stack cells: every cell's top and bottom rows are the bare reel face.
        EXPECT_EQ(arttest::MaxDifference(cell, blank, QRect(0, 0, 76, 2)), 0) << "cell " << n;
        EXPECT_EQ(arttest::MaxDifference(cell, blank, QRect(0, 74, 76, 2)), 0) << "cell " << n;
    }
    // The blank is the reel face: the same from top to bottom.
    for (int y = 1; y < 76; ++y)
        EXPECT_EQ(arttest::MaxDifference(blank, blank.copy(0, y, 76, 1), QRect(0, 0, 76, 1)), 0);
}

TEST(ThemeFiles, UpDownAndBonusFormsAreTheSameBarWithADifferentBadge)
{
    const QImage sheet = QImage(ThemeDir + QStringLiteral("/Plum.bmp"), "BMP").convertToFormat(QImage::Format_RGB32);
    const QImage blank = Cell(sheet, 15);
    // Cells sit at different places on the sheet, so smooth edges may differ by a shade.
    constexpr int Shade = 2;
    const QRect symbolPart(0, 0, 46, 76), upperBadge(53, 0, 23, 34), lowerBadge(53, 42, 23, 34);
    for (int bar = 0; bar < 3; ++bar) {
        const QImage up = Cell(sheet, 5 + bar), down = Cell(sheet, 8 + bar), bonus = Cell(sheet, 11 + bar);
        EXPECT_LE(arttest::MaxDifference(up, down, symbolPart), Shade) << "bar " << bar;
        EXPECT_LE(arttest::MaxDifference(up, bonus, symbolPart), Shade) << "bar " << bar;
        EXPECT_GT(arttest::MaxDifference(up, Cell(sheet, 2 + bar), symbolPart), 40)
            << "forms differ from the plain bar";
        // The arrow up sits high, the arrow down low.
        EXPECT_GT(arttest::MaxDifference(up, blank, upperBadge), 100) << "bar " << bar;
        EXPECT_LE(arttest::MaxDifference(up, blank, lowerBadge), Shade) << "bar " << bar;
        EXPECT_GT(arttest::MaxDifference(down, blank, lowerBadge), 100) << "bar " << bar;
        EXPECT_LE(arttest::MaxDifference(down, blank, upperBadge), Shade) << "bar " << bar;
    }
}

}  // namespace
