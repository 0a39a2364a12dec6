// Scaled() and the layout width of common screens.
#include <gtest/gtest.h>

#include "pictures/Scaling.h"

using pictures::LayoutWidthFor;
using pictures::Scaling;

TEST(Scaling, KeepsTheShortfallOfTheRatioOnWideScreens)
{
    // 2.4 and 1.44 are held just below their value; the product must not round it away.
    EXPECT_EQ(Scaling(1920).Scaled(800), 1919);
    EXPECT_EQ(Scaling(1920).Scaled(600), 1439);
    EXPECT_EQ(Scaling(1152).Scaled(800), 1151);
    EXPECT_EQ(Scaling(800).Scaled(800), 800);
    EXPECT_EQ(Scaling(1024).Scaled(800), 1024);
}

TEST(Scaling, TruncatesTowardZero)
{
    EXPECT_EQ(Scaling(640).Scaled(258), 206);
    EXPECT_EQ(Scaling(640).Scaled(76), 60);
    EXPECT_EQ(Scaling(1024).Scaled(557), 712);
    EXPECT_EQ(Scaling(1024).Scaled(-1), -1);  // -1.28 truncates to -1, not -2
    EXPECT_EQ(Scaling(1024).Scaled(0), 0);
}

TEST(Scaling, ReelGeometryOfTheCommonWidths)
{
    const Scaling s1024(1024);
    EXPECT_EQ(s1024.Scaled(258), 330);
    EXPECT_EQ(s1024.Scaled(272), 348);
    EXPECT_EQ(s1024.Scaled(76), 97);
    EXPECT_EQ(s1024.Scaled(104), 133);
    EXPECT_EQ(s1024.Scaled(61), 78);
    EXPECT_EQ(s1024.Scaled(10), 12);
}

TEST(Scaling, LayoutWidthIsTheWidest43TableThatFits)
{
    EXPECT_EQ(LayoutWidthFor(800, 600), 800);
    EXPECT_EQ(LayoutWidthFor(1024, 768), 1024);
    EXPECT_EQ(LayoutWidthFor(1280, 1024), 1280);  // 5:4 keeps its width
    EXPECT_EQ(LayoutWidthFor(1920, 1080), 1440);
    EXPECT_EQ(LayoutWidthFor(2560, 1080), 1440);
    EXPECT_EQ(LayoutWidthFor(1366, 768), 1024);
    EXPECT_EQ(LayoutWidthFor(1920, 1200), 1600);
    EXPECT_EQ(Scaling(LayoutWidthFor(1920, 1080)).Scaled(600), 1080);
}

TEST(Scaling, TheTableIsCentredInTheClientArea)
{
    // 1024 x 768 less a frame and a menu bar: the height decides, centred across.
    const pictures::TablePlace low = pictures::PlaceTable(QSize(1014, 733));
    EXPECT_EQ(low.scaling.LayoutWidth(), 977);
    EXPECT_EQ(low.scaling.TableSize(), QSize(976, 732));  // Scaled(800) truncates
    EXPECT_EQ(low.origin, QPoint((1014 - 976) / 2, 0));
    // A tall area: the width decides, centred down.
    const pictures::TablePlace tall = pictures::PlaceTable(QSize(800, 700));
    EXPECT_EQ(tall.scaling.TableSize(), QSize(800, 600));
    EXPECT_EQ(tall.origin, QPoint(0, 50));
    // An empty area still gets a table, at the corner.
    const pictures::TablePlace none = pictures::PlaceTable(QSize(0, 0));
    EXPECT_EQ(none.scaling.LayoutWidth(), 1);
    EXPECT_EQ(none.origin, QPoint(0, 0));
}
