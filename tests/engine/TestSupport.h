// Shared by the engine tests: a game whose scripts are read by a recording
// host, and seeds that give chosen stops.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "RecordingHost.h"
#include "engine/Game.h"
#include "engine/Reels.h"

// A game on a recording host, ready for input as after the start-up tick.
// Each command's script is read into the host's calls; a bonus window step
// is answered with a box as a player would pick it.
struct TestTable {
    engine::GameState state;
    engine::Random random{1};
    RecordingHost host;
    engine::Game game{state, random, host};

    int pickedBox = 0;  // box index 0..7 opened in the bonus window, -1 for none
    // When set, chooses the box (index 0..7) instead of pickedBox.
    std::function<int(const engine::BonusPrizes&)> chooseBox;
    // The game as each decision settled it: after the command, and after
    // each bonus pick (what the play makes durable before showing it).
    std::vector<engine::GameState> settled;

    TestTable() { state.SpinInProgress = false; }

    void BetOne() { Read(game.BetOne()); }
    void BetFive() { Read(game.BetFive()); }
    void Spin() { Read(game.Spin()); }
    void PlayOwedBonusGame() { Read(game.PlayOwedBonusGame()); }
    // Parts of a spin on their own.
    void Evaluate()
    {
        engine::Script script;
        game.EvaluateSpin(&script);
        Read(script);
    }
    void CountUp()
    {
        engine::Script script;
        game.CountUpWin(&script);
        Read(script);
    }

private:
    void Read(const engine::Script& script);
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
