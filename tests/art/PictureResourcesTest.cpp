// The built-in pictures in the program's resources: each loads, opaque and at its exact size, and
// the three bonus pictures differ.
#include <gtest/gtest.h>

#include "PixelChecks.h"

namespace {

struct Expected {
    const char* path;
    int width;
    int height;
};

TEST(PictureResources, EveryBuiltInPictureLoadsAtItsExactSize)
{
    const Expected pictures[] = {
        {":/pictures/TableBackground.png", 800, 600},
        {":/pictures/MotionStrip.png", 76, 456},
        {":/pictures/BonusMeterStrip.png", 78, 767},
        {":/pictures/BetOneButtonStrip.png", 78, 118},
        {":/pictures/BetFiveButtonStrip.png", 78, 118},
        {":/pictures/SpinButtonStrip.png", 78, 118},
        {":/pictures/UnlitLogoPanel.png", 302, 165},
        {":/pictures/UnlitTitlePlate.png", 429, 45},
        {":/pictures/UnlitBetSign.png", 84, 85},
        {":/pictures/SmallRedDigits.png", 188, 21},
        {":/pictures/SmallGreenDigits.png", 188, 21},
        {":/pictures/LargeRedDigits.png", 376, 42},
        {":/pictures/LargeGreenDigits.png", 376, 42},
        {":/pictures/AmountButton1000.png", 80, 57},
        {":/pictures/AmountButton100.png", 80, 57},
        {":/pictures/AmountButton10.png", 80, 57},
        {":/pictures/AmountButton1.png", 80, 57},
        {":/bonus/bonus1.png", 640, 480},
        {":/bonus/bonus2.png", 640, 480},
        {":/bonus/bonus3.png", 640, 480},
    };
    for (const Expected& e : pictures) {
        const QImage image(QString::fromLatin1(e.path));
        ASSERT_FALSE(image.isNull()) << e.path << " is missing from the resources";
        EXPECT_EQ(image.width(), e.width) << e.path;
        EXPECT_EQ(image.height(), e.height) << e.path;
        EXPECT_FALSE(image.hasAlphaChannel()) << e.path << " must be opaque like a bitmap";
    }
}

TEST(PictureResources, BonusPicturesAreThreeDifferentPictures)
{
    const QImage boxes = arttest::Resource(":/bonus/bonus1.png");
    const QImage empty = arttest::Resource(":/bonus/bonus2.png");
    const QImage prize = arttest::Resource(":/bonus/bonus3.png");
    EXPECT_NE(boxes, empty);
    EXPECT_NE(boxes, prize);
    EXPECT_NE(empty, prize);
}

}  // namespace

namespace {

// The message boxes' icons keep their transparency (round badges on any
// panel) and differ from one another.
TEST(PictureResources, MessageIconsAreTransparentBadgesOfTheirOwn)
{
    QImage icons[4];
    int i = 0;
    for (const char* name : {"Information", "Warning", "Error", "Question"}) {
        const QImage icon(QStringLiteral(":/messages/%1.png").arg(QLatin1String(name)));
        ASSERT_EQ(icon.size(), QSize(40, 40)) << name;
        EXPECT_TRUE(icon.hasAlphaChannel()) << name;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << name;
        EXPECT_EQ(qAlpha(icon.pixel(20, 20)), 255) << name;
        icons[i++] = icon;
    }
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) EXPECT_NE(icons[a], icons[b]);
    }
}

}  // namespace
