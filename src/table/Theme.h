// The theme and screen values fixed at start-up, from the program's place and
// Testing.ini in the theme's directory.
#pragma once

#include <QString>

#include "desktop/Platform.h"

namespace table {

struct Theme {
    QString assetDir;         // the theme's directory (see ThemeDirectory), with a trailing separator
    QString programBaseName;  // the program file's name less its extension
    QString gameTitle = QStringLiteral("Plumfizz Slots");
    QString soundRoot = QStringLiteral("Plum");
    QString webPageName = QStringLiteral("plumfizz");
    QString versionText;
    QString helpFile;  // the HTML manual (see ManualFile)
    int screenWidth = 800;
    int screenHeight = 600;
    int logicalDpi = 96;
};

// The directory the theme is read from, with a trailing separator: the
// program's own when it holds a theme (Testing.ini or the symbol sheet named
// by soundRoot), as in a build folder; otherwise the installed theme's
// (share/games/plumfizz seen from games/) when it exists.
QString ThemeDirectory(const QString& programDir, const QString& soundRoot);

// The HTML manual: beside the theme, else the installed one
// (share/doc/plumfizz seen from games/); the first when neither exists.
QString ManualFile(const QString& assetDir, const QString& programDir, const QString& programBaseName);

// The default theme for the program the platform runs, then what
// Testing.ini beside it changes; the screen as it is now.
Theme ReadTheme(const desktop::Platform& platform);

}  // namespace table
