// The theme: where its files are, the defaults, Testing.ini's settings and the screen.
#include "table/Theme.h"

#include <QDir>
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

// A directory path with its trailing separator.
QString WithSeparator(QString dir)
{
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

}  // namespace

QString ThemeDirectory(const QString& programDir, const QString& soundRoot)
{
    const QString beside = WithSeparator(programDir);
    const bool themeBeside =
        !pictures::FindAssetFile(beside, {QStringLiteral("Testing.ini"), soundRoot + QStringLiteral(".bmp")}).isEmpty();
    const QString installed = WithSeparator(QDir::cleanPath(beside + QStringLiteral(PLUMFIZZ_INSTALLED_THEME)));
    if (!themeBeside && QFileInfo(installed).isDir()) return installed;
    return beside;
}

QString ManualFile(const QString& assetDir, const QString& programDir, const QString& programBaseName)
{
    const QString name = programBaseName + QStringLiteral(".html");
    const QString withTheme = assetDir + name;
    if (QFileInfo::exists(withTheme)) return withTheme;
    const QString installed =
        QDir::cleanPath(WithSeparator(programDir) + QStringLiteral(PLUMFIZZ_INSTALLED_MANUAL "/") + name);
    return QFileInfo::exists(installed) ? installed : withTheme;
}

Theme ReadTheme(const desktop::Platform& platform)
{
    Theme theme;
    // The theme lives beside the program, or where it was installed.
    const QString programPath = platform.ProgramPath();
    const QString programDir = QFileInfo(programPath).absolutePath();
    theme.assetDir = ThemeDirectory(programDir, theme.soundRoot);
    theme.programBaseName = QString::fromStdString(store::ProgramBaseName(programPath.toStdString()));
    theme.versionText = QStringLiteral(PLUMFIZZ_VERSION);
    ReadTestingIni(theme);
    // The manual is HTML, shown by the program's own help window.
    theme.helpFile = ManualFile(theme.assetDir, programDir, theme.programBaseName);
    // The window's size comes from the screen.
    theme.screenWidth = platform.ScreenWidth();
    theme.screenHeight = platform.ScreenHeight();
    theme.logicalDpi = platform.LogicalDpi();
    return theme;
}

}  // namespace table
