// The bonus meter: one slice for each level from empty to full stacked in one
// picture, the full meter on top, each an arc of one lamp per point with as
// many lit as the level.
#pragma once

#include <QImage>
#include <QPointF>

#include "engine/BonusMeter.h"

namespace artwork {

inline constexpr int MeterLamps = engine::BonusMeterFull;

// Centre of lamp i (0 = first to light) within a slice.
QPointF MeterLampCentre(int lamp);
inline constexpr double MeterLampRadius = 3.7;

// Top of the slice that shows `level` lit lamps.
int MeterSliceTop(int level);

// A slice, or the strip of all of them, at `scale` times the design size; each
// slice then sits at `scale` times its top.
QImage MeterSlice(int level, qreal scale = 1);
QImage Meter(qreal scale = 1);

}  // namespace artwork
