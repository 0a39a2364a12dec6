// The player's operations (bet one, bet five, spin) and the order of a spin.
#pragma once

#include "engine/BonusMeter.h"
#include "engine/GameState.h"
#include "engine/Host.h"
#include "engine/Outcomes.h"
#include "engine/Random.h"
#include "engine/Reels.h"

namespace engine {

// The player's operations and the order of a spin. The host is told what to
// draw, play and wait for; the rules decide everything else.
class Game {
public:
    // The outcomes come from the generator unless another source is given.
    Game(GameState& state, Random& random, Host& host, OutcomeSource& outcomes = DefaultOutcomes());

    void BetOne();
    void BetFive();
    void Spin();

    // Parts of a spin, public for tests and the analysis tool.
    void EvaluateSpin();
    void CountUpWin();
    void AddBonusPoints();
    void RunBonusGame();

    // A meter left full (a bonus game owed by a spin that was cut short or
    // killed) plays its bonus game now, as a spin would, before any bet.
    // Nothing happens otherwise, or inside a spin.
    void PlayOwedBonusGame();

    // True from the start of Spin until it returns (including its count-ups
    // and the bonus window), unlike SpinInProgress, which also holds input at
    // start-up.
    bool SpinRunning() const;

    // Called from inside a running spin (a close or a termination signal):
    // the rest of the spin completes at once, without waits, sounds, slides
    // or the bonus window, so that the win is in Credits when Spin returns.
    void FinishSpinNow();

    // The two flags of GameState that hold play, written only by the rules.
    // Start-up holds input (SpinInProgress starts set) until the window
    // releases it, when no spin runs; a close asked for sets ClosingRequested,
    // which ends a running animation at its next frame.
    void ReleaseStartupHold();
    void RequestClose();

    ReelStops& Stops();
    const ReelStops& Stops() const;
    const BonusPrizes& Prizes() const;

    // The two information messages of the bets.
    static constexpr const char* OutOfCreditsMessage = "You are out of credits...better borrow some!";
    static constexpr const char* NoBetMessage = "No bet was placed!";

private:
    class RunningScope;

    // The game as it will stand when the spin just drawn has been shown and
    // counted, worked out from its stops before any of it is shown.
    GameState SettledSpin() const;
    // The game with the win not yet counted (a bonus prize) in Credits.
    GameState SettledWin() const;

    void PlaceCoin();
    void AddBonusPoints(bool reset, int32_t points);
    void RunNudges();
    void Nudge(int reel, SlideDirection direction);
    // Sounds are left out once the spin is to finish at once.
    void PlaySound(Effect effect);
    void DrawButtons(bool lit);

    GameState& state_;
    Random& random_;
    Host& host_;
    OutcomeSource& outcomes_;
    ReelStops stops_ = StartStops;
    BonusPrizes prizes_ = BonusPrizeFill;
    bool running_ = false;
    bool finishing_ = false;
    bool betCharged_ = false;  // the running spin's coins are played
};

}  // namespace engine
