// The set of pictures the table is drawn from, and where each comes from.
#pragma once

#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace pictures {

// The main window's pictures: built-in ones from the program's resources,
// optionally replaced by bitmap files in the asset directory (the file each
// is replaced by is named beside it).
struct PictureSet {
    QImage tableBackground;     // "TESTER.BMP"; also the lit attention areas
    QImage motionStrip;         // "MOTIONX.BMP": a reel turning, a vertical loop
    QImage symbolSheet;         // SoundRoot + ".bmp", required: sixteen symbol cells, no built-in one
    QImage bonusMeterStrip;     // "BONUSX.BMP": one slice per meter level, full at the top
    QImage betOneButtonStrip;   // "Bet1But.BMP": unlit state above, lit below
    QImage betFiveButtonStrip;  // "Bet5But.BMP"
    QImage spinButtonStrip;     // "SpinBut.BMP"
    QImage unlitLogoPanel;      // "DIMMEDX.BMP"
    QImage unlitTitlePlate;     // "DIMMED2X.BMP"
    QImage unlitBetSign;        // "BET1B.BMP"
    QImage smallRedDigits;      // the Winnings counter; no replacement
    QImage smallGreenDigits;    // the Credits and Coins counters; no replacement
    QImage largeRedDigits;
    QImage largeGreenDigits;

    static PictureSet BuiltIn();

    // Each optional replacement found in assetDir takes its picture's place,
    // in the order above; a file that is not a readable bitmap is skipped.
    void LoadReplacements(const QString& assetDir);

    // Loads SoundRoot + ".bmp" into symbolSheet; false when it is missing or
    // unreadable. For a file that is there but cannot be read or decoded,
    // `problem` gets the file found and the reason.
    struct SheetProblem {
        QString path;
        QString reason;
    };
    bool LoadSymbolSheet(const QString& assetDir, const QString& soundRoot, SheetProblem* problem = nullptr);

    // The picture to draw `picture` from when it is drawn `drawnScale` times
    // its size: one of its larger variants beside the file it was read from
    // (see PictureForScale), else the picture itself.
    QImage ForScale(QImage PictureSet::*picture, double drawnScale) const;

    // Draws `picture` stretched to `size` at `at` in dst from that variant,
    // never holding a large built-in variant whole (see DrawForScale).
    QRect DrawForScale(QImage PictureSet::*picture, QImage& dst, QPoint at, QSize size) const;

    // Rows [top, top + rows) of `picture` (in its own pixels) stretched to
    // `size` at `at` in dst, from the same variant (see DrawRowsForScale).
    QRect DrawRowsForScale(QImage PictureSet::*picture, QImage& dst, QPoint at, QSize size, int top, int rows) const;

    // `picture`, made of cells of `unit` pixels, with each cell `deviceUnit`
    // pixels instead (from its variant, stretched only where no variant has
    // that size), so that cells are still copied one for one on a surface of
    // device pixels. The picture itself where the two units are the same.
    QImage ForUnitCopies(QImage PictureSet::*picture, QSize unit, QSize deviceUnit) const;

    // The file each picture was read from, a resource or a theme file, where
    // its variants are looked for. A picture put in by hand has none.
    std::vector<std::pair<QImage PictureSet::*, QString>> origins;

private:
    QString OriginOf(QImage PictureSet::*picture) const;
    void SetOrigin(QImage PictureSet::*picture, const QString& path);
};

}  // namespace pictures
