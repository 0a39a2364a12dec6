// The table background against the program's drawing: black glass under the counters, payline
// markers at both ends of the line, and a dark well for the meter.
#include <gtest/gtest.h>

#include "PixelChecks.h"
#include "pictures/TableLayout.h"

namespace {

using namespace pictures::layout;

int Brightest(const QImage& image, const QRect& r)
{
    int best = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) best = std::max(best, arttest::Brightness(image.pixel(x, y)));
    return best;
}

TEST(Table, CounterGlassIsBlackWhereTheProgramDrawsAndClears)
{
    const QImage table = arttest::Resource(":/pictures/TableBackground.png");
    EXPECT_EQ(WinningsField, QRect(QPoint(320, 44), QPoint(449, 69)));
    // The program blacks out the Winnings field and the cell beside each number; the
    // glass must be black too, or those patches would show. Digits reach y 77 on a
    // 1024-pixel screen.
    EXPECT_LE(Brightest(table, WinningsField), 6);
    EXPECT_LE(Brightest(table, QRect(QPoint(CoinsLeft, CounterDigitTop), QPoint(330, 77))), 6);
    EXPECT_LE(Brightest(table, QRect(QPoint(440, CounterDigitTop), QPoint(CreditsRight, 77))), 6);
    // White labels from y 30 need a dark ground.
    EXPECT_LE(Brightest(table, QRect(QPoint(CoinsLeft, CounterLabelTop), QPoint(CreditsRight, 43))), 20);
}

TEST(Table, PaylineMarkersPointAtBothEndsOfTheLine)
{
    const QImage table = arttest::Resource(":/pictures/TableBackground.png");
    ASSERT_EQ(PaylineY, 386);
    for (const int x : {PaylineLeft - 3, PaylineRight + 3}) {
        const QRgb p = table.pixel(x, PaylineY);
        EXPECT_GT(qRed(p), 180) << "x " << x;
        EXPECT_LT(qGreen(p), 90) << "x " << x;
    }
    // Between the markers the line is the program's: the table itself has no red there.
    for (int x = PaylineLeft + 2; x <= PaylineRight - 2; ++x) {
        const QRgb p = table.pixel(x, PaylineY);
        EXPECT_FALSE(qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90) << "x " << x;
    }
}

TEST(Table, MeterBoxIsADarkWell)
{
    const QImage table = arttest::Resource(":/pictures/TableBackground.png");
    EXPECT_EQ(MeterBox, QRect(QPoint(578, 223), QPoint(655, 281)));
    // On wide screens the meter slice is drawn unscaled inside a larger box; the
    // rest of the box must read as the meter's own dark glass.
    EXPECT_LE(Brightest(table, MeterBox.adjusted(2, 2, -2, -2)), 40);
}

}  // namespace
