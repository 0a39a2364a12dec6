// PNG pictures read a row at a time: the same pixels as the toolkit reads,
// transparent parts over black, damaged data stopping without harm.
#include <QBuffer>
#include <QPainter>

#include <gtest/gtest.h>

#include "pictures/PngRows.h"

namespace {

QByteArray AsPng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage ReadAll(pictures::PngRowReader& reader)
{
    QImage image(reader.Size(), QImage::Format_RGB32);
    image.fill(qRgb(7, 7, 7));
    for (int y = 0; y < image.height() && reader.ReadRow(image.scanLine(y)); ++y) {}
    return image;
}

}  // namespace

TEST(PngRowReader, ReadsOpaqueAndTransparentPicturesAsTheyAreShown)
{
    QImage opaque(37, 21, QImage::Format_RGB32);
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 37; ++x) opaque.setPixel(x, y, qRgb(x * 6, y * 12, (x * y) % 256));
    }
    const QByteArray opaqueBytes = AsPng(opaque);
    pictures::PngRowReader opaqueRows(opaqueBytes);
    ASSERT_EQ(opaqueRows.Size(), QSize(37, 21));
    EXPECT_EQ(ReadAll(opaqueRows), opaque);
    unsigned char spare[37 * 4];
    EXPECT_FALSE(opaqueRows.ReadRow(spare));  // no row past the last

    QImage translucent(4, 2, QImage::Format_ARGB32);
    translucent.fill(qRgba(200, 100, 50, 255));
    translucent.setPixel(1, 0, qRgba(0, 0, 0, 0));
    translucent.setPixel(2, 1, qRgba(255, 255, 255, 0));
    const QByteArray translucentBytes = AsPng(translucent);
    pictures::PngRowReader translucentRows(translucentBytes);
    const QImage read = ReadAll(translucentRows);
    EXPECT_EQ(read.pixel(0, 0), qRgb(200, 100, 50));
    EXPECT_EQ(read.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(read.pixel(2, 1), qRgb(0, 0, 0));
}

TEST(PngRowReader, DamagedOrForeignDataReadsNoRowsItDoesNotHave)
{
    const QByteArray notPng("BM this is a bitmap's start, not a PNG file");
    pictures::PngRowReader foreign(notPng);
    EXPECT_TRUE(foreign.Size().isEmpty());
    unsigned char line[64];
    EXPECT_FALSE(foreign.ReadRow(line));

    QImage picture(16, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 16; ++x) picture.setPixel(x, y, qRgb((x * 31 + y * 17) % 256, (y * 7) % 256, x * 9));
    }
    const QByteArray cut = AsPng(picture).left(AsPng(picture).size() / 2);
    pictures::PngRowReader truncated(cut);
    ASSERT_EQ(truncated.Size(), QSize(16, 300));
    QImage read(16, 300, QImage::Format_RGB32);
    int rows = 0;
    while (rows < 300 && truncated.ReadRow(read.scanLine(rows))) ++rows;
    EXPECT_LT(rows, 300);
    EXPECT_FALSE(truncated.ReadRow(read.scanLine(0)));  // stays stopped
}
