// The digit counter drawn onto a surface of its own.
#include <gtest/gtest.h>

#include "SyntheticPictures.h"
#include "pictures/DigitCounter.h"

using namespace picturetest;

TEST(Counters, DrawCounterWorksOnAnyImage)
{
    // The borrow dialog draws its own figures; a small image clips them.
    const pictures::PictureSet set = Synthetic();
    QImage dialog(100, 30, QImage::Format_RGB32);
    dialog.fill(qRgb(7, 7, 7));
    const QRect changed = pictures::DrawCounter(dialog, set, 800, 123456789, 90, 5, true, false);
    EXPECT_EQ(changed, QRect(0, 5, 90, 21));
    EXPECT_EQ(ReadDigits(dialog, 90 - 5 * 16, 5, 5, false, false), "56789");
    EXPECT_EQ(dialog.pixel(95, 10), qRgb(7, 7, 7));
}

TEST(Counters, NegativeFiguresShowTheirSignAndStopAtTheirNeighbour)
{
    // In these strips a 0 is an 8 with a middle band unlit (the blank
    // cell's colour): the minus is that band of the 8 lit on the blank cell.
    pictures::PictureSet set = Synthetic();
    for (QImage* strip : {&set.smallGreenDigits, &set.largeGreenDigits}) {
        const int c = strip->height() == 21 ? 16 : 32;
        for (int y = 0; y < strip->height(); ++y) {
            const bool band = y >= strip->height() / 3 && y < 2 * strip->height() / 3;
            for (int x = 0; x < c; ++x) strip->setPixel(x, y, band ? qRgb(1, 2, 3) : strip->pixel(8 * c + x, y));
        }
    }
    const QRgb bar = DigitColour(8, true, false);
    const QRgb blank = qRgb(1, 2, 3);
    QImage table(1024, 120, QImage::Format_RGB32);
    table.fill(qRgb(7, 7, 7));

    // A short figure keeps the large cells, its sign in a cell of its own.
    pictures::DrawCounter(table, set, 1024, -25, 793, 56, true, true, 563);
    EXPECT_EQ(ReadDigits(table, 793 - 2 * 32, 56, 2, true, true), "25");
    EXPECT_EQ(table.pixel(793 - 3 * 32 + 16, 56 + 21), DigitColour(8, true, true));
    EXPECT_EQ(table.pixel(793 - 3 * 32 + 16, 56 + 2), qRgb(1, 2, 3));

    // Eleven large cells would pass the neighbour at 563: the small cells
    // hold the whole figure, centred in the large cells' height.
    const QRect changed = pictures::DrawCounter(table, set, 1024, -2147483647 - 1, 793, 56, true, true, 563);
    EXPECT_EQ(ReadDigits(table, 793 - 10 * 16, 56 + 10, 10, true, false), "2147483648");
    EXPECT_EQ(table.pixel(793 - 11 * 16 + 8, 56 + 10 + 10), bar);
    EXPECT_EQ(table.pixel(793 - 11 * 16 + 8, 56 + 10 + 1), blank);
    // The large figure before it is gone, over the large cells' height.
    EXPECT_EQ(table.pixel(793 - 3 * 32 + 16, 56 + 40), qRgb(0, 0, 0));
    EXPECT_EQ(changed, QRect(793 - 12 * 16, 56, 12 * 16, 42));

    // Where not even the small cells fit, nothing is drawn past the neighbour.
    EXPECT_EQ(pictures::DrawCounter(table, set, 1024, -2147483647 - 1, 793, 56, true, true, 700).left(), 700);
    EXPECT_EQ(table.pixel(699, 60), qRgb(0, 0, 0));  // left by the figure before
    EXPECT_EQ(table.pixel(562, 60), qRgb(7, 7, 7));
}

TEST(Counters, TheBuiltInMinusIsTheMiddleBarAlone)
{
    // Lit where the 8 lights its middle bar and the 0 is dark; nothing of
    // the upright bars' ends, which the 8 and the 0 both light, at any size.
    const pictures::PictureSet set = pictures::PictureSet::BuiltIn();
    const auto lit = [](QRgb p) { return qGreen(p) > 100; };
    for (const double ratio : {1.0, 2.0}) {
        for (const int layoutWidth : {800, 1024}) {
            const pictures::CounterDigits digits = pictures::CounterDigitsOf(set, layoutWidth, true, ratio);
            const QSize cell = digits.cell;
            QImage surface(4 * cell.width(), cell.height(), QImage::Format_RGB32);
            pictures::DrawCounter(surface, digits, -8, 0, 0, false);
            int signPixels = 0;
            for (int y = 0; y < cell.height(); ++y) {
                for (int x = 0; x < cell.width(); ++x) {
                    if (!lit(surface.pixel(x, y))) continue;
                    ++signPixels;
                    const QRgb eight = digits.strip.pixel(8 * cell.width() + x, y);
                    const QRgb zero = digits.strip.pixel(x, y);
                    EXPECT_TRUE(lit(eight) && !lit(zero))
                        << layoutWidth << " at " << ratio << ": the sign lights (" << x << ", " << y << ")";
                }
            }
            EXPECT_GT(signPixels, cell.width() / 2) << layoutWidth << " at " << ratio;
        }
    }
}
