// plumfizz-preview: the table as the game paints it, with the built-in pictures
// and the theme files found beside the program (or in the given directory).
//
//   plumfizz-preview <out.png> [screen width, default 800] [asset directory]
//   plumfizz-preview --help

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

#include "engine/Reels.h"
#include "pictures/PictureSet.h"
#include "pictures/Scaling.h"
#include "store/SettingsFile.h"
#include "drawing/TablePainter.h"

namespace {

constexpr char Usage[] = "usage: plumfizz-preview <out.png> [screen width 320..10000] [asset directory]\n";

constexpr char Help[] =
    "Draws the table as the game paints it into a picture file, without starting\n"
    "the game: the built-in pictures, any replacement bitmaps in the asset\n"
    "directory and the symbol sheet named by its Testing.ini, the reels at their\n"
    "start stops and Credits 1000.\n"
    "\n"
    "  <out.png>        the picture to write; its extension names the format\n"
    "                   (png, bmp, jpg, ppm, ... as Qt can write them)\n"
    "  screen width     the table's width in pixels on a 4:3 screen (default 800)\n"
    "  asset directory  the theme's directory (default: beside this program)\n";

// The format a file name asks for, when Qt can write it; empty otherwise.
QByteArray WritableFormat(const QString& fileName)
{
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    return QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray();
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0) {
            std::printf("%s\n%s", Usage, Help);
            return 0;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool widthOk = true;
    const int width = args.size() > 2 ? args[2].toInt(&widthOk) : 800;
    if (args.size() < 2 || args.size() > 4 || !widthOk || width < 320 || width > 10000) {
        std::fputs(Usage, stderr);
        return 2;
    }
    const QByteArray format = WritableFormat(args[1]);
    if (format.isEmpty()) {
        std::fprintf(stderr, "plumfizz-preview: %s: Qt cannot write pictures of that kind; name one of: %s\n",
                     qPrintable(args[1]), QImageWriter::supportedImageFormats().join(", ").constData());
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

    // The table of a 4:3 screen of the given width, as the game's surface holds it.
    drawing::TableMetrics metrics;
    metrics.layoutWidth = width;
    metrics.logicalDpi = 96;
    QImage surface(pictures::Scaling(width).TableSize(), QImage::Format_RGB32);
    drawing::TablePainter painter(surface, set, metrics);
    painter.FormPaint(engine::StartStops, 1000, 0, 0);

    if (!surface.save(args[1], format.constData())) {
        std::fprintf(stderr, "plumfizz-preview: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
