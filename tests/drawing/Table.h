// A table to draw on in tests: a surface and its painter, as the window holds them.
#pragma once

#include <QImage>

#include <memory>

#include "SyntheticPictures.h"
#include "drawing/TablePainter.h"

namespace drawingtest {

// A surface and its painter, the way the window holds them.
struct Table {
    pictures::PictureSet pictures;
    QImage surface;
    std::unique_ptr<drawing::TablePainter> painter;

    Table(int layoutWidth, QSize surfaceSize, int originX = 0, pictures::PictureSet set = picturetest::Synthetic(),
          int dpi = 96)
        : pictures(std::move(set)), surface(surfaceSize, QImage::Format_RGB32)
    {
        surface.fill(qRgb(7, 7, 7));  // neither black nor any picture's colour
        drawing::TableMetrics metrics;
        metrics.layoutWidth = layoutWidth;
        metrics.originX = originX;
        metrics.logicalDpi = dpi;
        painter = std::make_unique<drawing::TablePainter>(surface, pictures, metrics);
    }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    drawing::TablePainter& operator*() { return *painter; }
    drawing::TablePainter* operator->() { return painter.get(); }
    QRgb At(int x, int y) const { return surface.pixel(x, y); }
};

}  // namespace drawingtest
