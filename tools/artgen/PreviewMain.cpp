// plumfizz-preview: the table as the game paints it, with the built-in pictures
// and the theme files found beside the program (or in the given directory).
//
//   plumfizz-preview <out.png> [screen width, default 800] [asset directory]

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "engine/Reels.h"
#include "pictures/PictureSet.h"
#include "store/SettingsFile.h"
#include "table/TablePainter.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool widthOk = true;
    const int width = args.size() > 2 ? args[2].toInt(&widthOk) : 800;
    if (args.size() < 2 || args.size() > 4 || !widthOk || width < 320 || width > 10000) {
        std::fprintf(stderr, "usage: plumfizz-preview <out.png> [screen width 320..10000] [asset directory]\n");
        return 2;
    }
    const QString assetDir = args.size() > 3 ? args[3] : QCoreApplication::applicationDirPath();

    // A theme's Testing.ini may name another root for its symbol sheet.
    QString soundRoot = QStringLiteral("Plum");
    const QString ini = QDir(assetDir).filePath(QStringLiteral("Testing.ini"));
    if (QFileInfo::exists(ini)) {
        const store::SettingsFile settings(ini.toStdString());
        soundRoot = QString::fromStdString(settings.ReadString("Settings", "SoundRoot", soundRoot.toStdString()));
    }

    pictures::PictureSet set = pictures::PictureSet::BuiltIn();
    set.LoadReplacements(assetDir);
    if (!set.LoadSymbolSheet(assetDir, soundRoot)) {
        std::fprintf(stderr, "plumfizz-preview: missing %s.bmp in %s\n", qPrintable(soundRoot), qPrintable(assetDir));
        return 1;
    }

    // A 4:3 screen of the given width, the table at the window's left edge.
    table::TableMetrics metrics;
    metrics.layoutWidth = width;
    metrics.logicalDpi = 96;
    QImage surface(width, width * 3 / 4, QImage::Format_RGB32);
    table::TablePainter painter(surface, set, metrics);
    painter.FormPaint(engine::StartStops, 1000, 0, 0);

    if (!surface.save(args[1])) {
        std::fprintf(stderr, "plumfizz-preview: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
