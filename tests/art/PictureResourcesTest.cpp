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
        {":/pictures/Image1.png", 800, 600},    {":/pictures/Image2.png", 76, 456},
        {":/pictures/BonusBMP.png", 78, 767},   {":/pictures/Bet1But.png", 78, 118},
        {":/pictures/Bet5But.png", 78, 118},    {":/pictures/SpinBut.png", 78, 118},
        {":/pictures/Dimmed.png", 302, 165},    {":/pictures/Dimmed2.png", 429, 45},
        {":/pictures/Bet1bDimmed.png", 84, 85}, {":/pictures/DigitsSmall.png", 188, 21},
        {":/pictures/GreenSmall.png", 188, 21}, {":/pictures/DigitsLarge.png", 376, 42},
        {":/pictures/GreenLarge.png", 376, 42}, {":/bonus/bonus1.png", 640, 480},
        {":/bonus/bonus2.png", 640, 480},       {":/bonus/bonus3.png", 640, 480},
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
