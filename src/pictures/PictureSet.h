// The set of pictures the table is drawn from, and where each comes from.
#pragma once

#include <QImage>
#include <QString>

namespace pictures {

// The main window's pictures: built-in ones from the program's resources,
// optionally replaced by bitmap files in the asset directory.
struct PictureSet {
    QImage Image1;  // table background, also the lit attention areas
    QImage Image2;  // motion strip
    QImage Image3;  // symbol sheet (SoundRoot + ".bmp", required)
    QImage BonusBMP;
    QImage Bet1But;
    QImage Bet5But;
    QImage SpinBut;
    QImage Dimmed;
    QImage Dimmed2;
    QImage Bet1bDimmed;
    QImage DigitsSmall;
    QImage GreenSmall;
    QImage DigitsLarge;
    QImage GreenLarge;

    static PictureSet BuiltIn();

    // Each optional replacement found in assetDir takes its picture's place,
    // in the table's order; a file that is not a readable bitmap is skipped.
    void LoadReplacements(const QString& assetDir);

    // Loads SoundRoot + ".bmp" into Image3; false when it is missing (or unreadable).
    bool LoadSymbolSheet(const QString& assetDir, const QString& soundRoot);
};

}  // namespace pictures
