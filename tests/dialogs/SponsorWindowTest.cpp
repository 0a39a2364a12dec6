// The sponsor window: clicks reach the browser and leave it open, the list's
// hover highlight, the band's colour across partial repaints, and pictures
// that cannot be read.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

#include "RecordingBrowser.h"
#include "dialogs/SponsorWindow.h"
#include "web/Sponsors.h"

namespace {

const QString BuiltAssets = QStringLiteral(PLUMFIZZ_BUILT_ASSETS);

bool Highlighted(const dialogs::AdLink& entry)
{
    return entry.font().underline() && entry.palette().color(QPalette::WindowText) == QColor(Qt::red);
}

int HighlightedCount(const dialogs::SponsorWindow& form)
{
    int count = 0;
    for (const dialogs::AdLink& entry : form.SponsorList) count += Highlighted(entry) ? 1 : 0;
    return count;
}

TEST(SponsorWindow, ClicksHandEveryAddressToTheBrowserAndTheWindowStaysOpen)
{
    RecordingBrowser browser;
    web::ScopedShell shell(browser);
    engine::Random random;
    dialogs::SponsorWindow form(random, BuiltAssets);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QTest::mouseClick(&form.SponsorList[17], Qt::LeftButton);
    QTest::mouseClick(&form.SponsorList[18], Qt::LeftButton);
    QTest::mouseClick(&form.TileImages[0], Qt::LeftButton);
    QTest::mouseClick(&form.BannerImage, Qt::LeftButton);
    QTest::mouseClick(&form.BottomCaption, Qt::LeftButton);
    const web::SponsorSets& ads = web::Sponsors();
    EXPECT_EQ(browser.opened, (QStringList{ads.list[17].link, ads.list[18].link, ads.list[10].link,
                                           ads.banners[static_cast<size_t>(form.BannerChoice())].link,
                                           ads.bottoms[static_cast<size_t>(form.BottomChoice())].link}));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(browser.dialogs.isEmpty());
    // The built pictures are all there: the banner shows one, the tiles theirs.
    EXPECT_FALSE(form.BannerImage.pixmap().isNull());
    EXPECT_EQ(form.TileImages[0].size(), QSize(100, 90));
    EXPECT_EQ(form.ProductImages[4].size(), QSize(100, 66));

    // Every list entry leads somewhere else, and only to reserved example domains.
    std::set<QString> addresses;
    for (const web::SponsorEntry& entry : ads.list) {
        addresses.insert(entry.link);
        EXPECT_TRUE(QUrl(entry.link).host().contains(QStringLiteral("example."))) << entry.link.toStdString();
    }
    EXPECT_EQ(addresses.size(), ads.list.size());
}

TEST(SponsorWindow, TheEntryUnderTheMouseIsUnderlinedRedUntilTheBackground)
{
    engine::Random random;
    dialogs::SponsorWindow form(random, BuiltAssets);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    for (int k = 2; k <= 6; ++k) {
        QTest::mouseMove(&form.SponsorList[static_cast<size_t>(k)]);
        EXPECT_TRUE(Highlighted(form.SponsorList[static_cast<size_t>(k)])) << k;
        EXPECT_EQ(HighlightedCount(form), 1);
    }
    // Straight onto a picture: the entry stays highlighted.
    QTest::mouseMove(&form.HeadingImage);
    EXPECT_TRUE(Highlighted(form.SponsorList[6]));
    // The white background clears it.
    QTest::mouseMove(&form, QPoint(780, 530));
    EXPECT_EQ(HighlightedCount(form), 0);
}

TEST(SponsorWindow, ThePartsOfARepaintKeepOneBandColour)
{
    engine::Random random;
    dialogs::SponsorWindow form(random, BuiltAssets);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.repaint();
    const QColor band = form.BandColour();
    const uint32_t seed = random.Seed();
    // A caption's repaint or an uncovered corner draws no new colour.
    form.repaint(QRect(168, 282, 113, 17));
    form.repaint(QRect(0, 0, 300, 300));
    EXPECT_EQ(random.Seed(), seed);
    EXPECT_EQ(form.BandColour(), band);
    // The whole window drawn again (grabbed here) draws a colour anew and paints the band in it.
    const QImage shot = form.grab().toImage();
    EXPECT_NE(random.Seed(), seed);
    EXPECT_EQ(shot.pixelColor(170, 110), form.BandColour());
    EXPECT_EQ(shot.pixelColor(166, 110), QColor(Qt::white)) << "the band starts at x 168";
}

TEST(SponsorWindow, PicturesThatCannotBeDecodedLeaveTheirAreasEmpty)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sponsors")));
    const web::SponsorSets& ads = web::Sponsors();
    // Garbage under every banner and bottom name; a folder where a tile should be.
    for (const auto* set : {&ads.banners}) {
        for (const web::SponsorEntry& entry : *set) {
            QFile file(dir.filePath(QStringLiteral("sponsors/") + entry.picture));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("GIF89a\x10\x00\x10\x00 truncated");
        }
    }
    for (const web::SponsorEntry& entry : ads.bottoms) {
        QFile file(dir.filePath(QStringLiteral("sponsors/") + entry.picture));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xff\xd8\xff\xe0 not a jpeg");
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sponsors/") + ads.tiles[0].picture));

    RecordingBrowser browser;
    web::ScopedShell shell(browser);
    engine::Random random;
    dialogs::SponsorWindow form(random, dir.path() + QLatin1Char('/'));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(form.BannerImage.pixmap().isNull());
    EXPECT_TRUE(form.BottomImage.pixmap().isNull());
    EXPECT_TRUE(form.TileImages[0].size().isEmpty());
    // The captions still work.
    QTest::mouseClick(&form.TileCaptions[0], Qt::LeftButton);
    EXPECT_EQ(browser.opened, QStringList{ads.list[10].link});
}

}  // namespace
