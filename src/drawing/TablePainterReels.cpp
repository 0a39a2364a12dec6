// The reels: at rest, blurring, bouncing and sliding, each change followed by
// the payline.
#include <algorithm>

#include "TablePainter.h"
#include "pictures/SurfaceCopy.h"
#include "pictures/TableLayout.h"

namespace drawing {

using pictures::Black;
using pictures::CopyUnscaled;
using pictures::CropOpaque;
using pictures::FillRect;
namespace {

constexpr QRgb PaylineRed = 0xffff0000u;

// Design pixels the view moves along the motion strip in one frame.
constexpr int MotionStep = 61;
// Design pixels a nudged reel slides in one step.
constexpr int NudgeStep = 10;
// Design pixels cut from the foot of the reel window before a settle bounce.
constexpr int SettleTrim = 8;

// Unscaled pixel offsets of the stop bounce, phases 22 to 29 of a spin.
constexpr int SpinBounce[8] = {1, 2, 1, 0, -1, -2, -1, 0};
constexpr int SpinBounceTrim = 8;

// Unscaled pixel offsets of the settle bounce after a nudge.
constexpr int SettleBounce[8] = {2, 4, 2, 0, -2, -4, -2, 0};

constexpr int LastMotionPhase = 20;
constexpr int StopPhase = 21;
constexpr int FirstBouncePhase = 22;
constexpr int FramesBetweenReels = 9;

bool ValidReel(int reel)
{
    return reel >= 0 && reel < engine::ReelCount;
}

int Wrapped(int64_t offset, int height)
{
    const int64_t o = offset % height;
    return static_cast<int>(o < 0 ? o + height : o);
}

}  // namespace

QRect TablePainter::ReelWindow(int reel) const
{
    if (!ValidReel(reel)) {
        return {};
    }
    const int c = device_.CellSize;
    return QRect(device_.ReelLeft + reel * device_.ReelPitch, device_.ReelTop, c, 3 * c);
}

void TablePainter::DrawSheetPart(QPoint at, const QRect& sheetPart)
{
    // Where a small sheet ends, the cell is black.
    CopyUnscaled(surface_, at, symbolSheet_, sheetPart);
}

QRect TablePainter::DrawPayline()
{
    // One logical pixel high, from Scaled(PaylineLeft) up to Scaled(PaylineRight),
    // whose pixel the line ends before (lines stop short of their end point).
    const int c = geometry_.CellSize;
    const int left = DeviceScaled(pictures::layout::PaylineLeft) + metrics_.originX;
    const int right = DeviceScaled(pictures::layout::PaylineRight) + metrics_.originX;
    return FillRect(surface_, QRect(left, ToDevice(geometry_.ReelTop + c + c / 2), right - left, ToDevice(1)),
                    PaylineRed);
}

QRect TablePainter::DrawReel(int reel, int32_t reelStop)
{
    const QRect window = ReelWindow(reel);
    if (window.isEmpty()) {
        return {};
    }
    const int c = device_.CellSize;
    for (int row = 0; row < 3; ++row) {
        const int cell = engine::CellAt(reel, engine::WrapPosition(reelStop + row));
        DrawSheetPart(QPoint(window.left(), window.top() + row * c), QRect((cell % 4) * c, (cell / 4) * c, c, c));
    }
    return window.intersected(surface_.rect()) | DrawPayline();
}

QRect TablePainter::DrawMotionFrame(int reel, int32_t offset)
{
    const QRect window = ReelWindow(reel);
    if (window.isEmpty()) {
        return {};
    }
    const int height = motionStrip_.height();
    if (height <= 0) {
        FillRect(surface_, window, Black);
    } else {
        // The strip is a loop: past its last row the view goes on at its
        // first, as often as a short strip needs. The offset is logical.
        int row = Wrapped(ToDevice(offset), height);
        for (int y = 0; y < window.height();) {
            const int rows = std::min(height - row, window.height() - y);
            CopyUnscaled(surface_, QPoint(window.left(), window.top() + y), motionStrip_,
                         QRect(0, row, window.width(), rows));
            y += rows;
            row = 0;
        }
    }
    return window.intersected(surface_.rect()) | DrawPayline();
}

QRect TablePainter::DrawReelCopy(const QImage& copy, int reel, int offset)
{
    const QRect window = ReelWindow(reel);
    const QRect changed = CopyUnscaled(surface_, QPoint(window.left(), window.top() + offset), copy);
    return changed | DrawPayline();
}

TablePainter::SpinFrame TablePainter::DrawSpinFrame(int frameCounter, engine::MotionOffsets& offsets,
                                                    const engine::ReelStops& stops)
{
    SpinFrame frame;
    const int c = device_.CellSize;
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        const auto i = static_cast<size_t>(reel);
        const int phase = frameCounter - FramesBetweenReels * reel;
        if (phase <= LastMotionPhase) {
            frame.dirty |= DrawMotionFrame(reel, offsets[i]);
            // The view climbs the strip, so the symbols run downwards.
            const int height = geometry_.MotionHeight;
            offsets[i] = height > 0 ? Wrapped(int64_t(offsets[i]) - Scaled(MotionStep), height) : 0;
        } else if (phase == StopPhase) {
            frame.dirty |= DrawReel(reel, stops[i]);
            frame.stoppedReel[i] = true;
        } else if (phase < FirstBouncePhase + 8) {
            if (phase == FirstBouncePhase || reelCopies_[i].isNull()) {
                reelCopies_[i] = CropOpaque(surface_, QRect(ReelWindow(reel).topLeft(),
                                                            QSize(c, std::max(0, 3 * c - ToDevice(SpinBounceTrim)))));
            }
            frame.dirty |= DrawReelCopy(reelCopies_[i], reel, ToDevice(SpinBounce[phase - FirstBouncePhase]));
            if (phase == FirstBouncePhase + 7) {
                reelCopies_[i] = QImage();  // this reel's bounce is over: one copy at a time
            }
        }
    }
    if (frameCounter >= FirstBouncePhase + 7 + FramesBetweenReels * (engine::ReelCount - 1)) {
        for (QImage& copy : reelCopies_) {
            copy = QImage();  // the spin is over
        }
    }
    return frame;
}

