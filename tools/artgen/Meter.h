#pragma once

// The bonus meter: thirteen slices of 78 x 59 stacked in one picture, level n at
// y = (12 - n) x 59, each an arc of twelve lamps with n of them lit.

#include <QImage>
#include <QPointF>

namespace artwork {

inline constexpr int MeterLamps = 12;

// Centre of lamp i (0 = first to light) within a slice.
QPointF MeterLampCentre(int lamp);
inline constexpr double MeterLampRadius = 3.7;

// Top of the slice that shows `level` lit lamps.
int MeterSliceTop(int level);

QImage MeterSlice(int level);
QImage Meter();

}  // namespace artwork
