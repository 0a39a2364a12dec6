// Stretching a picture straight into a surface: the same pixels as a
// stretched copy laid down there, clipped to the surface, nothing else touched.
#include <QPainter>

#include <gtest/gtest.h>

#include "pictures/SurfaceCopy.h"

namespace {

// A picture whose pixels all differ, so that any shift or other filtering shows.
QImage Gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x * 7 + y * 13) % 256));
    }
    return image;
}

}  // namespace

TEST(DrawStretched, MatchesAStretchedCopyAndStaysInsideTheSurface)
{
    const QImage src = Gradient(80, 60);
    const QSize size(173, 131);
    QImage copied(150, 120, QImage::Format_RGB32);
    copied.fill(qRgb(1, 2, 3));
    QImage direct = copied;

    pictures::CopyUnscaled(copied, QPoint(9, 5), pictures::Stretched(src, size));
    const QRect changed = pictures::DrawStretched(direct, QPoint(9, 5), src, size);

    EXPECT_EQ(changed, QRect(9, 5, 141, 115));  // cut at the surface's edges
    EXPECT_EQ(direct, copied);
    EXPECT_EQ(direct.pixel(8, 50), qRgb(1, 2, 3));
}

TEST(DrawStretched, AMissingPictureIsBlackAndAnOffSurfacePlaceDrawsNothing)
{
    QImage surface(40, 30, QImage::Format_RGB32);
    surface.fill(qRgb(9, 9, 9));
    EXPECT_EQ(pictures::DrawStretched(surface, QPoint(10, 10), QImage(), QSize(100, 100)), QRect(10, 10, 30, 20));
    EXPECT_EQ(surface.pixel(39, 29), pictures::Black);
    EXPECT_EQ(surface.pixel(9, 29), qRgb(9, 9, 9));
    EXPECT_TRUE(pictures::DrawStretched(surface, QPoint(50, 0), Gradient(8, 8), QSize(16, 16)).isEmpty());
}
