// The push buttons: the lit half is the dim half with its light on and the bezel unmoved, and the
// three buttons look different.
#include <gtest/gtest.h>

#include <algorithm>

#include "PixelChecks.h"

namespace {

TEST(Buttons, LitLowerHalfIsTheDimUpperHalfWithTheLightOn)
{
    for (const char* path :
         {":/pictures/BetOneButtonStrip.png", ":/pictures/BetFiveButtonStrip.png", ":/pictures/SpinButtonStrip.png"}) {
        const QImage button = arttest::Resource(QString::fromLatin1(path));
        ASSERT_EQ(button.height() % 2, 0) << path;
        const int half = button.height() / 2;
        const QImage dim = button.copy(0, 0, button.width(), half);
        const QImage lit = button.copy(0, half, button.width(), half);
        // Bezel and recess (the outer five pixels) are the same in both states, so the
        // button does not jump when it lights.
        const int w = dim.width();
        for (const QRect& edge :
             {QRect(0, 0, w, 5), QRect(0, half - 5, w, 5), QRect(0, 0, 5, half), QRect(w - 5, 0, 5, half)}) {
            EXPECT_EQ(arttest::MaxDifference(dim, lit, edge), 0) << path;
        }
        const QRect cap(12, 10, w - 24, half - 20);
        EXPECT_GT(arttest::MeanBrightness(lit, cap), arttest::MeanBrightness(dim, cap) + 60) << path;
    }
}

TEST(Buttons, TheThreeButtonsLookDifferent)
{
    const QImage one = arttest::Resource(":/pictures/BetOneButtonStrip.png");
    const QImage five = arttest::Resource(":/pictures/BetFiveButtonStrip.png");
    const QImage spin = arttest::Resource(":/pictures/SpinButtonStrip.png");
    const QRect litCap(12, 69, 54, 39);
    EXPECT_GT(arttest::MaxDifference(one, five, litCap), 60);
    EXPECT_GT(arttest::MaxDifference(one, spin, litCap), 60);
    EXPECT_GT(arttest::MaxDifference(five, spin, litCap), 60);
}

}  // namespace

namespace {

// The colour an oval shows: the mean of a band inside it, left of its figure.
QRgb OvalColour(const QImage& button)
{
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = 24; y <= 34; ++y) {
        for (int x = 11; x <= 14; ++x) {
            const QRgb p = button.pixel(x, y);
            r += qRed(p), g += qGreen(p), b += qBlue(p), ++n;
        }
    }
    return qRgb(int(r / n), int(g / n), int(b / n));
}

TEST(AmountButtons, ThousandOnBlueHundredOnRedTenOnGreenOneOnBlack)
{
    const QRgb blue = OvalColour(arttest::Resource(":/pictures/AmountButton1000.png"));
    const QRgb red = OvalColour(arttest::Resource(":/pictures/AmountButton100.png"));
    const QRgb green = OvalColour(arttest::Resource(":/pictures/AmountButton10.png"));
    const QRgb black = OvalColour(arttest::Resource(":/pictures/AmountButton1.png"));
    EXPECT_GT(qBlue(blue), std::max(qRed(blue), qGreen(blue)) + 60);
    EXPECT_GT(qRed(red), qGreen(red) + 80);
    EXPECT_GT(qRed(red), qBlue(red) + 80);
    EXPECT_GT(qGreen(green), qRed(green) + 60);
    EXPECT_GT(qGreen(green), qBlue(green) + 40);
    EXPECT_LT(arttest::Brightness(black), 70);
}

}  // namespace
