// The digit counters: a number drawn with the digit strips onto any surface,
// the table's or a dialog's.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include "pictures/PictureSet.h"

namespace pictures {

// The digit cell for a layout width: cells are copied pixel for pixel, so
// wide tables use the large strips.
QSize DigitCellFor(int layoutWidth);

// Draws number (at most its first ten characters) with the green or the red
// digit strips of `set`, its top at y, starting at x or, right-aligned,
// ending there. One spare black cell on the open side erases the digit a
// shrinking number leaves behind. Returns the rectangle touched.
QRect DrawCounter(QImage& surface, const PictureSet& set, int layoutWidth, int number, int x, int y, bool rightAligned,
                  bool green);

// The same with a strip of its own: ten cells of `cell`'s size side by side
// (a digit strip drawn for another pixel ratio, say).
QRect DrawCounter(QImage& surface, const QImage& strip, QSize cell, int number, int x, int y, bool rightAligned);

// The digit strip a counter of `set` is drawn with at a layout width.
const QImage& DigitStripFor(const PictureSet& set, int layoutWidth, bool green);
QImage PictureSet::*DigitStripMember(int layoutWidth, bool green);

}  // namespace pictures
