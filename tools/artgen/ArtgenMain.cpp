// plumfizz-artgen: draws the built-in pictures or the default theme's files.
//
//   plumfizz-artgen pictures <dir>   writes <dir>/pictures/*.png and <dir>/bonus/*.png
//   plumfizz-artgen theme <dir>      writes <dir>/Plum.bmp and <dir>/Paychart.bmp
//   plumfizz-artgen sponsors <dir>   writes the sponsor window's pictures into <dir>/sponsors/
//   plumfizz-artgen manual <dir>     writes the manual's pictures into <dir>/plumfizz-manual/
//   plumfizz-artgen icons <dir>      writes <dir>/hicolor/<n>x<n>/apps/plumfizz.png
//
// Every picture but the icons also comes at two and four times its size, for
// large screens: Plum@2x.bmp, Plum@4x.bmp, pictures/TableBackground@2x.png...

#include <QGuiApplication>
#include <cstdio>

#include "Artwork.h"
#include "SponsorArt.h"

int main(int argc, char** argv)
{
    // Drawing needs fonts but never a display, so a build without one works too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString kind = args.size() == 3 ? args[1] : QString();
    std::vector<artwork::Artwork> set;
    if (kind == QLatin1String("pictures")) {
        set = artwork::BuiltInPictures();
    } else if (kind == QLatin1String("theme")) {
        set = artwork::ThemeFiles();
    } else if (kind == QLatin1String("sponsors")) {
        set = artwork::SponsorPictures();
    } else if (kind == QLatin1String("manual")) {
        set = artwork::ManualPictures();
    } else if (kind == QLatin1String("icons")) {
        set = artwork::IconFiles();
    } else {
        std::fprintf(stderr, "usage: plumfizz-artgen pictures|theme|sponsors|manual|icons <output directory>\n");
        return 2;
    }
    const std::span<const int> scales =
        kind == QLatin1String("icons") ? std::span<const int>(artwork::DesignScale) : artwork::PictureScales;
    QString error;
    if (!artwork::WriteArtwork(set, args[2], scales, &error)) {
        std::fprintf(stderr, "plumfizz-artgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
