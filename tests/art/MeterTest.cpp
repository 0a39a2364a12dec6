// The bonus meter picture: each level's slice shows exactly that many lit lamps, the lamps apart
// and inside the slice, and every slice in the same frame.
#include <gtest/gtest.h>

#include "Meter.h"
#include "PixelChecks.h"

namespace {

constexpr int SliceHeight = 59;
constexpr int Lamps = 12;

// Brightest pixel near a lamp's centre (the glint sits a little off centre).
int LampBrightness(const QImage& meter, int sliceTop, int lamp)
{
    const QPointF c = artwork::MeterLampCentre(lamp);
    int best = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            best = std::max(best, arttest::Brightness(meter.pixel(qRound(c.x()) + dx, sliceTop + qRound(c.y()) + dy)));
    return best;
}

TEST(Meter, LevelNShowsExactlyNLitLampsInTheSliceAtTwelveMinusNTimes59)
{
    const QImage meter = arttest::Resource(":/pictures/BonusMeterStrip.png");
    ASSERT_EQ(meter.height(), 13 * SliceHeight);
    for (int level = 0; level <= Lamps; ++level) {
        const int top = (Lamps - level) * SliceHeight;
        for (int lamp = 0; lamp < Lamps; ++lamp) {
            const int brightness = LampBrightness(meter, top, lamp);
            if (lamp < level) {
                EXPECT_GT(brightness, 200) << "level " << level << ", lamp " << lamp << " should be lit";
            } else {
                EXPECT_LT(brightness, 120) << "level " << level << ", lamp " << lamp << " should be dark";
            }
        }
    }
}

TEST(Meter, LampsAreSeparateAndInsideTheSlice)
{
    for (int lamp = 0; lamp < Lamps; ++lamp) {
        const QPointF c = artwork::MeterLampCentre(lamp);
        EXPECT_GT(c.x() - artwork::MeterLampRadius, 2.0);
        EXPECT_LT(c.x() + artwork::MeterLampRadius, 76.0);
        EXPECT_GT(c.y() - artwork::MeterLampRadius, 2.0);
        EXPECT_LT(c.y() + artwork::MeterLampRadius, SliceHeight - 2.0);
        if (lamp > 0) {
            const QPointF d = c - artwork::MeterLampCentre(lamp - 1);
            EXPECT_GT(std::hypot(d.x(), d.y()), 2 * artwork::MeterLampRadius)
                << "lamps " << lamp - 1 << " and " << lamp;
        }
    }
}

TEST(Meter, EverySliceHasTheSameFrameSoNoneIsShifted)
{
    const QImage meter = arttest::Resource(":/pictures/BonusMeterStrip.png");
    const QImage reference = meter.copy(0, 0, 78, SliceHeight);
    for (int level = 0; level < Lamps; ++level) {
        const QImage slice = meter.copy(0, (Lamps - level) * SliceHeight, 78, SliceHeight);
        // The straight parts of the rim (two pixels deep, clear of the rounded corners)
        // do not depend on the level.
        for (const QRect& rim : {QRect(8, 0, 62, 2), QRect(8, SliceHeight - 2, 62, 2), QRect(0, 8, 2, SliceHeight - 16),
                                 QRect(76, 8, 2, SliceHeight - 16)}) {
            EXPECT_LE(arttest::MaxDifference(slice, reference, rim), 2) << "level " << level;
        }
    }
}

}  // namespace
