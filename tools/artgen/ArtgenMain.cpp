// plumfizz-artgen: draws the built-in pictures or the default theme's files.
//
//   plumfizz-artgen pictures <dir>   writes <dir>/pictures/*.png and <dir>/bonus/*.png
//   plumfizz-artgen theme <dir>      writes <dir>/Plum.bmp and <dir>/Paychart.bmp

#include <QGuiApplication>
#include <cstdio>

#include "Artwork.h"

int main(int argc, char** argv)
{
    // Drawing needs fonts but never a display, so a build without one works too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || (args[1] != QLatin1String("pictures") && args[1] != QLatin1String("theme"))) {
        std::fprintf(stderr, "usage: plumfizz-artgen pictures|theme <output directory>\n");
        return 2;
    }
    const auto& set = args[1] == QLatin1String("pictures") ? artwork::BuiltInPictures() : artwork::ThemeFiles();
    QString error;
    if (!artwork::WriteArtwork(set, args[2], &error)) {
        std::fprintf(stderr, "plumfizz-artgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
