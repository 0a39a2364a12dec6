// Every picture the generator writes, by the file name it is written under.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <span>
#include <vector>

namespace artwork {

struct Artwork {
    QString fileName;  // relative to the output directory, e.g. "pictures/TableBackground.png"
    // The picture at `scale` times its size, drawn at that resolution; 1 is the size the game is designed at.
    std::function<QImage(int scale)> draw;
};

// Every picture but the icons is written at its size and at two and four times
// it, for large screens; the icons come at many sizes of their own.
inline constexpr int PictureScales[] = {1, 2, 4};
inline constexpr int DesignScale[] = {1};

// The name of a picture's file at `scale`, after Qt's convention for
// high-resolution pictures: "pictures/Plum.png" at 2 is "pictures/Plum@2x.png";
// at 1 the name is unchanged.
QString ScaledFileName(const QString& fileName, int scale);

// Compiled into the program: "pictures/<Name>.png", "bonus/bonus<n>.png" and
// the message boxes' icons "messages/<Kind>.png" (transparent).
const std::vector<Artwork>& BuiltInPictures();

// The default theme's files, written beside the program: "Plum.bmp", "Paychart.bmp".
const std::vector<Artwork>& ThemeFiles();

// The manual's pictures, "plumfizz-manual/<name>.png": the symbols, the pay
// table and the bonus window.
const std::vector<Artwork>& ManualPictures();

// The program's icon in the hicolor theme's layout, with transparency:
// "hicolor/<n>x<n>/apps/plumfizz.png" for each of IconSizes.
const std::vector<Artwork>& IconFiles();

// Writes each picture at each of `scales` under `directory`, creating
// subdirectories; false and a message on the first failure.
bool WriteArtwork(const std::vector<Artwork>& set, const QString& directory, std::span<const int> scales,
                  QString* error);

}  // namespace artwork
