// The theme: the defaults, Testing.ini's settings and the screen.
#include "table/Theme.h"

#include <QFileInfo>

#include "pictures/AssetFiles.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"

namespace table {

namespace {

// The first `count` characters, never half of a surrogate pair.
QString FirstCharacters(const QString& text, int count)
{
    if (text.size() <= count) return text;
    int end = count;
    if (text.at(end - 1).isHighSurrogate()) --end;
    return text.left(end);
}

void ReadTestingIni(Theme& theme)
{
    const QString path = pictures::FindAssetFile(theme.assetDir, {QStringLiteral("Testing.ini")});
    if (path.isEmpty()) return;
    const store::SettingsFile file(path.toStdString());
    const std::string section = "Settings";
    theme.soundRoot = QString::fromStdString(file.ReadString(section, "SoundRoot", theme.soundRoot.toStdString()));
    theme.gameTitle = FirstCharacters(
        QString::fromStdString(file.ReadString(section, "AboutName", theme.gameTitle.toStdString())), 30);
    theme.webPageName =
        QString::fromStdString(file.ReadString(section, "WebPageName", theme.webPageName.toStdString()));
}

}  // namespace

Theme ReadTheme(const desktop::Platform& platform)
{
    Theme theme;
    // The theme lives beside the program.
    const QString programPath = platform.ProgramPath();
    theme.assetDir = QFileInfo(programPath).absolutePath();
    if (!theme.assetDir.endsWith(QLatin1Char('/'))) theme.assetDir += QLatin1Char('/');
    theme.programBaseName = QString::fromStdString(store::ProgramBaseName(programPath.toStdString()));
    theme.versionText = QStringLiteral(PLUMFIZZ_VERSION);
    ReadTestingIni(theme);
    // The manual is HTML, shown by the program's own help window.
    theme.helpFile = theme.assetDir + theme.programBaseName + QStringLiteral(".html");
    // The window's size comes from the screen.
    theme.screenWidth = platform.ScreenWidth();
    theme.screenHeight = platform.ScreenHeight();
    theme.logicalDpi = platform.LogicalDpi();
    return theme;
}

}  // namespace table
