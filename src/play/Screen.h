// The table as the play draws it: the description of the table made visible,
// and the frames of the reels, drawn ahead and shown when their time comes.
#pragma once

#include <array>
#include <cstdint>

#include "engine/Reels.h"
#include "engine/TableTypes.h"
#include "play/TableShown.h"

namespace play {

// Which reels came to rest in a frame of the spin (each wants the stop sound).
using ReelsStopped = std::array<bool, engine::ReelCount>;

// The table's drawing surface. What it draws has its area shown at the
// window's next paint, unless frames are being shown (see HoldDrawings).
// Before the table's pictures are loaded nothing is drawn.
class Screen {
public:
    virtual ~Screen() = default;

    // The whole table as described: reels, payline, counters, buttons,
    // meter, lit areas, and the recall mark when it names a spin.
    virtual void DrawTable(const TableShown& table) = 0;
    // Only what differs from `before` (counters, buttons, lit areas, meter),
    // in that order; a Coins figure drawn wipes the Winnings field.
    virtual void DrawChanges(const TableShown& before, const TableShown& now) = 0;

    // The table as it stands, kept before a recall and shown again after it;
    // false when it cannot be (the table has changed size meanwhile).
    virtual void KeepTable() = 0;
    virtual bool RestoreTable() = 0;

    // The range of the motion offsets: the height of the scaled motion strip.
    virtual int32_t MotionHeight() const = 0;

    // While held, drawings made between two frames (an attention light) wait
    // and are shown with the next frame; released, whatever waits is shown
    // the usual way.
    virtual void HoldDrawings(bool hold) = 0;
    // Draws frame 1..47 of the spin, advancing the offsets of reels still
    // blurring; nothing of it is shown yet.
    virtual ReelsStopped DrawSpinFrame(int frame, engine::MotionOffsets& offsets, const engine::ReelStops& stops) = 0;
    // Shows the frame drawn last, with the drawings held for it, before returning.
    virtual void ShowSpinFrame() = 0;

    // A nudge: step 0..7 of the slide from the stop before the change, then
    // the settle bounce (captured once, steps 0..7).
    virtual void DrawNudgeStep(int reel, int32_t stop, engine::SlideDirection direction, int step) = 0;
    virtual void CaptureSettle(int reel) = 0;
    virtual void DrawSettleStep(int reel, int step) = 0;
};

}  // namespace play
