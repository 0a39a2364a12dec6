// Stretching a picture straight into a surface: the same pixels as a
// stretched copy laid down there, clipped to the surface, nothing else touched.
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>

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

TEST(SwapUnscaled, ExchangesThePixelsTwiceOverAndOnlyInsideTheSurface)
{
    QImage surface = Gradient(40, 30);
    const QImage before = surface;
    const QImage picture = Gradient(20, 20).mirrored(true, true);
    QImage held = picture;

    EXPECT_EQ(pictures::SwapUnscaled(surface, QPoint(30, 5), held), QRect(30, 5, 10, 20));
    EXPECT_EQ(surface.pixel(30, 5), picture.pixel(0, 0));
    EXPECT_EQ(surface.pixel(39, 24), picture.pixel(9, 19));
    EXPECT_EQ(held.pixel(0, 0), before.pixel(30, 5));
    EXPECT_EQ(held.pixel(15, 0), picture.pixel(15, 0));  // its part off the surface stays
    EXPECT_EQ(surface.pixel(29, 5), before.pixel(29, 5));

    pictures::SwapUnscaled(surface, QPoint(30, 5), held);
    EXPECT_EQ(surface, before);
    EXPECT_EQ(held, picture);
}

namespace {

// The largest difference of any colour channel between two pictures of one size.
int LargestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max(
                {largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

pictures::RowSource RowsOf(const QImage& picture, int rowsThere)
{
    return [picture, rowsThere, row = 0](unsigned char* line) mutable {
        if (row >= rowsThere) return false;
        std::memcpy(line, picture.constScanLine(row++), static_cast<size_t>(picture.width()) * 4);
        return true;
    };
}

}  // namespace

TEST(DrawStretchedFromRows, BandsOfRowsDrawWhatTheWholePictureDraws)
{
    // Shrunk, as a variant is drawn, and magnified, at an offset and cut by the surface.
    const QImage src = Gradient(300, 400);
    for (const QSize size : {QSize(270, 360), QSize(307, 351), QSize(690, 920)}) {
        QImage whole(500, 700, QImage::Format_RGB32);
        whole.fill(qRgb(1, 2, 3));
        QImage banded = whole;
        const QRect expected = pictures::DrawStretched(whole, QPoint(7, -5), src, size);
        const QRect changed =
            pictures::DrawStretchedFromRows(banded, QPoint(7, -5), size, src.size(), RowsOf(src, 400));
        EXPECT_EQ(changed, expected);
        EXPECT_LE(LargestDifference(banded, whole), 1) << size.width() << "x" << size.height();
    }
}

TEST(DrawStretchedFromRows, RowsThatStopEarlyLeaveTheRestBlack)
{
    const QImage src = Gradient(100, 200);
    QImage surface(100, 200, QImage::Format_RGB32);
    surface.fill(qRgb(9, 9, 9));
    pictures::DrawStretchedFromRows(surface, QPoint(0, 0), QSize(100, 200), src.size(), RowsOf(src, 120));
    EXPECT_EQ(surface.pixel(50, 20), src.pixel(50, 20));
    EXPECT_EQ(surface.pixel(50, 199), pictures::Black);
    EXPECT_EQ(surface.pixel(50, 130), pictures::Black);
}
