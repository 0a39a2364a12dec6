// Shared by the engine tests: a game on a recording host, and seeds that give chosen stops.
#pragma once

#include <cstdint>
#include <functional>

#include "RecordingHost.h"
#include "engine/Game.h"
#include "engine/Reels.h"

// A game on a recording host, ready for input as after the start-up tick.
struct TestTable {
    engine::GameState state;
    engine::Random random{1};
    RecordingHost host{state};
    engine::Game game{state, random, host};

    TestTable() { state.SpinInProgress = false; }
};

// The stops where the reels come to rest after a spin from the given seed
// (motion height 456), nudges applied.
engine::ReelStops RestingStopsFor(uint32_t seed);

// The first seed from 1 on whose spin comes to rest on stops that satisfy
// the predicate; fails the test when none of the first million does.
uint32_t SeedWhere(const std::function<bool(const engine::ReelStops& drawn, const engine::ReelStops& resting)>& wanted);

// The stop that puts the given strip position on the payline.
inline int32_t StopShowing(int32_t paylinePosition)
{
    return paylinePosition == 1 ? 30 : paylinePosition - 1;
}
