// The picture windows under a device pixel ratio of 2 (run with QT_SCALE_FACTOR=2): drawn from
// the pictures' @2x variants, laid out and clicked in logical pixels as at ratio 1.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "dialogs/BonusWindow.h"
#include "dialogs/BorrowWindow.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/PayoffChart.h"
#include "pictures/BuiltInPictures.h"
#include "pictures/DigitCounter.h"
#include "pictures/PictureVariants.h"

namespace {

// The bounds of the pixels that differ between two pictures of the same size.
QRect ChangedArea(const QImage& before, const QImage& after)
{
    QRect changed;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) changed |= QRect(x, y, 1, 1);
    return changed;
}

TEST(HighDensity, PictureWindowsDrawFromTheirVariantsAtTheirLogicalSizes)
{
    if (qGuiApp->devicePixelRatio() != 2.0) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    const QString assets = QStringLiteral(PLUMFIZZ_BUILT_ASSETS);

    // The built chart has its variants; a theme's chart whose @2x is not
    // exactly twice its size is drawn from the chart itself.
    QTemporaryDir theme;
    const auto write = [&theme](QSize size, const QString& name) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        return image.save(theme.filePath(name));
    };
    ASSERT_TRUE(write({300, 200}, QStringLiteral("Paychart.bmp")));
    ASSERT_TRUE(write({601, 400}, QStringLiteral("Paychart@2x.bmp")));
    dialogs::PayoffChart own(theme.path() + QLatin1Char('/'), {});
    EXPECT_EQ(own.size(), QSize(300, 200));
    EXPECT_EQ(own.Chart.ShownPicture().devicePixelRatio(), 1.0);
    dialogs::PayoffChart chart(assets, {});
    EXPECT_EQ(chart.Chart.ShownPicture().devicePixelRatio(), 2.0);
    EXPECT_EQ(chart.Chart.ShownPicture().deviceIndependentSize(), QSizeF(chart.size()));

    dialogs::ManualBrowser manual;
    manual.SetManual(QStringLiteral(PLUMFIZZ_BUILT_MANUAL));
    const QImage picture = qvariant_cast<QImage>(
        manual.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("plumfizz-manual/bonus.png"))));
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QImage(assets + "plumfizz-manual/bonus.png").size());

    // A click in box 1 in logical pixels opens it; the prize text stands
    // where it stands at ratio 1, drawn at the variant's resolution.
    dialogs::BonusWindow bonus({250, 0, 0, 0, 0, 0, 0, 0}, {QString(), {640, 480}, 120}, {});
    bonus.OpeningSoundTimer.stop();
    bonus.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bonus));
    const QImage plain1x = bonus.PrizePicture.Picture();
    const QImage plain2x = bonus.PrizePicture.ShownPicture();
    QTest::mouseClick(bonus.windowHandle(), Qt::LeftButton, {}, bonus.ClosedBoxes.pos() + QPoint(442, 72));
    ASSERT_EQ(bonus.PickedPrize(), 250);
    ASSERT_EQ(bonus.PrizePicture.ShownPicture().devicePixelRatio(), 2.0);
    const QRect text1x = ChangedArea(plain1x, bonus.PrizePicture.Picture());
    const QRect text2x = ChangedArea(plain2x, bonus.PrizePicture.ShownPicture());
    ASSERT_FALSE(text1x.isEmpty());
    EXPECT_LE((text2x.topLeft() / 2 - text1x.topLeft()).manhattanLength(), 3);
    EXPECT_LE((text2x.bottomRight() / 2 - text1x.bottomRight()).manhattanLength(), 4);
}

TEST(HighDensity, BorrowCountersAreCopiedFromTheDigitStripsVariants)
{
    if (qGuiApp->devicePixelRatio() != 2.0) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    engine::GameState state;
    state.Borrowed = 7;
    const pictures::PictureSet digits = pictures::PictureSet::BuiltIn();
    dialogs::BorrowWindow form(state, digits, 800, {});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const QImage& surface = form.Surface();
    EXPECT_EQ(surface.devicePixelRatio(), 2.0);
    EXPECT_EQ(surface.deviceIndependentSize().toSize(), form.size());
    // The Borrowed counter keeps its logical place; its 7 is the @2x strip's
    // cell, copied one for one.
    const QSize cell = pictures::DigitCellFor(800);
    EXPECT_EQ(form.BorrowedCounter(), QRect(QPoint(20, 40), QSize(2 * cell.width(), cell.height())));
    const QString strip =
        pictures::BuiltInTablePicturePath(pictures::UsesLargeDigits(800) ? "LargeGreenDigits" : "SmallGreenDigits");
    const QImage strip2x = QImage(pictures::VariantPath(strip, 2)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(strip2x.isNull());
    const QSize cell2x = cell * 2;
    EXPECT_EQ(surface.copy(QRect(QPoint(40, 80), cell2x)).convertToFormat(QImage::Format_RGB32),
              strip2x.copy(QRect(QPoint(7 * cell2x.width(), 0), cell2x)));
}

}  // namespace
