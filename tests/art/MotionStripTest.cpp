// The reel in motion: a loop whose bottom row runs on into its top row without a seam, and symbols
// smeared along the reel rather than across it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "PixelChecks.h"

namespace {

// Mean channel difference between two rows.
double RowDifference(const QImage& image, int a, int b)
{
    double sum = 0;
    for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, a), q = image.pixel(x, b);
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
    return sum / (3.0 * image.width());
}

TEST(MotionStrip, BottomRowRunsOnIntoTheTopRowWithoutASeam)
{
    const QImage strip = arttest::Resource(":/pictures/MotionStrip.png");
    ASSERT_EQ(strip.size(), QSize(76, 456));
    std::vector<double> steps;
    for (int y = 0; y + 1 < strip.height(); ++y) steps.push_back(RowDifference(strip, y, y + 1));
    std::vector<double> sorted = steps;
    std::sort(sorted.begin(), sorted.end());
    const double typical = sorted[sorted.size() / 2];
    const double largest = sorted.back();
    const double wrap = RowDifference(strip, strip.height() - 1, 0);
    // The join is no harsher than the steps inside the strip.
    EXPECT_LE(wrap, largest);
    EXPECT_LE(wrap, 3 * typical + 1.0) << "typical row step " << typical;
    // A reel in motion: the picture does change down the strip.
    EXPECT_GT(largest, 1.0);
}

TEST(MotionStrip, SymbolsAreSmearedAlongTheReel)
{
    const QImage strip = arttest::Resource(":/pictures/MotionStrip.png");
    // Motion blur means neighbouring rows are alike and neighbouring columns less so:
    // the strip is sharper across than along.
    double along = 0, across = 0;
    for (int y = 0; y + 1 < strip.height(); ++y)
        for (int x = 0; x + 1 < strip.width(); ++x) {
            along += arttest::Difference(strip.pixel(x, y), strip.pixel(x, y + 1));
            across += arttest::Difference(strip.pixel(x, y), strip.pixel(x + 1, y));
        }
    EXPECT_LT(along * 2, across);
}

}  // namespace
