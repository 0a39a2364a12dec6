// The digit counters: a number drawn with the digit strips onto any surface,
// the table's or a dialog's.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <optional>

#include "pictures/PictureSet.h"

namespace pictures {

// The digit cell for a layout width: cells are copied pixel for pixel, so
// wide tables use the large strips.
QSize DigitCellFor(int layoutWidth);

// The most characters a counter shows: ten digits, and a minus sign before
// them where the number has one.
inline constexpr int CounterCharacters = 11;

// The strips a counter is drawn from: ten cells side by side each, the
// layout's own cells and, where those are the large ones, the small cells
// that take over when a figure would not fit.
struct CounterDigits {
    QImage strip;
    QSize cell;
    QImage smallStrip;  // null where `strip` holds the small cells
    QSize smallCell;
};

// The green or red strips of `set` for a layout width, at their own size, or
// with every cell `cellScale` times its size in logical pixels, on a surface
// of `pixelRatio` device pixels a logical pixel; cells larger than the
// strips' own are drawn from their smallest variant at least that large.
CounterDigits CounterDigitsOf(const PictureSet& set, int layoutWidth, bool green, double pixelRatio = 1.0,
                              double cellScale = 1.0);
// How many times its own size a counter's cell is drawn on the table, so
// that the counters grow and shrink with it: the small cells are sized for
// an 800-wide table and the large ones for a 1024-wide one (never smaller
// than their own size, which they take from 1000).
double TableCellScale(int layoutWidth);
// The strip of `set` behind a layout's large or small cells.
QImage PictureSet::*DigitStripMember(bool large, bool green);
bool UsesLargeDigits(int layoutWidth);

// Draws number with `digits`, its top at y, starting at x or, right-aligned,
// ending there. A minus sign takes a cell of its own, lit like a digit's
// middle bar. One spare black cell on the open side erases the digit a
// shrinking number leaves behind. Returns the rectangle touched.
//
// `openLimit`, when given, is where a neighbour begins on the open side (the
// left for a right-aligned counter): nothing is drawn at or past it. A number
// whose large cells would reach it is drawn in the small cells, centred in
// the large cells' height, so that it stays whole; the spare cell is cut at it.
QRect DrawCounter(QImage& surface, const CounterDigits& digits, int number, int x, int y, bool rightAligned,
                  std::optional<int> openLimit = std::nullopt);

// The same with the strips of `set` for a layout width.
QRect DrawCounter(QImage& surface, const PictureSet& set, int layoutWidth, int number, int x, int y, bool rightAligned,
                  bool green, std::optional<int> openLimit = std::nullopt);

}  // namespace pictures
