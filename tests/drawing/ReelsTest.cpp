// Drawing the reels: the payline, their geometry, the view from a stop, the motion frames, a spin's
// blur, stop and bounce, the nudges and the settle, and pictures of any size.
#include <gtest/gtest.h>

#include "Table.h"
#include "engine/Reels.h"

using namespace drawingtest;
using namespace picturetest;
using engine::SlideDirection;

namespace {

constexpr QRgb Untouched = qRgb(7, 7, 7);

QImage Window(Table& t, int reel)
{
    return t.surface.copy(t->ReelWindow(reel));
}

// The reel window as DrawReel leaves it on a fresh table.
QImage RestView(int layout, int reel, int32_t stop)
{
    Table t(layout, QSize(layout, layout * 3 / 4));
    t->DrawReel(reel, stop);
    return Window(t, reel);
}

QImage Rows(const QImage& image, int first, int count)
{
    return image.copy(0, first, image.width(), count);
}

}  // namespace

TEST(Payline, RunsAcrossTheReelsOn800)
{
    Table t(800, QSize(800, 600));
    EXPECT_EQ(t->DrawPayline(), QRect(241, 386, 316, 1));
    for (int x = 241; x <= 556; ++x) {
        ASSERT_TRUE(IsRed(t.At(x, 386))) << x;
    }
    EXPECT_EQ(t.At(240, 386), Untouched);
    EXPECT_EQ(t.At(557, 386), Untouched);
    EXPECT_EQ(t.At(400, 385), Untouched);
    EXPECT_EQ(t.At(400, 387), Untouched);
    EXPECT_EQ(t.At(241, 386), 0xffff0000u);
}

TEST(Payline, RunsAcrossTheReelsOn1024)
{
    Table t(1024, QSize(1024, 768));
    EXPECT_EQ(t->DrawPayline(), QRect(308, 493, 404, 1));
    for (int x = 308; x <= 711; ++x) {
        ASSERT_TRUE(IsRed(t.At(x, 493))) << x;
    }
    EXPECT_EQ(t.At(307, 493), Untouched);
    EXPECT_EQ(t.At(712, 493), Untouched);
    EXPECT_EQ(t.At(500, 492), Untouched);
}

TEST(ReelGeometry, FollowsTheLayoutWidth)
{
    Table t800(800, QSize(800, 600));
    EXPECT_EQ(t800->ReelWindow(0), QRect(258, 272, 76, 228));
    EXPECT_EQ(t800->ReelWindow(1), QRect(362, 272, 76, 228));
    EXPECT_EQ(t800->ReelWindow(2), QRect(466, 272, 76, 228));
    EXPECT_EQ(t800->Geometry().MotionHeight, 456);
    Table t1024(1024, QSize(1024, 768));
    EXPECT_EQ(t1024->ReelWindow(1), QRect(463, 348, 97, 291));
    EXPECT_EQ(t1024->Geometry().MotionHeight, 583);
    Table t640(640, QSize(640, 480));
    EXPECT_EQ(t640->ReelWindow(0), QRect(206, 217, 60, 180));
    EXPECT_TRUE(t640->ReelWindow(3).isEmpty());
    EXPECT_TRUE(t640->ReelWindow(-1).isEmpty());
}

TEST(DrawReel, ShowsTheThreeStripPositionsFromTheStop)
{
    for (int layout : {640, 800, 1024, 1440}) {
        Table t(layout, QSize(layout, layout * 3 / 4));
        const int c = t->Geometry().CellSize;
        for (int reel = 0; reel < 3; ++reel) {
            const QRect w = t->ReelWindow(reel);
            const QRect changed = t->DrawReel(reel, 30);  // 30, 1 and 2
            EXPECT_TRUE(changed.contains(w));
            for (int row = 0; row < 3; ++row) {
                const int32_t position = row == 0 ? 30 : row;
                EXPECT_EQ(t.At(w.left() + c / 2, w.top() + row * c + c / 4), CellColour(engine::CellAt(reel, position)))
                    << layout << " reel " << reel << " row " << row;
            }
            EXPECT_TRUE(IsRed(t.At(w.left() + 1, w.top() + c + c / 2)));
        }
    }
}

TEST(DrawReel, OtherReelNumbersDrawNothing)
{
    Table t(800, QSize(800, 600));
    const QImage before = t.surface.copy();
    EXPECT_TRUE(t->DrawReel(3, 1).isEmpty());
    EXPECT_TRUE(t->DrawMotionFrame(-1, 0).isEmpty());
    EXPECT_TRUE(t->DrawNudgeStep(7, 1, SlideDirection::Up, 0).isEmpty());
    EXPECT_EQ(t.surface, before);
}

