// Every picture the generator writes, by the file name it is written under.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

namespace artwork {

struct Artwork {
    QString fileName;  // relative to the output directory, e.g. "pictures/TableBackground.png"
    std::function<QImage()> draw;
};

// Compiled into the program: "pictures/<Name>.png" and "bonus/bonus<n>.png".
const std::vector<Artwork>& BuiltInPictures();

// The default theme's files, written beside the program: "Plum.bmp", "Paychart.bmp".
const std::vector<Artwork>& ThemeFiles();

// The manual's pictures, "plumfizz-manual/<name>.png": the symbols, the pay
// table and the bonus window.
const std::vector<Artwork>& ManualPictures();

// The program's icon in the hicolor theme's layout, with transparency:
// "hicolor/<n>x<n>/apps/plumfizz.png" for each of IconSizes.
const std::vector<Artwork>& IconFiles();

// Writes each picture under `directory`, creating subdirectories; false and a
// message on the first failure.
bool WriteArtwork(const std::vector<Artwork>& set, const QString& directory, QString* error);

}  // namespace artwork
