// The bonus pictures: the eight box hit areas, each closed box filling its own, gaps that show only
// the backdrop, and a calm dark place on the prize picture for the prize's text.
#include <gtest/gtest.h>

#include <QPainter>

#include "BonusPictures.h"
#include "PixelChecks.h"
#include "pictures/TableLayout.h"

namespace {

using pictures::layout::BoxArea;

QImage Backdrop()
{
    QImage image(640, 480, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    artwork::PaintBonusBackdrop(p);
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

bool IsBox(const QImage& picture, const QImage& backdrop, int x, int y)
{
    return arttest::Difference(picture.pixel(x, y), backdrop.pixel(x, y)) > 24;
}

TEST(BonusPictures, BoxAreasAreTheEightHitAreas)
{
    const int lefts[] = {400, 505};
    const int tops[] = {30, 125, 220, 315};
    for (int box = 1; box <= 8; ++box) {
        const QRect area = BoxArea(box);
        EXPECT_EQ(area.left(), lefts[(box - 1) / 4]) << box;
        EXPECT_EQ(area.right(), lefts[(box - 1) / 4] + 85) << box;
        EXPECT_EQ(area.top(), tops[(box - 1) % 4]) << box;
        EXPECT_EQ(area.bottom(), tops[(box - 1) % 4] + 85) << box;
    }
}

TEST(BonusPictures, EachClosedBoxFillsItsHitArea)
{
    const QImage picture = arttest::Resource(":/bonus/bonus1.png");
    const QImage backdrop = Backdrop();
    for (int box = 1; box <= 8; ++box) {
        const QRect area = BoxArea(box);
        int covered = 0;
        QRect ink;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (IsBox(picture, backdrop, x, y)) {
                    ++covered;
                    ink |= QRect(x, y, 1, 1);
                }
        EXPECT_GT(covered, area.width() * area.height() * 6 / 10) << "box " << box;
        EXPECT_GE(ink.width(), area.width() * 9 / 10) << "box " << box;
        EXPECT_GE(ink.height(), area.height() * 9 / 10) << "box " << box;
    }
}

TEST(BonusPictures, GapsBetweenTheBoxesShowOnlyTheBackground)
{
    const QImage picture = arttest::Resource(":/bonus/bonus1.png");
    const QImage backdrop = Backdrop();
    // Everything in the boxes' column that belongs to no box, one pixel clear of the
    // areas so that antialiased edges may touch their own border.
    const QRect column(396, 26, 199, 379);
    for (int y = column.top(); y <= column.bottom(); ++y) {
        for (int x = column.left(); x <= column.right(); ++x) {
            bool nearBox = false;
            for (int box = 1; box <= 8; ++box) nearBox = nearBox || BoxArea(box).adjusted(-1, -1, 1, 1).contains(x, y);
            if (nearBox) continue;
            ASSERT_FALSE(IsBox(picture, backdrop, x, y)) << "box paint in the gap at " << x << "," << y;
        }
    }
}

TEST(BonusPictures, PrizePictureLeavesACalmDarkPlaceForThePrize)
{
    const QImage picture = arttest::Resource(":/bonus/bonus3.png");
    // "250 Credits!" in 24-point bold yellow at (40, 200), whether that is its top or its baseline.
    const QRect place(30, 165, 320, 90);
    int brightest = 0;
    for (int y = place.top(); y <= place.bottom(); ++y)
        for (int x = place.left(); x <= place.right(); ++x)
            brightest = std::max(brightest, arttest::Brightness(picture.pixel(x, y)));
    EXPECT_LT(brightest, 110) << "yellow text needs a dark ground";
    // Calm: neighbouring pixels hardly differ, so nothing competes with the text.
    int roughest = 0;
    for (int y = place.top(); y < place.bottom(); ++y)
        for (int x = place.left(); x < place.right(); ++x)
            roughest = std::max({roughest, arttest::Difference(picture.pixel(x, y), picture.pixel(x + 1, y)),
                                 arttest::Difference(picture.pixel(x, y), picture.pixel(x, y + 1))});
    EXPECT_LE(roughest, 4);
}

}  // namespace
