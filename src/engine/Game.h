#pragma once

#include "GameState.h"
#include "Host.h"
#include "Random.h"
#include "Reels.h"

namespace engine {

// The player's operations and the order of a spin. The host is told what to
// draw, play and wait for; the rules decide everything else.
class Game {
public:
    Game(GameState& state, Random& random, Host& host);

    void BetOne();
    void BetFive();
    void Spin();

    // Parts of a spin, public for tests and the analysis tool.
    void EvaluateSpin();
    void CountUpWin();
    void AddBonusPoints();
    void RunBonusGame();

    // True from the start of Spin until it returns (including its count-ups
    // and the bonus window), unlike SpinInProgress, which also holds input at
    // start-up.
    bool SpinRunning() const;

    // Called from inside a running spin (a close or a termination signal):
    // the rest of the spin completes at once, without waits, sounds, slides
    // or the bonus window, so that the win is in Credits when Spin returns.
    void FinishSpinNow();

    ReelStops& Stops();
    const ReelStops& Stops() const;
    const BonusPrizes& Prizes() const;
};

}  // namespace engine
