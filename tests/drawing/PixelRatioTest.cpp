// The table at a device pixel ratio of 2: logical places and sizes kept, the
// pixels drawn from the pictures' 2x variants, clicks taken in logical pixels.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include "drawing/TableSurface.h"
#include "pictures/PictureSet.h"
#include "pictures/PictureVariants.h"
#include "pictures/TableLayout.h"

namespace layout = pictures::layout;

namespace {

// The built-in pictures and a symbol sheet with no variants.
pictures::PictureSet BuiltInSet()
{
    pictures::PictureSet set = pictures::PictureSet::BuiltIn();
    set.symbolSheet = QImage(layout::SymbolSheetSize, QImage::Format_RGB32);
    set.symbolSheet.fill(qRgb(40, 50, 60));
    return set;
}

QImage Variant2x(const char* name)
{
    const QImage variant(QStringLiteral(":/pictures/%1@2x.png").arg(QLatin1String(name)));
    return variant.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(PixelRatio, MeterSliceAndDigitCellAreTheTwoTimesVariantsCopiedAtTwiceTheirLogicalPlace)
{
    const pictures::PictureSet set = BuiltInSet();
    drawing::TableSurface surface(set);
    surface.Place(QSize(800, 600), 2.0);
    ASSERT_EQ(surface.Image().size(), QSize(1600, 1200));
    play::TableShown table;
    table.stops = {1, 1, 1};
    table.credits = 7;
    table.coins = 1;
    table.meter = 5;
    surface.DrawTable(table);
    const QImage& image = surface.Image();

    // The meter slice: 78 x 59 logical at its logical place, 156 x 118 on the surface.
    const QImage meter = Variant2x("BonusMeterStrip");
    ASSERT_EQ(meter.size(), layout::MeterStripSize * 2);
    const QPoint meterAt(2 * layout::MeterBox.left(), 2 * layout::MeterBox.top());
    const QRect slice(QPoint(0, (12 - 5) * 118), QSize(156, 118));
    EXPECT_EQ(image.copy(QRect(meterAt, slice.size())), meter.copy(slice));

    // The Credits counter's last cell: digit 7 of the small green strip, 32 x 42.
    const QImage digits = Variant2x("SmallGreenDigits");
    const QSize cell = layout::SmallDigitCell * 2;
    const QPoint cellAt(2 * layout::CreditsRight - cell.width(), 2 * layout::CounterDigitTop);
    EXPECT_EQ(image.copy(QRect(cellAt, cell)), digits.copy(QRect(QPoint(7 * cell.width(), 0), cell)));
}

TEST(PixelRatio, ClicksStayInLogicalPixels)
{
    const pictures::PictureSet set = BuiltInSet();
    drawing::TableSurface atOne(set);
    drawing::TableSurface atTwo(set);
    atOne.Place(QSize(1024, 768), 1.0);
    atTwo.Place(QSize(1024, 768), 2.0);
    for (const engine::Button button : {engine::Button::BetOne, engine::Button::BetFive, engine::Button::Spin}) {
        EXPECT_EQ(atTwo.ButtonArea(button), atOne.ButtonArea(button));
        EXPECT_EQ(atTwo.ButtonAt(atOne.ButtonArea(button).center()), button);
    }
    EXPECT_FALSE(atTwo.ButtonAt(QPoint(5, 5)).has_value());
    EXPECT_EQ(atTwo.Image().size(), atOne.Image().size() * 2);
}

TEST(PixelRatio, ATwoTimesVariantOfTheWrongSizeIsNotUsed)
{
    // A theme's own background with a variant beside it that is not twice its size.
    const QString dir =
        QStringLiteral("%1/pixel-ratio-%2").arg(QDir::tempPath()).arg(QCoreApplication::applicationPid());
    QDir().mkpath(dir);
    QImage own(layout::TableSize, QImage::Format_RGB32);
    own.fill(qRgb(200, 10, 10));
    ASSERT_TRUE(own.save(dir + QStringLiteral("/TESTER.BMP"), "BMP"));
    pictures::PictureSet set = BuiltInSet();
    set.LoadReplacements(dir);
    // Without a variant of its own, the theme's picture is drawn from itself,
    // never from the built-in picture's variant.
    EXPECT_EQ(set.ForScale(&pictures::PictureSet::tableBackground, 2.0), own);

    QImage wrong(QSize(1599, 1200), QImage::Format_RGB32);
    wrong.fill(qRgb(10, 200, 10));
    ASSERT_TRUE(wrong.save(dir + QStringLiteral("/tester@2x.bmp"), "BMP"));
    EXPECT_EQ(set.ForScale(&pictures::PictureSet::tableBackground, 2.0), own);

    QImage right(QSize(1600, 1200), QImage::Format_RGB32);
    right.fill(qRgb(10, 10, 200));
    ASSERT_TRUE(right.save(dir + QStringLiteral("/tester@2x.bmp"), "BMP"));
    EXPECT_EQ(set.ForScale(&pictures::PictureSet::tableBackground, 1.8), right);
    // Drawn at its own size or smaller, the picture itself.
    EXPECT_EQ(set.ForScale(&pictures::PictureSet::tableBackground, 1.0), own);
    QDir(dir).removeRecursively();
}
