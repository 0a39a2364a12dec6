// Writing the artwork: each picture under its name and in its format, a directory that cannot be
// made reported by name, and no file named twice in the catalogues.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Artwork.h"

namespace {

QImage Small(int scale)
{
    return QImage(3 * scale, 2 * scale, QImage::Format_RGB32);
}

TEST(ArtworkFiles, WritesEveryPictureUnderItsNameAndFormat)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<artwork::Artwork> set = {{QStringLiteral("pictures/A.png"), Small},
                                               {QStringLiteral("B.bmp"), Small}};
    QString error;
    ASSERT_TRUE(artwork::WriteArtwork(set, dir.path(), artwork::DesignScale, &error)) << qPrintable(error);
    QFile png(dir.filePath(QStringLiteral("pictures/A.png")));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    EXPECT_TRUE(png.read(4).endsWith("PNG"));
    QFile bmp(dir.filePath(QStringLiteral("B.bmp")));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_TRUE(bmp.read(2) == "BM");
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("B.bmp"))).size(), QSize(3, 2));
}

TEST(ArtworkFiles, ReportsADirectoryThatCannotBeMade)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A plain file where a directory is needed: no account can create one there.
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const std::vector<artwork::Artwork> set = {{QStringLiteral("blocker/sub/A.png"), Small}};
    QString error;
    EXPECT_FALSE(artwork::WriteArtwork(set, dir.path(), artwork::DesignScale, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("A.png"))) << qPrintable(error);
}

TEST(ArtworkFiles, CataloguesNameEveryPictureOnce)
{
    QStringList names;
    for (const auto& art : artwork::BuiltInPictures()) names << art.fileName;
    for (const auto& art : artwork::ThemeFiles()) names << art.fileName;
    EXPECT_EQ(names.size(), 26);
    names.removeDuplicates();
    EXPECT_EQ(names.size(), 26);
    EXPECT_TRUE(names.contains(QStringLiteral("Plum.bmp")));
    EXPECT_TRUE(names.contains(QStringLiteral("Paychart.bmp")));
}

}  // namespace