QRect TablePainter::DrawNudgeStep(int reel, int32_t reelStop, engine::SlideDirection direction, int step)
{
    const QRect window = ReelWindow(reel);
    if (window.isEmpty()) {
        return {};
    }
    const int c = device_.CellSize;
    const int move = DeviceScaled(NudgeStep);
    step = std::clamp(step, 0, 7);

    // A strip of four cells; the view of three slides one cell along it, up
    // for Down (from the cell above the stop) and down for Up.
    int first = 0;
    int view = 0;
    if (direction == engine::SlideDirection::Down) {
        first = engine::WrapPosition(reelStop - 1);
        view = step < 7 ? c - (step + 1) * move : 0;
    } else {
        first = engine::WrapPosition(reelStop);
        view = step < 7 ? (step + 1) * move : c;
    }
    view = std::clamp(view, 0, c);

    for (int k = 0; k < 4; ++k) {
        const int from = std::max(k * c, view);
        const int to = std::min(k * c + c, view + 3 * c);
        if (to <= from) {
            continue;
        }
        const int cell = engine::CellAt(reel, engine::WrapPosition(first + k));
        DrawSheetPart(QPoint(window.left(), window.top() + from - view),
                      QRect((cell % 4) * c, (cell / 4) * c + from - k * c, c, to - from));
    }
    return window.intersected(surface_.rect()) | DrawPayline();
}

QRect TablePainter::CaptureSettle(int reel)
{
    const QRect window = ReelWindow(reel);
    if (window.isEmpty()) {
        return {};
    }
    const int c = device_.CellSize;
    settleCopy_[reel] =
        CropOpaque(surface_, QRect(window.topLeft(), QSize(c, std::max(0, 3 * c - DeviceScaled(SettleTrim)))));
    return DrawPayline();
}

QRect TablePainter::DrawSettleStep(int reel, int step)
{
    if (!ValidReel(reel)) {
        return {};
    }
    if (settleCopy_[reel].isNull()) {
        CaptureSettle(reel);
    }
    step = std::clamp(step, 0, 7);
    const QRect changed = DrawReelCopy(settleCopy_[reel], reel, ToDevice(SettleBounce[step]));
    if (step == 7) {
        settleCopy_[reel] = QImage();  // the next nudge takes its own copy
    }
    return changed;
}

}  // namespace drawing
