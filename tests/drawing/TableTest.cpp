// Drawing the table: the counters and their spare cells, the bonus meter, the buttons' halves, the
// attention areas, the labels, and the full redraw at any width.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "Table.h"
#include "engine/Reels.h"

using namespace drawingtest;
using namespace picturetest;

namespace {

bool IsBlack(QRgb c)
{
    return (c & 0xffffffu) == 0;
}

// The columns holding white label pixels in rows [top, top + height).
std::pair<int, int> WhiteColumns(const QImage& image, int fromX, int toX, int top, int height)
{
    int first = -1;
    int last = -1;
    for (int x = fromX; x < toX; ++x) {
        for (int y = top; y < top + height; ++y) {
            if ((image.pixel(x, y) & 0xffffffu) == 0xffffffu) {
                if (first < 0) {
                    first = x;
                }
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

}  // namespace

TEST(Counters, CreditsEndAtTheirAnchorWithASpareCellBefore)
{
    Table t(800, QSize(800, 600));
    t->DrawCreditsCounter(10000);
    EXPECT_EQ(ReadDigits(t.surface, 540, 44, 5, true, false), "10000");
    const QRect changed = t->DrawCreditsCounter(1000);
    EXPECT_EQ(ReadDigits(t.surface, 540, 44, 5, true, false), " 1000");
    EXPECT_EQ(changed, QRect(540, 44, 80, 21));
    // Nothing right of the anchor or below the cells is touched.
    EXPECT_EQ(t.At(620, 50), qRgb(7, 7, 7));
    EXPECT_EQ(t.At(560, 65), qRgb(7, 7, 7));
    EXPECT_EQ(t.At(523, 50), qRgb(7, 7, 7));  // left of the spare cell of 10000
}

TEST(Counters, CoinsStartAtTheirAnchorWithASpareCellAfter)
{
    Table t(800, QSize(800, 600));
    t->DrawCoinsCounter(5);
    EXPECT_EQ(ReadDigits(t.surface, 250, 44, 2, true, false), "5 ");
    t->DrawCoinsCounter(0);
    EXPECT_EQ(ReadDigits(t.surface, 250, 44, 2, true, false), "0 ");
    EXPECT_EQ(t.At(249, 50), qRgb(7, 7, 7));
}

TEST(Counters, CoinsWipeTheWinningsField)
{
    Table t(800, QSize(800, 600));
    t->DrawWinningsCounter(1234);
    EXPECT_EQ(ReadDigits(t.surface, 376, 44, 4, false, false), "1234");
    t->DrawCoinsCounter(1);
    for (int x = 320; x < 450; x += 7) {
        for (int y = 44; y < 70; y += 5) {
            ASSERT_TRUE(IsBlack(t.At(x, y))) << x << "," << y;
        }
    }
    EXPECT_FALSE(IsBlack(t.At(450, 50)));
    EXPECT_FALSE(IsBlack(t.At(319, 50)));
}

TEST(Counters, CoinsWipeEveryRowOfLargeWinningsDigits)
{
    // The large cells (42 rows) reach below the scaled field (33 rows at 1024).
    Table wide(1024, QSize(1024, 768));
    wide->DrawWinningsCounter(7500);
    const int top = wide->Scaled(44);
    const int right = wide->Scaled(440);
    bool lit = false;
    for (int y = top; y < top + 42; ++y) {
        for (int x = right - 4 * 32; x < right; ++x) lit = lit || !IsBlack(wide.At(x, y));
    }
    ASSERT_TRUE(lit);
    wide->DrawCoinsCounter(1);
    for (int y = top; y < top + 42; ++y) {
        for (int x = right - 4 * 32; x < right; ++x) {
            ASSERT_TRUE(IsBlack(wide.At(x, y))) << x << "," << y;
        }
    }
    EXPECT_FALSE(IsBlack(wide.At(right, top + 42)));  // nothing below the digits' foot
}

TEST(Counters, CellSizeFollowsTheLayoutWidth)
{
    Table wide(1024, QSize(1024, 768));
    wide->DrawCreditsCounter(1000);
    // Scaled(620) = 793 on 1024: four 32 × 42 cells end there.
    EXPECT_EQ(ReadDigits(wide.surface, 793 - 5 * 32, 56, 5, true, true), " 1000");

    // Below 1000 the small cells, grown with the table: 20 x 26 at 999.
    Table narrow(999, QSize(999, 749));
    const int anchor = pictures::Scaling(999).Scaled(620);
    const int top = pictures::Scaling(999).Scaled(44);
    narrow->DrawCreditsCounter(1000);
    const int digits[4] = {1, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(narrow.At(anchor - (4 - i) * 20 + 10, top + 13), DigitColour(digits[i], true, false)) << i;
    }
    EXPECT_TRUE(IsBlack(narrow.At(anchor - 5 * 20 + 10, top + 13)));
    EXPECT_EQ(narrow.At(anchor - 10, top + 27), qRgb(7, 7, 7));
}

TEST(Counters, TenDigitsAreDrawnInFullAndLongerNumbersCut)
{
    Table t(800, QSize(800, 600));
    t->DrawCreditsCounter(1000000000);
    EXPECT_EQ(ReadDigits(t.surface, 620 - 11 * 16, 44, 11, true, false), " 1000000000");
    t->DrawWinningsCounter(2147483647);  // ten characters
    EXPECT_EQ(ReadDigits(t.surface, 440 - 10 * 16, 44, 10, false, false), "2147483647");
}

TEST(Counters, NegativeNumbersShowTheirSignWhole)
{
    // Here the 0 is an 8 unlit in its top half, the blank's colour: that half of the 8 is the sign.
    const QRgb sign = DigitColour(8, true, false);
    pictures::PictureSet set = Synthetic();
    QImage& strip = set.smallGreenDigits;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 16; ++x) strip.setPixel(x, y, y < 11 ? qRgb(1, 2, 3) : strip.pixel(8 * 16 + x, y));
    }
    Table t(800, QSize(800, 600), 0, set);
    t->DrawCreditsCounter(-25);
    EXPECT_EQ(ReadDigits(t.surface, 620 - 2 * 16, 44, 2, true, false), "25");
    EXPECT_EQ(t.At(620 - 3 * 16, 44), sign);
    EXPECT_EQ(t.At(620 - 3 * 16 + 8, 44 + 15), qRgb(1, 2, 3));  // where the 0 is lit too
    EXPECT_EQ(ReadDigits(t.surface, 620 - 4 * 16, 44, 1, true, false), " ");
    // The most negative value has eleven characters, all shown; the spare
    // cell stops at the Winnings figure's end, which a coin placed keeps.
    t->DrawWinningsCounter(7);
    t->DrawCreditsCounter(-2147483647 - 1);
    EXPECT_EQ(ReadDigits(t.surface, 620 - 10 * 16, 44, 10, true, false), "2147483648");
    EXPECT_EQ(t.At(620 - 11 * 16, 44), sign);
    EXPECT_EQ(ReadDigits(t.surface, 440 - 16, 44, 1, false, false), "7");
    t->DrawCoinsCounter(1);
    EXPECT_EQ(t.At(620 - 11 * 16, 44), sign);
}

TEST(BonusMeter, SliceFillsTheBoxAtEveryWidth)
{
    // On 1024 the box is (739, 285)-(839, 360): the slice is stretched over all of it.
    Table t(1024, QSize(1024, 768));
    EXPECT_EQ(t->DrawBonusMeter(5), QRect(739, 285, 100, 75));
    EXPECT_EQ(t.At(739, 285), MeterColour(5));
    EXPECT_EQ(t.At(838, 359), MeterColour(5));
    EXPECT_EQ(t.At(738, 300), qRgb(7, 7, 7));
    EXPECT_EQ(t.At(839, 300), qRgb(7, 7, 7));
    EXPECT_EQ(t.At(760, 360), qRgb(7, 7, 7));

    // On 640 the box (462, 178)-(524, 225) is smaller than the slice, which shrinks into it.
    Table small(640, QSize(640, 480));
    EXPECT_EQ(small->DrawBonusMeter(12), QRect(462, 178, 62, 47));
    EXPECT_EQ(small.At(462, 178), MeterColour(12));
    EXPECT_EQ(small.At(523, 224), MeterColour(12));
    EXPECT_EQ(small.At(461, 178), qRgb(7, 7, 7));
    EXPECT_EQ(small.At(462, 177), qRgb(7, 7, 7));
}

TEST(BonusMeter, LevelsOutsideTheMeterDrawTheNearestSlice)
{
    Table t(800, QSize(800, 600));
    t->DrawBonusMeter(15);
    EXPECT_EQ(t.At(578, 223), MeterColour(12));
    EXPECT_EQ(t.At(655, 281), MeterColour(12));
    t->DrawBonusMeter(-3);
    EXPECT_EQ(t.At(578, 223), MeterColour(0));
    EXPECT_EQ(t.At(655, 281), MeterColour(0));
    t->DrawBonusMeter(0);
    EXPECT_EQ(t.At(600, 250), MeterColour(0));
}

TEST(Buttons, HalvesGoToTheirRectangles)
{
    Table t(800, QSize(800, 600));
    EXPECT_EQ(t->DrawButton(engine::Button::Spin, false), QRect(577, 293, 78, 59));
    EXPECT_EQ(t.At(577, 293), ButtonColour(2, 0));
    EXPECT_EQ(t.At(654, 351), ButtonColour(2, 0));
    EXPECT_EQ(t->DrawButton(engine::Button::BetOne, true), QRect(577, 362, 78, 59));
    EXPECT_EQ(t.At(600, 400), ButtonColour(0, 1));
    EXPECT_EQ(t->DrawButton(engine::Button::BetFive, true), QRect(577, 432, 78, 59));
    EXPECT_EQ(t.At(600, 490), ButtonColour(1, 1));
    t->DrawButton(engine::Button::Spin, true);
    EXPECT_EQ(t.At(600, 300), ButtonColour(2, 1));
    EXPECT_EQ(t.At(600, 352), qRgb(7, 7, 7));
}

TEST(Buttons, AreStretchedOnWiderTables)
{
    Table t(1024, QSize(1024, 768));
    // (577, 362)-(655, 421) becomes (738, 463)-(838, 538).
    EXPECT_EQ(t->DrawButton(engine::Button::BetOne, false), QRect(738, 463, 100, 75));
    EXPECT_EQ(t.At(788, 500), ButtonColour(0, 0));
    EXPECT_EQ(t.At(738, 463), ButtonColour(0, 0));
    EXPECT_EQ(t.At(837, 537), ButtonColour(0, 0));
}

TEST(Buttons, HalvesFollowTheBetOneButtonsSize)
{
    pictures::PictureSet set = Synthetic();
    set.betOneButtonStrip = Solid(78, 40, qRgb(1, 1, 1));  // halves of 20 rows
    Table t(800, QSize(800, 600), 0, set);
    t->DrawButton(engine::Button::Spin, true);
    // Rows 20..39 of the spin picture, stretched to 59 rows: all still the dim half.
    EXPECT_EQ(t.At(600, 293), ButtonColour(2, 0));
    EXPECT_EQ(t.At(600, 351), ButtonColour(2, 0));
}

TEST(AttentionAreas, LitAreasShowTheBackgroundDimOnesTheirPicture)
{
    Table t(800, QSize(800, 600));
    EXPECT_EQ(t->DrawLogoPanel(false), QRect(247, 98, 302, 165));
    EXPECT_EQ(t.At(300, 150), DimColour(0));
    t->DrawLogoPanel(true);
    EXPECT_EQ(t.At(247, 98), BackgroundColour(247, 98));
    EXPECT_EQ(t.At(548, 262), BackgroundColour(548, 262));
    EXPECT_EQ(t->DrawTitlePlate(false), QRect(225, 545, 429, 45));
    EXPECT_EQ(t.At(653, 589), DimColour(1));
    t->DrawTitlePlate(true);
    EXPECT_EQ(t.At(400, 560), BackgroundColour(400, 560));
    EXPECT_EQ(t->DrawBetSign(false), QRect(560, 99, 84, 85));
    EXPECT_EQ(t.At(600, 150), DimColour(2));
    t->DrawBetSign(true);
    EXPECT_EQ(t.At(600, 150), BackgroundColour(600, 150));
}

TEST(AttentionAreas, AnAreaDrawnBeforeTheFirstFullRedrawStillLightsFromTheBackground)
{
    // The background laid down while the painter was made is kept by the
    // first full redraw, unless an area was drawn dim over it meanwhile.
    Table t(800, QSize(800, 600));
    drawing::TablePainter::DrawBackground(t.surface, t.pictures, drawing::TableMetrics{});
    t->BackgroundDrawn();
    t->DrawLogoPanel(false);
    t->FormPaint({1, 1, 1}, 0, 0, 0);
    t->DrawLogoPanel(true);
    EXPECT_EQ(t.At(300, 150), BackgroundColour(300, 150));
}

TEST(AttentionAreas, AreasUnderTheRecallMarkComeBackFromTheirPictures)
{
    // The mark covers the logo panel: neither state may bring it back.
    Table t(800, QSize(800, 600));
    t->FormPaint({1, 1, 1}, 0, 0, 0);
    t->DrawLogoPanel(false);
    t->DrawRecallMark(QStringLiteral("Game 3"));
    ASSERT_NE(t.At(300, 150), DimColour(0));
    t->DrawLogoPanel(true);
    EXPECT_EQ(t.At(300, 150), BackgroundColour(300, 150));
    t->DrawRecallMark(QStringLiteral("Game 3"));
    ASSERT_NE(t.At(300, 150), BackgroundColour(300, 150));
    t->DrawLogoPanel(false);
    EXPECT_EQ(t.At(300, 150), DimColour(0));
    t->DrawLogoPanel(true);
    EXPECT_EQ(t.At(300, 150), BackgroundColour(300, 150));
    t->DrawLogoPanel(false);
    EXPECT_EQ(t.At(300, 150), DimColour(0));
}

TEST(AttentionAreas, ASmallBackgroundLightsTheMissingPartBlack)
{
    pictures::PictureSet set = Synthetic();
    set.tableBackground = Background(400, 300);  // the logo panel's rectangle is partly outside
    Table t(800, QSize(800, 600), 0, set);
    t->DrawLogoPanel(true);
    EXPECT_EQ(t.At(300, 150), BackgroundColour(300, 150));
    EXPECT_TRUE(IsBlack(t.At(450, 150)));
    EXPECT_FALSE(IsBlack(t.At(300, 262)));
    t->DrawTitlePlate(true);  // wholly outside
    EXPECT_TRUE(IsBlack(t.At(400, 560)));
}

TEST(Labels, FontFollowsLayoutWidthAndResolution)
{
    using drawing::TablePainter;
    const QFont normal = TablePainter::LabelFontFor(1024, 120);
    EXPECT_EQ(normal.pixelSize(), 17);  // 10 pt at 120 dpi
    EXPECT_FALSE(normal.bold());
    const QFont lowDpi = TablePainter::LabelFontFor(1024, 96);
    EXPECT_EQ(lowDpi.pixelSize(), 13);
    EXPECT_TRUE(lowDpi.bold());
    const QFont narrow = TablePainter::LabelFontFor(899, 96);
    EXPECT_EQ(narrow.pixelSize(), 11);  // 8 pt, regular whatever the resolution
    EXPECT_FALSE(narrow.bold());
    EXPECT_EQ(TablePainter::LabelFontFor(900, 96).pixelSize(), 13);
    EXPECT_EQ(normal.styleHint(), QFont::SansSerif);
}

TEST(Labels, AreAnchoredAsTheCountersAre)
{
    Table t(800, QSize(800, 600));
    t.surface.fill(Qt::black);
    t->DrawLabels();
    const QFontMetrics metrics(drawing::TablePainter::LabelFontFor(800, 96));
    const int height = metrics.height();
    // "Credits" ends at 620, "Winnings" at 440, "Coins" starts at 250; all from y 30.
    const auto credits = WhiteColumns(t.surface, 500, 700, 30, height);
    EXPECT_LE(credits.second, 620);
    EXPECT_GE(credits.second, 614);
    EXPECT_EQ(620 - metrics.horizontalAdvance(QStringLiteral("Credits")) <= credits.first, true);
    const auto winnings = WhiteColumns(t.surface, 330, 500, 30, height);
    EXPECT_LE(winnings.second, 440);
    EXPECT_GE(winnings.second, 434);
    const auto coins = WhiteColumns(t.surface, 200, 330, 30, height);
    EXPECT_GE(coins.first, 250);
    EXPECT_LE(coins.first, 253);
    // Nothing white above the top or far below it.
    EXPECT_EQ(WhiteColumns(t.surface, 200, 700, 0, 30).first, -1);
    EXPECT_EQ(WhiteColumns(t.surface, 200, 700, 30 + height, 40).first, -1);
}

TEST(Labels, RedrawingKeepsTheSamePixels)
{
    Table t(1024, QSize(1024, 768));
    t->DrawWinningsCaption();
    const QImage once = t.surface.copy();
    for (int i = 0; i < 5; ++i) {
        t->DrawWinningsCaption();
    }
    EXPECT_EQ(t.surface, once);
}

TEST(FormPaint, DrawsTheWholeTableInOrder)
{
    Table t(800, QSize(800, 600));
    EXPECT_EQ(t->FormPaint(engine::StartStops, 1000, 0, 4), QRect(0, 0, 800, 600));
    EXPECT_EQ(t.At(10, 10), BackgroundColour(10, 10));
    EXPECT_EQ(t.At(799, 599), BackgroundColour(799, 599));
    // The start stops show symbol 0 on the payline of every reel.
    EXPECT_EQ(t.At(258 + 38, 272 + 76 + 10), CellColour(0));
    EXPECT_EQ(t.At(362 + 38, 272 + 76 + 10), CellColour(0));
    EXPECT_EQ(t.At(466 + 38, 272 + 76 + 10), CellColour(0));
    EXPECT_TRUE(IsRed(t.At(400, 386)));
    EXPECT_EQ(ReadDigits(t.surface, 540, 44, 5, true, false), " 1000");
    EXPECT_EQ(ReadDigits(t.surface, 250, 44, 2, true, false), "0 ");
    EXPECT_TRUE(IsBlack(t.At(330, 60)));  // the Winnings field
    EXPECT_EQ(t.At(600, 250), MeterColour(4));
    EXPECT_EQ(t.At(600, 300), ButtonColour(2, 1));
    EXPECT_EQ(t.At(600, 400), ButtonColour(0, 1));
    EXPECT_EQ(t.At(600, 450), ButtonColour(1, 1));
    // Labels are on top of the background.
    EXPECT_NE(WhiteColumns(t.surface, 500, 620, 30, 14).first, -1);
}

TEST(FormPaint, TheStripBelowTheBackgroundIsBlack)
{
    // 1280 × 1024: the background covers (0, 0)-(1280, 960).
    Table t(1280, QSize(1270, 990));
    t->FormPaint(engine::StartStops, 1000, 0, 0);
    EXPECT_FALSE(IsBlack(t.At(100, 959)));
    EXPECT_TRUE(IsBlack(t.At(100, 960)));
    EXPECT_TRUE(IsBlack(t.At(1269, 989)));
}

TEST(FormPaint, AReplacementBackgroundIsStretchedToItsScaledSize)
{
    pictures::PictureSet set = Synthetic();
    QImage replacement(400, 300, QImage::Format_RGB32);
    replacement.fill(qRgb(10, 200, 30));
    set.tableBackground = replacement;
    Table t(1024, QSize(1014, 740), 0, set);
    t->FormPaint(engine::StartStops, 0, 0, 0);
    // Scaled(400) × Scaled(300) = 512 × 384.
    // (Reels, counters and labels lie over parts of it; these points are clear of them.)
    EXPECT_EQ(t.At(0, 0), qRgb(10, 200, 30));
    EXPECT_EQ(t.At(511, 5), qRgb(10, 200, 30));
    EXPECT_EQ(t.At(5, 383), qRgb(10, 200, 30));
    EXPECT_EQ(t.At(200, 200), qRgb(10, 200, 30));
    EXPECT_TRUE(IsBlack(t.At(512, 5)));
    EXPECT_TRUE(IsBlack(t.At(5, 384)));
    EXPECT_TRUE(IsBlack(t.At(1000, 700)));
}

TEST(FormPaint, ABackgroundLargerThanTheWindowIsCut)
{
    pictures::PictureSet set = Synthetic();
    set.tableBackground = Background(1600, 1200);
    Table t(800, QSize(790, 560), 0, set);
    t->FormPaint(engine::StartStops, 0, 0, 0);
    EXPECT_EQ(t.At(789, 559), BackgroundColour(789, 559));
}

TEST(FormPaint, WideScreensCentreTheTable)
{
    // 1920 × 1080: the table is laid out 1440 wide and centred in a 1910-pixel client area.
    const int layout = pictures::LayoutWidthFor(1920, 1080);
    const int tableWidth = pictures::Scaling(layout).Scaled(800);
    const int origin = (1910 - tableWidth) / 2;
    ASSERT_EQ(layout, 1440);
    ASSERT_EQ(origin, 235);
    Table t(layout, QSize(1910, 1050), origin);
    t->FormPaint(engine::StartStops, 1000, 0, 0);
    EXPECT_TRUE(IsBlack(t.At(origin - 1, 100)));
    EXPECT_TRUE(IsBlack(t.At(origin + tableWidth, 100)));
    EXPECT_FALSE(IsBlack(t.At(origin, 100)));
    EXPECT_FALSE(IsBlack(t.At(origin + tableWidth - 1, 100)));

    const pictures::Scaling s(layout);
    EXPECT_EQ(t->Geometry().ReelLeft, origin + s.Scaled(258));
    EXPECT_EQ(t->ReelWindow(1).left(), origin + s.Scaled(258) + s.Scaled(104));
    const int paylineY = s.Scaled(272) + s.Scaled(76) + s.Scaled(76) / 2;
    EXPECT_TRUE(IsRed(t.At(origin + s.Scaled(241), paylineY)));
    EXPECT_FALSE(IsRed(t.At(origin + s.Scaled(241) - 1, paylineY)));
    // The large cells grown with the table: 45 x 59 on 1440, the figure ending at its anchor.
    const int cell = 45;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t.At(origin + s.Scaled(620) - (4 - i) * cell + cell / 2, s.Scaled(44) + 30),
                  DigitColour(i == 0 ? 1 : 0, true, true))
            << i;
    }
    const QRect spin = t->DrawButton(engine::Button::Spin, false);
    EXPECT_EQ(spin.left(), origin + s.Scaled(577));
    const QRect meter = t->DrawBonusMeter(3);
    EXPECT_EQ(meter, QRect(QPoint(origin + s.Scaled(578), s.Scaled(223)),
                           QPoint(origin + s.Scaled(656) - 1, s.Scaled(282) - 1)));
}
