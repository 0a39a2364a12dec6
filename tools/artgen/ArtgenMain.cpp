// plumfizz-artgen: draws the built-in pictures or the default theme's files.
//
//   plumfizz-artgen pictures <dir>   writes <dir>/pictures/*.png and <dir>/bonus/*.png
//   plumfizz-artgen theme <dir>      writes <dir>/Plum.bmp and <dir>/Paychart.bmp
//   plumfizz-artgen icons <dir>      writes <dir>/hicolor/<n>x<n>/apps/plumfizz.png

#include <QGuiApplication>
#include <cstdio>

#include "Artwork.h"

int main(int argc, char** argv)
{
    // Drawing needs fonts but never a display, so a build without one works too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.size() == 3 ? args[1] : QString();
    const std::vector<artwork::Artwork>* set = mode == QLatin1String("pictures") ? &artwork::BuiltInPictures()
                                               : mode == QLatin1String("theme")  ? &artwork::ThemeFiles()
                                               : mode == QLatin1String("icons")  ? &artwork::IconFiles()
                                                                                 : nullptr;
    if (set == nullptr) {
        std::fprintf(stderr, "usage: plumfizz-artgen pictures|theme|icons <output directory>\n");
        return 2;
    }
    QString error;
    if (!artwork::WriteArtwork(*set, args[2], &error)) {
        std::fprintf(stderr, "plumfizz-artgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
