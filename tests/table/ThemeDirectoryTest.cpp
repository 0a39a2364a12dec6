// Where the theme and the manual are read from: beside the program in a build
// folder or a theme's own folder, from share/ when installed in games/.
#include "table/Theme.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& path)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(ThemeDirectory, InstalledThemeIsUsedOnlyWhenNoThemeIsBesideTheProgram)
{
    QTemporaryDir prefix;
    const QString games = prefix.path() + QStringLiteral("/games");
    const QString installed = prefix.path() + QStringLiteral("/share/games/plumfizz/");
    QDir().mkpath(games);

    // Nothing anywhere: beside the program, where the missing sheet is reported.
    EXPECT_EQ(table::ThemeDirectory(games, QStringLiteral("Plum")), games + QLatin1Char('/'));

    Touch(installed + QStringLiteral("Plum.bmp"));
    EXPECT_EQ(table::ThemeDirectory(games, QStringLiteral("Plum")), installed);
    EXPECT_EQ(table::ThemeDirectory(games + QLatin1Char('/'), QStringLiteral("Plum")), installed);

    // A theme beside the program wins: its symbol sheet in any letter case,
    // or a Testing.ini that names another sheet.
    Touch(games + QStringLiteral("/PLUM.BMP"));
    EXPECT_EQ(table::ThemeDirectory(games, QStringLiteral("Plum")), games + QLatin1Char('/'));
    EXPECT_EQ(table::ThemeDirectory(games, QStringLiteral("Cherry")), installed);
    Touch(games + QStringLiteral("/testing.ini"));
    EXPECT_EQ(table::ThemeDirectory(games, QStringLiteral("Cherry")), games + QLatin1Char('/'));
}

TEST(ThemeDirectory, ManualBesideTheThemeElseTheInstalledOne)
{
    QTemporaryDir prefix;
    const QString games = prefix.path() + QStringLiteral("/games");
    const QString theme = prefix.path() + QStringLiteral("/share/games/plumfizz/");
    const QString installed = prefix.path() + QStringLiteral("/share/doc/plumfizz/plumfizz.html");
    QDir().mkpath(games);
    QDir().mkpath(theme);

    EXPECT_EQ(table::ManualFile(theme, games, QStringLiteral("plumfizz")), theme + QStringLiteral("plumfizz.html"))
        << "with no manual anywhere the one beside the theme is named";
    Touch(installed);
    EXPECT_EQ(table::ManualFile(theme, games, QStringLiteral("plumfizz")), installed);
    EXPECT_EQ(table::ManualFile(theme, games, QStringLiteral("cherry")), theme + QStringLiteral("cherry.html"))
        << "a renamed program's manual is its own";
    Touch(theme + QStringLiteral("plumfizz.html"));
    EXPECT_EQ(table::ManualFile(theme, games, QStringLiteral("plumfizz")), theme + QStringLiteral("plumfizz.html"));
}

}  // namespace
