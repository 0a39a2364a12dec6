// The theme and screen values fixed at start-up, from the program's place and
// Testing.ini beside it.
#pragma once

#include <QString>

#include "desktop/Platform.h"

namespace table {

struct Theme {
    QString assetDir;         // the program's directory, with a trailing separator
    QString programBaseName;  // the program file's name less its extension
    QString gameTitle = QStringLiteral("Plumfizz Slots");
    QString soundRoot = QStringLiteral("Plum");
    QString webPageName = QStringLiteral("plumfizz");
    QString versionText;
    QString helpFile;  // the HTML manual beside the program
    int screenWidth = 800;
    int screenHeight = 600;
    int logicalDpi = 96;
};

// The default theme for the program the platform runs, then what
// Testing.ini beside it changes; the screen as it is now.
Theme ReadTheme(const desktop::Platform& platform);

}  // namespace table