TEST(MotionFrame, WrapsAroundTheStrip)
{
    Table t(800, QSize(800, 600));
    const QRect w = t->ReelWindow(1);
    t->DrawMotionFrame(1, 456 - 10);
    for (int row = 0; row < 10; ++row) {
        ASSERT_EQ(t.At(w.left(), w.top() + row), MotionRowColour(446 + row));
        ASSERT_EQ(t.At(w.right(), w.top() + row), MotionRowColour(446 + row));
    }
    EXPECT_EQ(t.At(w.left() + 30, w.top() + 10), MotionRowColour(0));
    EXPECT_EQ(t.At(w.left() + 30, w.top() + 227), MotionRowColour(217));
    EXPECT_TRUE(IsRed(t.At(w.left() + 30, 386)));
    // Offsets outside the strip are brought around the loop.
    t->DrawMotionFrame(1, -5);
    EXPECT_EQ(t.At(w.left(), w.top()), MotionRowColour(451));
    t->DrawMotionFrame(1, 456 * 3 + 7);
    EXPECT_EQ(t.At(w.left(), w.top()), MotionRowColour(7));
}

TEST(MotionFrame, AShortStripRepeatsAndANarrowOneLeavesBlack)
{
    pictures::PictureSet set = Synthetic();
    set.motionStrip = MotionStrip(40, 50);
    Table t(800, QSize(800, 600), 0, set);
    EXPECT_EQ(t->Geometry().MotionHeight, 50);
    const QRect w = t->ReelWindow(0);
    t->DrawMotionFrame(0, 40);
    EXPECT_EQ(t.At(w.left(), w.top()), MotionRowColour(40));
    EXPECT_EQ(t.At(w.left(), w.top() + 10), MotionRowColour(0));
    EXPECT_EQ(t.At(w.left(), w.top() + 60), MotionRowColour(0));
    EXPECT_EQ(t.At(w.left(), w.top() + 227), MotionRowColour((40 + 227) % 50));
    EXPECT_EQ(t.At(w.left() + 39, w.top() + 5), MotionRowColour(45));
    EXPECT_EQ(t.At(w.left() + 40, w.top() + 5) & 0xffffffu, 0u);
    EXPECT_EQ(t.At(w.right(), w.top() + 5) & 0xffffffu, 0u);
}

class SpinFrames : public ::testing::TestWithParam<int> {};

TEST_P(SpinFrames, BlurStopAndBounceInTheirPhases)
{
    const int layout = GetParam();
    const QSize size(layout, layout * 3 / 4);
    Table t(layout, size);
    Table reference(layout, size);
    const engine::ReelStops stops{22, 14, 28};
    const int c = t->Geometry().CellSize;
    const int height = t->Geometry().MotionHeight;
    const int step = t->Scaled(61);
    const int trimmed = 3 * c - 8;

    engine::MotionOffsets offsets{0, 100, height - 3};
    const engine::MotionOffsets start = offsets;
    QImage restViews[3];
    for (int reel = 0; reel < 3; ++reel) {
        restViews[reel] = RestView(layout, reel, stops[reel]);
    }

    for (int frame = 1; frame <= 47; ++frame) {
        const auto result = t->DrawSpinFrame(frame, offsets, stops);
        for (int reel = 0; reel < 3; ++reel) {
            const int phase = frame - 9 * reel;
            const QRect w = t->ReelWindow(reel);
            EXPECT_EQ(result.stoppedReel[reel], phase == 21) << frame << " " << reel;
            if (phase <= 20) {
                // The view for this frame, then the offset one step further up the strip.
                int expectedOffset = start[reel] - (frame - 1) * step;
                expectedOffset = ((expectedOffset % height) + height) % height;
                reference->DrawMotionFrame(reel, expectedOffset);
                ASSERT_EQ(Window(t, reel), Window(reference, reel)) << "frame " << frame << " reel " << reel;
                ASSERT_TRUE(result.dirty.contains(w));
            } else if (phase == 21) {
                ASSERT_EQ(Window(t, reel), restViews[reel]) << "frame " << frame;
            } else if (phase <= 29) {
                const int shifts[] = {1, 2, 1, 0, -1, -2, -1, 0};
                const int shift = shifts[phase - 22];
                const QImage moved = t.surface.copy(w.left(), w.top() + shift, c, trimmed);
                const QImage expected = Rows(restViews[reel], 0, trimmed);
                // The payline is drawn again over the moved copy.
                const int payline = c + c / 2 - shift;
                for (int y = 0; y < trimmed; ++y) {
                    if (y == payline) {
                        continue;
                    }
                    ASSERT_EQ(Rows(moved, y, 1), Rows(expected, y, 1)) << "frame " << frame << " row " << y;
                }
                ASSERT_TRUE(IsRed(t.At(w.left() + 3, w.top() + c + c / 2)));
            }
        }
    }

    for (int reel = 0; reel < 3; ++reel) {
        // At rest: the reel shows its stop (the bottom rows keep the bounce's smear of up to 2 rows).
        const QImage w = Window(t, reel);
        EXPECT_EQ(Rows(w, 0, trimmed), Rows(restViews[reel], 0, trimmed)) << reel;
        // The bounce reached two rows above the window and no further.
        const QRect win = t->ReelWindow(reel);
        EXPECT_EQ(t.At(win.left() + 5, win.top() - 3), Untouched);
        EXPECT_NE(t.At(win.left() + 5, win.top() - 2), Untouched);
    }
    const int frames[] = {20, 29, 38};
    for (int reel = 0; reel < 3; ++reel) {
        const int expected = (((start[reel] - frames[reel] * step) % height) + height) % height;
        EXPECT_EQ(offsets[reel], expected);
    }
}

