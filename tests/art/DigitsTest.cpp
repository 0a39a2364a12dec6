// The digit strips: ten digits, a blank and a narrower colon, each digit lit in its own segments,
// no cell bleeding into the next, and red or green as named.
#include <gtest/gtest.h>

#include <vector>

#include "PixelChecks.h"

namespace {

struct Strip {
    const char* path;
    int cell;  // cell width
    int height;
    int colon;  // colon cell width
    bool green;
};

const Strip Strips[] = {
    {":/pictures/SmallRedDigits.png", 16, 21, 12, false},
    {":/pictures/SmallGreenDigits.png", 16, 21, 12, true},
    {":/pictures/LargeRedDigits.png", 32, 42, 24, false},
    {":/pictures/LargeGreenDigits.png", 32, 42, 24, true},
};

// A pixel counts as lit when the strip's own colour is bright in it.
bool Lit(const Strip& s, QRgb p)
{
    return (s.green ? qGreen(p) : qRed(p)) > 128;
}

// The lit pixels of cell `index` (0..9 digits, 10 blank), as a mask over the cell.
std::vector<bool> LitMask(const QImage& strip, const Strip& s, int index, int width)
{
    std::vector<bool> mask(static_cast<size_t>(width * s.height));
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < width; ++x)
            mask[static_cast<size_t>(y * width + x)] = Lit(s, strip.pixel(index * s.cell + x, y));
    return mask;
}

size_t Count(const std::vector<bool>& mask)
{
    return static_cast<size_t>(std::count(mask.begin(), mask.end(), true));
}

TEST(Digits, StripsHoldTenDigitsABlankAndANarrowerColon)
{
    for (const Strip& s : Strips) {
        const QImage strip = arttest::Resource(QString::fromLatin1(s.path));
        EXPECT_EQ(strip.width(), 10 * s.cell + s.cell + s.colon) << s.path;
        EXPECT_EQ(strip.height(), s.height) << s.path;
        EXPECT_EQ(Count(LitMask(strip, s, 10, s.cell)), 0u) << s.path << ": the blank cell lights nothing";
        // The colon cell starts after the blank and lights something.
        int lit = 0;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.colon; ++x) lit += Lit(s, strip.pixel(11 * s.cell + x, y)) ? 1 : 0;
        EXPECT_GT(lit, 0) << s.path << ": the colon shows its dots";
    }
}

TEST(Digits, EightLightsEverySegmentOfEveryOtherDigit)
{
    for (const Strip& s : Strips) {
        const QImage strip = arttest::Resource(QString::fromLatin1(s.path));
        const auto eight = LitMask(strip, s, 8, s.cell);
        for (int d = 0; d <= 9; ++d) {
            const auto digit = LitMask(strip, s, d, s.cell);
            for (size_t i = 0; i < digit.size(); ++i) {
                ASSERT_FALSE(digit[i] && !eight[i]) << s.path << ": digit " << d << " lights a pixel that 8 does not";
            }
        }
    }
}

TEST(Digits, EveryDigitLooksDifferentAndOneIsTheLeanest)
{
    for (const Strip& s : Strips) {
        const QImage strip = arttest::Resource(QString::fromLatin1(s.path));
        std::vector<std::vector<bool>> masks;
        for (int d = 0; d <= 9; ++d) masks.push_back(LitMask(strip, s, d, s.cell));
        for (int a = 0; a <= 9; ++a) {
            EXPECT_GT(Count(masks[static_cast<size_t>(a)]), 0u) << s.path << ": digit " << a;
            for (int b = a + 1; b <= 9; ++b)
                EXPECT_NE(masks[static_cast<size_t>(a)], masks[static_cast<size_t>(b)])
                    << s.path << ": " << a << " and " << b;
            if (a != 1) {
                EXPECT_LT(Count(masks[1]), Count(masks[static_cast<size_t>(a)])) << s.path << ": 1 against " << a;
            }
        }
        EXPECT_GT(Count(masks[8]), Count(masks[0]));
    }
}

TEST(Digits, ZeroAndEightDifferOnlyInTheMiddleBar)
{
    for (const Strip& s : Strips) {
        const QImage strip = arttest::Resource(QString::fromLatin1(s.path));
        const auto zero = LitMask(strip, s, 0, s.cell);
        const auto eight = LitMask(strip, s, 8, s.cell);
        int middle = 0;
        for (int y = 0; y < s.height; ++y) {
            for (int x = 0; x < s.cell; ++x) {
                const size_t i = static_cast<size_t>(y * s.cell + x);
                if (eight[i] == zero[i]) continue;
                EXPECT_TRUE(y > s.height / 3 && y < 2 * s.height / 3) << s.path << ": difference at row " << y;
                ++middle;
            }
        }
        EXPECT_GT(middle, 0) << s.path;
    }
}

TEST(Digits, CellsDoNotBleedIntoTheirNeighbours)
{
    for (const Strip& s : Strips) {
        const QImage strip = arttest::Resource(QString::fromLatin1(s.path));
        for (int index = 0; index <= 10; ++index) {
            for (int y = 0; y < s.height; ++y) {
                // Edge columns stay black: a digit copied beside another never touches it.
                EXPECT_LE(arttest::Brightness(strip.pixel(index * s.cell, y)), 8) << s.path << " cell " << index;
                EXPECT_LE(arttest::Brightness(strip.pixel(index * s.cell + s.cell - 1, y)), 8)
                    << s.path << " cell " << index;
            }
        }
    }
}

TEST(Digits, RedStripsAreRedAndGreenStripsGreen)
{
    for (const Strip& s : Strips) {
        const QImage strip = arttest::Resource(QString::fromLatin1(s.path));
        int lit = 0;
        for (int y = 0; y < s.height; ++y) {
            for (int x = 0; x < 10 * s.cell; ++x) {
                const QRgb p = strip.pixel(x, y);
                if (!Lit(s, p)) continue;
                ++lit;
                if (s.green) {
                    EXPECT_GE(qGreen(p), qRed(p)) << s.path;
                } else {
                    EXPECT_GE(qRed(p), qGreen(p)) << s.path;
                }
            }
        }
        EXPECT_GT(lit, 0) << s.path;
    }
}

TEST(Digits, UnlitSegmentsShowInNoDigit)
{
    // Away from a digit's lit segments and their glow its cell is black, in
    // every digit alike and in the blank: no faint 8 stands behind a 1.
    for (const Strip& s : Strips) {
        const QImage strip = arttest::Resource(QString::fromLatin1(s.path));
        const int reach = s.cell / 4;
        for (int index = 0; index <= 10; ++index) {
            const auto lit = LitMask(strip, s, index, s.cell);
            const auto near = [&](int x, int y) {
                for (int dy = -reach; dy <= reach; ++dy)
                    for (int dx = -reach; dx <= reach; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx >= 0 && nx < s.cell && ny >= 0 && ny < s.height &&
                            lit[static_cast<size_t>(ny * s.cell + nx)])
                            return true;
                    }
                return false;
            };
            for (int y = 0; y < s.height; ++y) {
                for (int x = 0; x < s.cell; ++x) {
                    if (near(x, y)) continue;
                    ASSERT_LE(arttest::Brightness(strip.pixel(index * s.cell + x, y)), 8)
                        << s.path << " cell " << index << " at " << x << ", " << y;
                }
            }
        }
    }
}

}  // namespace
