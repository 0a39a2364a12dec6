#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "PixelChecks.h"
#include "TablePreview.h"

namespace {

// The built-in pictures and the default symbol sheet from the build directory.
preview::TablePictures BuiltPictures() {
  preview::TablePictures pictures;
  QString error;
  EXPECT_TRUE(preview::LoadTablePictures(QStringLiteral(PLUMFIZZ_THEME_DIR), QStringLiteral("Plum"), &pictures, &error))
      << qPrintable(error);
  return pictures;
}

TEST(TablePreview, CountersSitWhereTheWindowDrawsThem) {
  preview::TableState state;
  state.credits = 1000;
  const QImage table = preview::ComposeTable(BuiltPictures(), 800, state);
  ASSERT_EQ(table.size(), QSize(800, 600));
  // Credits 1000: four green cells from x 556 to 620 and a black spare cell before them.
  auto greenIn = [&](int x0, int x1) {
    int green = 0;
    for (int y = 44; y < 65; ++y)
      for (int x = x0; x < x1; ++x) green += qGreen(table.pixel(x, y)) > 128 ? 1 : 0;
    return green;
  };
  EXPECT_GT(greenIn(556, 572), 0);
  EXPECT_GT(greenIn(604, 620), 0);
  EXPECT_EQ(greenIn(540, 556), 0);
  EXPECT_LE(arttest::Brightness(table.pixel(548, 55)), 6);
}

TEST(TablePreview, PaylineAndReelsAtTheirStartStops) {
  const QImage table = preview::ComposeTable(BuiltPictures(), 800, preview::TableState{});
  EXPECT_EQ(table.pixel(300, 386), qRgb(255, 0, 0));
  EXPECT_EQ(table.pixel(241, 386), qRgb(255, 0, 0));
  EXPECT_EQ(table.pixel(556, 386), qRgb(255, 0, 0));
  // The start stops put the plum, mostly purple, on the middle row of every reel.
  for (const int left : {258, 362, 466}) {
    const QRgb p = table.pixel(left + 38, 386 + 10);
    EXPECT_GT(qBlue(p), qGreen(p) + 30) << "reel at x " << left;
  }
}

TEST(TablePreview, WideScreensUseTheLargeDigits) {
  const QImage table = preview::ComposeTable(BuiltPictures(), 1024, preview::TableState{});
  ASSERT_EQ(table.width(), 1024);
  // Credits 1000 in 32-pixel cells end at Scaled(620) = 793 and start at 665.
  int green = 0;
  for (int y = 56; y < 98; ++y)
    for (int x = 665; x < 697; ++x) green += qGreen(table.pixel(x, y)) > 128 ? 1 : 0;
  EXPECT_GT(green, 20);
}

TEST(TablePreview, ReplacementFilesAreFoundWhateverTheirCase) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage sheet(304, 304, QImage::Format_RGB32);
  sheet.fill(Qt::blue);
  ASSERT_TRUE(sheet.save(dir.filePath(QStringLiteral("PLUM.BMP")), "BMP"));
  QImage table(400, 300, QImage::Format_RGB32);
  table.fill(Qt::green);
  ASSERT_TRUE(table.save(dir.filePath(QStringLiteral("TESTER.BMP")), "BMP"));
  preview::TablePictures pictures;
  QString error;
  ASSERT_TRUE(preview::LoadTablePictures(dir.path(), QStringLiteral("Plum"), &pictures, &error)) << qPrintable(error);
  EXPECT_EQ(pictures.table.size(), QSize(400, 300));
  EXPECT_EQ(pictures.symbolSheet.pixel(10, 10), qRgb(0, 0, 255));
  // A smaller background covers only its own scaled size; the rest stays black.
  const QImage composed = preview::ComposeTable(pictures, 800, preview::TableState{});
  EXPECT_EQ(composed.pixel(100, 100), qRgb(0, 255, 0));
  EXPECT_EQ(composed.pixel(700, 20), qRgb(0, 0, 0));
}

TEST(TablePreview, MissingSymbolSheetIsReported) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  preview::TablePictures pictures;
  QString error;
  EXPECT_FALSE(preview::LoadTablePictures(dir.path(), QStringLiteral("Plum"), &pictures, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("Plum.bmp"))) << qPrintable(error);
}

}  // namespace