TEST_P(SpinFrames, FramesAfterTheEndDrawNothing)
{
    const int layout = GetParam();
    Table t(layout, QSize(layout, layout * 3 / 4));
    engine::MotionOffsets offsets{1, 2, 3};
    const QImage before = t.surface.copy();
    const auto result = t->DrawSpinFrame(48, offsets, engine::StartStops);
    EXPECT_TRUE(result.dirty.isEmpty());
    EXPECT_EQ(t.surface, before);
    EXPECT_EQ(offsets, (engine::MotionOffsets{1, 2, 3}));
}

INSTANTIATE_TEST_SUITE_P(Widths, SpinFrames, ::testing::Values(640, 800, 1024, 1440));

class Nudges : public ::testing::TestWithParam<int> {};

TEST_P(Nudges, EndOnTheViewOfTheNewStop)
{
    const int layout = GetParam();
    const QSize size(layout, layout * 3 / 4);
    Table down(layout, size);
    Table up(layout, size);
    Table reference(layout, size);
    for (int reel = 0; reel < 3; ++reel) {
        for (int32_t stop : {1, 17, 30}) {
            down->DrawReel(reel, stop);
            for (int step = 0; step < 8; ++step) {
                const QRect changed = down->DrawNudgeStep(reel, stop, SlideDirection::Down, step);
                ASSERT_TRUE(changed.contains(down->ReelWindow(reel)));
            }
            reference->DrawReel(reel, engine::WrapPosition(stop - 1));
            EXPECT_EQ(Window(down, reel), Window(reference, reel)) << layout << " reel " << reel << " stop " << stop;

            for (int step = 0; step < 8; ++step) {
                up->DrawNudgeStep(reel, stop, SlideDirection::Up, step);
            }
            reference->DrawReel(reel, engine::WrapPosition(stop + 1));
            EXPECT_EQ(Window(up, reel), Window(reference, reel)) << layout << " reel " << reel << " stop " << stop;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, Nudges, ::testing::Values(640, 800, 1024, 1920));

TEST(Nudges, SlideTenScaledPixelsPerStepThenTheRest)
{
    // On 800: the Down view starts one cell into the four-cell strip and climbs
    // 10 pixels a step; the edge between the first two cells shows where it is.
    Table t(800, QSize(800, 600));
    const QRect w = t->ReelWindow(0);
    const int32_t stop = 17;
    const QRgb above = CellColour(engine::CellAt(0, 16));
    const QRgb first = CellColour(engine::CellAt(0, 17));
    for (int step = 0; step < 7; ++step) {
        t->DrawNudgeStep(0, stop, SlideDirection::Down, step);
        const int edge = 10 * (step + 1);  // rows of the cell above now in view
        EXPECT_EQ(t.At(w.left() + 5, w.top() + edge - 1), above) << step;
        EXPECT_EQ(t.At(w.left() + 5, w.top() + edge), first) << step;
    }
    // Up: the view moves down the strip from the stop's cell.
    Table u(800, QSize(800, 600));
    const QRgb next = CellColour(engine::CellAt(0, 18));
    for (int step = 0; step < 7; ++step) {
        u->DrawNudgeStep(0, stop, SlideDirection::Up, step);
        const int edge = 76 - 10 * (step + 1);  // rows of the stop's cell still in view
        EXPECT_EQ(u.At(w.left() + 5, w.top() + edge - 1), first) << step;
        EXPECT_EQ(u.At(w.left() + 5, w.top() + edge), next) << step;
    }

    // On 1024 the first seven steps move 12 pixels and the eighth 13.
    Table wide(1024, QSize(1024, 768));
    const QRect ww = wide->ReelWindow(0);
    wide->DrawNudgeStep(0, stop, SlideDirection::Down, 6);
    EXPECT_EQ(wide.At(ww.left() + 48, ww.top() + 82), above);
    EXPECT_EQ(wide.At(ww.left() + 48, ww.top() + 86), first);
}

TEST(Settle, BouncesACopyOfTheUpperRows)
{
    for (int layout : {800, 1024}) {
        Table t(layout, QSize(layout, layout * 3 / 4));
        const int reel = 1;
        t->DrawReel(reel, 9);
        const QRect w = t->ReelWindow(reel);
        const int c = t->Geometry().CellSize;
        const int kept = 3 * c - t->Scaled(8);
        const QImage before = Window(t, reel);
        EXPECT_TRUE(t->CaptureSettle(reel).contains(QPoint(w.left(), w.top() + c + c / 2)));
        const int offsets[] = {2, 4, 2, 0, -2, -4, -2, 0};
        for (int step = 0; step < 8; ++step) {
            t->DrawSettleStep(reel, step);
            const QImage moved = t.surface.copy(w.left(), w.top() + offsets[step], c, kept);
            const int payline = c + c / 2 - offsets[step];
            for (int y = 0; y < kept; y += 3) {
                if (y != payline) {
                    ASSERT_EQ(Rows(moved, y, 1), Rows(before, y, 1)) << layout << " step " << step << " row " << y;
                }
            }
        }
        EXPECT_EQ(Rows(Window(t, reel), 0, kept), Rows(before, 0, kept));
        EXPECT_EQ(t.At(w.left(), w.top() - 5), Untouched);
        EXPECT_NE(t.At(w.left(), w.top() - 4), Untouched);
    }
}

TEST(Robustness, PicturesOfAnySizeAndTinySurfaces)
{
    // Replacement pictures can be any size; nothing may be read or written
    // outside an image (the sanitizer build checks the memory side).
    pictures::PictureSet tiny = Synthetic();
    tiny.tableBackground = Solid(1, 1, qRgb(9, 9, 9));
    tiny.motionStrip = MotionStrip(3, 5);
    tiny.symbolSheet = SymbolSheet(8);
    tiny.bonusMeterStrip = Solid(5, 5, qRgb(1, 2, 3));
    tiny.betOneButtonStrip = Solid(1, 1, qRgb(4, 5, 6));
    tiny.betFiveButtonStrip = QImage();
    tiny.spinButtonStrip = Solid(300, 3, qRgb(4, 5, 6));
    tiny.unlitLogoPanel = Solid(1, 2, qRgb(4, 5, 6));
    tiny.smallGreenDigits = Solid(2, 2, qRgb(4, 5, 6));
    tiny.largeGreenDigits = QImage();
    for (int layout : {1, 640, 800, 1920}) {
        for (QSize size : {QSize(0, 0), QSize(50, 40), QSize(layout + 30, layout)}) {
            Table t(layout, size, 3, tiny);
            t->FormPaint(engine::StartStops, 123456, -7, 99);
            engine::MotionOffsets offsets{4, -100000, 1 << 30};
            for (int frame = 1; frame <= 47; ++frame) {
                t->DrawSpinFrame(frame, offsets, engine::ReelStops{30, -4, 95});
            }
            for (int step = 0; step < 8; ++step) {
                t->DrawNudgeStep(2, 1, SlideDirection::Down, step);
            }
            t->CaptureSettle(2);
            for (int step = -1; step < 9; ++step) {
                t->DrawSettleStep(2, step);
            }
            t->DrawLogoPanel(true);
            t->DrawLogoPanel(false);
            t->DrawTitlePlate(true);
            t->DrawBetSign(false);
            t->DrawWinningsCaption();
            t->DrawWinningsCounter(-2147483647 - 1);
            for (int reel = 0; reel < 3; ++reel) {
                EXPECT_GE(offsets[reel], 0);
            }
        }
    }

    // At 800 the 8 × 8 sheet covers the corner of cell 0 only; the rest of a cell is black.
    Table t(800, QSize(800, 600), 0, tiny);
    t->DrawReel(0, 22);  // symbol 0 in the middle row
    const QRect w = t->ReelWindow(0);
    EXPECT_EQ(t.At(w.left(), w.top() + 76), CellColour(0));
    EXPECT_EQ(t.At(w.left() + 2, w.top() + 76), CellColour(1));
    EXPECT_EQ(t.At(w.left() + 10, w.top() + 86) & 0xffffffu, 0u);
}
