// The blinking areas: dim pictures the size of their place on the table, frames alike lit or dim,
// bulbs on in the table and off in the dim picture, and one drawing for both.
#include <gtest/gtest.h>

#include <functional>

#include "AttentionAreas.h"
#include "PixelChecks.h"
#include "pictures/TableLayout.h"

namespace {

struct Area {
    const char* name;
    const char* dimPicture;
    QRect rect;
    std::function<QList<QPointF>()> bulbs;
};

const Area Areas[] = {
    {"logo panel", ":/pictures/UnlitLogoPanel.png", pictures::layout::LogoPanel, artwork::LogoPanelBulbs},
    {"title plate", ":/pictures/UnlitTitlePlate.png", pictures::layout::TitlePlate, artwork::TitlePlateBulbs},
    {"bet sign", ":/pictures/UnlitBetSign.png", pictures::layout::BetSign, artwork::BetSignBulbs},
};

TEST(AttentionAreas, DimPicturesHaveTheSizeOfTheirAreaOnTheTable)
{
    EXPECT_EQ(QRect(247, 98, 302, 165), pictures::layout::LogoPanel);
    EXPECT_EQ(QRect(225, 545, 429, 45), pictures::layout::TitlePlate);
    EXPECT_EQ(QRect(560, 99, 84, 85), pictures::layout::BetSign);
    for (const Area& area : Areas) {
        const QImage dim = arttest::Resource(QString::fromLatin1(area.dimPicture));
        EXPECT_EQ(dim.size(), area.rect.size()) << area.name;
    }
}

TEST(AttentionAreas, LitAndDimFramesMatchPixelForPixel)
{
    const QImage table = arttest::Resource(":/pictures/TableBackground.png");
    for (const Area& area : Areas) {
        const QImage lit = table.copy(area.rect);
        const QImage dim = arttest::Resource(QString::fromLatin1(area.dimPicture));
        const int w = lit.width(), h = lit.height();
        // The outer three pixels all round are frame: the same whether the light is on or off.
        for (const QRect& edge : {QRect(0, 0, w, 3), QRect(0, h - 3, w, 3), QRect(0, 0, 3, h), QRect(w - 3, 0, 3, h)}) {
            EXPECT_EQ(arttest::MaxDifference(lit, dim, edge), 0) << area.name;
        }
    }
}

TEST(AttentionAreas, LampsAreOnInTheTableAndOffInTheDimPicture)
{
    const QImage table = arttest::Resource(":/pictures/TableBackground.png");
    for (const Area& area : Areas) {
        const QImage lit = table.copy(area.rect);
        const QImage dim = arttest::Resource(QString::fromLatin1(area.dimPicture));
        const QList<QPointF> bulbs = area.bulbs();
        ASSERT_FALSE(bulbs.isEmpty()) << area.name;
        for (const QPointF& bulb : bulbs) {
            const QRect spot(qRound(bulb.x()) - 1, qRound(bulb.y()) - 1, 3, 3);
            ASSERT_TRUE(lit.rect().contains(spot)) << area.name;
            EXPECT_GT(arttest::MeanBrightness(lit, spot) - arttest::MeanBrightness(dim, spot), 80)
                << area.name << " bulb at " << bulb.x() << "," << bulb.y();
        }
        EXPECT_GT(arttest::MeanBrightness(lit, lit.rect()), arttest::MeanBrightness(dim, dim.rect()) + 15) << area.name;
    }
}

TEST(AttentionAreas, SameCodeDrawsTheTableCopyAndTheLitArea)
{
    const QImage table = arttest::Resource(":/pictures/TableBackground.png");
    EXPECT_EQ(table.copy(pictures::layout::LogoPanel), artwork::LogoPanel(true).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(table.copy(pictures::layout::BetSign), artwork::BetSign(true).convertToFormat(QImage::Format_RGB32));
}

}  // namespace
