// The drawing helpers: the blur and its wrap around a loop, colour mixing, the unlit layer, and
// text centred by its ink.
#include <gtest/gtest.h>

#include <QPainter>

#include "Paint.h"
#include "PixelChecks.h"

namespace {

QImage OneBrightRow(int row)
{
    QImage image = artwork::NewCanvas(QSize(4, 40), Qt::black);
    for (int x = 0; x < 4; ++x) image.setPixel(x, row, qRgb(255, 255, 255));
    return image;
}

TEST(PaintHelpers, VerticalBlurWrapsAroundALoopOnlyWhenAsked)
{
    const QImage top = OneBrightRow(0);
    const QImage looped = artwork::Blurred(top, 0, 3, true);
    const QImage clamped = artwork::Blurred(top, 0, 3, false);
    // Looped, the bright top row spreads into the bottom rows as into the rows below it.
    EXPECT_GT(qRed(looped.pixel(1, 39)), 20);
    EXPECT_EQ(qRed(looped.pixel(1, 39)), qRed(looped.pixel(1, 1)));
    EXPECT_EQ(qRed(clamped.pixel(1, 39)), 0);
    EXPECT_GT(qRed(clamped.pixel(1, 1)), 20);
    // Horizontal radius 0 leaves columns independent; a row far away stays black.
    EXPECT_EQ(qRed(looped.pixel(1, 20)), 0);
}

TEST(PaintHelpers, BlurKeepsAFlatPictureFlat)
{
    const QImage flat = artwork::NewCanvas(QSize(9, 9), QColor(90, 40, 120));
    const QImage blurred = artwork::Blurred(flat, 3, 3, true);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(blurred.pixel(x, y), flat.pixel(x, y));
}

TEST(PaintHelpers, MixRunsFromTheFirstColourToTheSecond)
{
    const QColor a(0, 100, 200), b(200, 100, 0);
    EXPECT_EQ(artwork::Mix(a, b, 0.0).rgb(), a.rgb());
    EXPECT_EQ(artwork::Mix(a, b, 1.0).rgb(), b.rgb());
    EXPECT_NEAR(artwork::Mix(a, b, 0.5).red(), 100, 1);
    EXPECT_EQ(artwork::Mix(a, b, 7.0).rgb(), b.rgb()) << "out-of-range mixes are clamped";
}

TEST(PaintHelpers, UnlitLayerDarkensOnlyWhatItPaints)
{
    for (const bool lit : {true, false}) {
        QImage canvas = artwork::NewCanvas(QSize(20, 20), Qt::white);
        QPainter p(&canvas);
        artwork::LitLayer(p, lit, 0.6, [](QPainter& layer) { layer.fillRect(QRect(5, 5, 10, 10), QColor(255, 0, 0)); });
        p.end();
        EXPECT_EQ(canvas.pixel(1, 1), qRgb(255, 255, 255)) << "outside the shape stays as it was";
        if (lit) {
            EXPECT_EQ(canvas.pixel(10, 10), qRgb(255, 0, 0));
        } else {
            EXPECT_LT(qRed(canvas.pixel(10, 10)), 140);
            EXPECT_GT(qRed(canvas.pixel(10, 10)), qGreen(canvas.pixel(10, 10))) << "still red, only darker";
        }
    }
}

TEST(PaintHelpers, TextPathCentresTheInkInItsBox)
{
    const QRectF box(10, 20, 200, 40);
    const QPainterPath path = artwork::TextPath(QStringLiteral("BAR"), artwork::SansFont(20), box);
    ASSERT_FALSE(path.isEmpty()) << "DejaVu fonts must be installed";
    EXPECT_NEAR(path.boundingRect().center().x(), box.center().x(), 0.5);
    EXPECT_NEAR(path.boundingRect().center().y(), box.center().y(), 0.5);
    const QPainterPath left =
        artwork::TextPath(QStringLiteral("BAR"), artwork::SansFont(20), box, Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_NEAR(left.boundingRect().left(), box.left(), 0.5);
}

}  // namespace
