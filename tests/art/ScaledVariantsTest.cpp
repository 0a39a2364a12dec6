// The pictures at two and four times their size: each one written, exactly that size, the same picture as its
// design-size file when reduced yet sharper than it magnified, and the symbol sheet's cells at twice their places.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "Artwork.h"
#include "PixelChecks.h"
#include "SponsorArt.h"

namespace {

const QString BuildDir = QStringLiteral(PLUMFIZZ_THEME_DIR "/");  // the theme's files, sponsors and manual

QImage Resized(const QImage& image, QSize size)
{
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Mean absolute difference per colour channel between two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The 99.5th percentile of the luminance steps between neighbouring pixels: how steep the steepest edges are.
int SteepestEdges(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    std::vector<qint64> steps(256);  // how many neighbours differ by each step, then by that step or more
    for (int y = 0; y + 1 < grey.height(); ++y) {
        const uchar *row = grey.constScanLine(y), *below = grey.constScanLine(y + 1);
        for (int x = 0; x + 1 < grey.width(); ++x) {
            ++steps[std::abs(row[x + 1] - row[x])];
            ++steps[std::abs(below[x] - row[x])];
        }
    }
    std::partial_sum(steps.rbegin(), steps.rend(), steps.rbegin());
    int step = 255;
    while (steps[static_cast<size_t>(step)] * 200 < steps[0]) --step;
    return step;
}

TEST(ScaledVariants, EveryPictureComesAtTwoAndFourTimesItsSizeAndShowsTheSamePicture)
{
    const std::pair<std::vector<artwork::Artwork>, QString> catalogues[] = {
        {artwork::BuiltInPictures(), QStringLiteral(":/")},
        {artwork::ThemeFiles(), BuildDir},
        {artwork::ManualPictures(), BuildDir},
        {artwork::SponsorPictures(), BuildDir}};
    int checked = 0;
    for (const auto& [pictures, location] : catalogues) {
        for (const artwork::Artwork& art : pictures) {
            const QImage one = arttest::Resource(location + art.fileName);
            // GIF is dithered to a palette and JPEG blurs colour: compared at half the size, where both even out.
            const bool lossy =
                art.fileName.endsWith(QLatin1String(".gif")) || art.fileName.endsWith(QLatin1String(".jpg"));
            const QSize compared = lossy ? one.size() / 2 : one.size();
            for (const int scale : {2, 4}) {
                const QString path = location + artwork::ScaledFileName(art.fileName, scale);
                const QImage variant = arttest::Resource(path);
                ASSERT_EQ(variant.size(), one.size() * scale) << qPrintable(path);
                EXPECT_LT(MeanDifference(Resized(variant, compared), Resized(one, compared)), lossy ? 8.0 : 4.0)
                    << qPrintable(path);
                // Drawn at its own resolution, not magnified: its edges are steeper than the magnified picture's.
                EXPECT_GT(SteepestEdges(variant), 1.3 * SteepestEdges(Resized(one, variant.size())))
                    << qPrintable(path);
                ++checked;
            }
        }
    }
    // 20 built-in pictures and 4 message icons, 2 theme files, 3 for the manual and 20 for the sponsors,
    // each at two scales.
    EXPECT_EQ(checked, 2 * (24 + 2 + 3 + 20));
}

TEST(ScaledVariants, SymbolSheetCellsSitAtExactlyTwiceTheirPlaces)
{
    const QImage one = arttest::Resource(BuildDir + QStringLiteral("Plum.bmp"));
    const QImage two = arttest::Resource(BuildDir + QStringLiteral("Plum@2x.bmp"));
    ASSERT_EQ(two.size(), one.size() * 2);
    for (const int cell : {0, 14}) {  // the plum and the Reset sign, both full of edges
        const QPoint place((cell % 4) * 76, (cell / 4) * 76);
        const QImage expected = one.copy(QRect(place, QSize(76, 76)));
        const auto reducedAt = [&](QPoint corner) {
            return Resized(two.copy(QRect(corner, QSize(152, 152))), QSize(76, 76));
        };
        const double there = MeanDifference(reducedAt(place * 2), expected);
        EXPECT_LT(there, 2.0) << "cell " << cell;
        // Half a design pixel off in any direction fits clearly worse.
        for (const QPoint off : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            EXPECT_GT(MeanDifference(reducedAt(place * 2 + off), expected), there + 2.0) << "cell " << cell;
    }
}

}  // namespace
