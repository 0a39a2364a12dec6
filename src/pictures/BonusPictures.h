// The bonus window's three pictures: built in, each replaceable by a bitmap
// file of the theme ("bonus1.bmp" to "bonus3.bmp").
#pragma once

#include <QImage>
#include <QString>

namespace pictures {

struct BonusPictures {
    QImage closedBoxes;  // the eight closed boxes: "bonus1.bmp"
    QImage emptyBox;     // an empty box was opened: "bonus2.bmp"
    QImage prize;        // a prize box was opened, before its text: "bonus3.bmp"
    // Where each was read from (its variants sit beside it); empty for black.
    QString closedBoxesPath;
    QString emptyBoxPath;
    QString prizePath;

    // The built-in pictures, each replaced by its file in assetDir where that
    // is a readable bitmap (no directory: none is looked for). A picture that
    // is in neither place is black at the built-in size, so the window keeps
    // its layout.
    static BonusPictures Load(const QString& assetDir);
};

}  // namespace pictures
