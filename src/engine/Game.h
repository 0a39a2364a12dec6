// The player's operations (bet one, bet five, spin) and the order of a spin,
// each decided at once and handed back as a script.
#pragma once

#include "engine/BonusMeter.h"
#include "engine/GameState.h"
#include "engine/Host.h"
#include "engine/Outcomes.h"
#include "engine/Random.h"
#include "engine/Reels.h"
#include "engine/Script.h"

namespace engine {

// The player's operations and the order of a spin. A command changes the
// game at once to where it settles and writes what the player is to see and
// hear of it, in order, into a script; nothing waits. Without a script (the
// analysis tool) the game is played the same way, unseen.
class Game {
public:
    // The outcomes come from the generator unless another source is given.
    Game(GameState& state, Random& random, Host& host, OutcomeSource& outcomes = DefaultOutcomes());

    void BetOne(Script* script);
    void BetFive(Script* script);
    void Spin(Script* script);
    Script BetOne() { return Scripted(&Game::BetOne); }
    Script BetFive() { return Scripted(&Game::BetFive); }
    Script Spin() { return Scripted(&Game::Spin); }

    // A meter left full (a bonus game owed by a spin that was cut short or
    // killed) plays its bonus game now, before any bet: the script ends at
    // the bonus window. Nothing happens otherwise.
    void PlayOwedBonusGame(Script* script);
    Script PlayOwedBonusGame() { return Scripted(&Game::PlayOwedBonusGame); }

    // A script that ends at the bonus window waits for the player's box:
    // 1..8, or 0 when none was opened. The prize becomes SpinWin, goes into
    // BonusWon, and is then counted; the spin (or owed game) ends.
    bool BonusPickPending() const { return bonusPending_; }
    void PickBonusBox(int box, Script* script);
    Script PickBonusBox(int box)
    {
        Script script;
        PickBonusBox(box, &script);
        return script;
    }
    // A close leaves the pending bonus game unplayed: the meter stays full,
    // and the game is owed at the next start.
    void LeaveBonusOwed() { bonusPending_ = false; }
    // The prize behind a box of the pending bonus game (0 for none).
    int32_t PrizeInBox(int box) const;

    // Whether the rules left the win flash on: a spin that paid turns it on.
    bool WinFlashOn() const { return winFlashOn_; }

    // Parts of a spin, public for tests and the analysis tool.
    void EvaluateSpin(Script* script);
    void CountUpWin(Script* script);

    ReelStops& Stops();
    const ReelStops& Stops() const;
    const BonusPrizes& Prizes() const;

    // The two information messages of the bets.
    static constexpr const char* OutOfCreditsMessage = "You are out of credits...better borrow some!";
    static constexpr const char* NoBetMessage = "No bet was placed!";

private:
    // Points the game's running command at its script for as long as it runs.
    class Writing {
    public:
        Writing(Script*& target, Script* script) : target_(target), before_(target) { target_ = script; }
        ~Writing() { target_ = before_; }
        Writing(const Writing&) = delete;
        Writing& operator=(const Writing&) = delete;

    private:
        Script*& target_;
        Script* before_;
    };

    Script Scripted(void (Game::*command)(Script*))
    {
        Script script;
        (this->*command)(&script);
        return script;
    }
    template <typename S>
    void Add(S s)
    {
        if (script_) script_->Add(std::move(s));
    }

    void PlaceCoin();
    void AddBonusPoints(bool reset, int32_t points);
    void RunNudges();
    void Nudge(int reel, SlideDirection direction);
    void ShowButtons(bool lit);
    void OpenBonusWindow();
    // The end of a spin: the table released and calling for attention.
    void EndSpin();

    GameState& state_;
    Random& random_;
    Host& host_;
    OutcomeSource& outcomes_;
    ReelStops stops_ = StartStops;
    BonusPrizes prizes_ = BonusPrizeFill;
    Script* script_ = nullptr;   // where the running command writes
    bool bonusPending_ = false;  // the bonus window waits for the player's box
    bool bonusEndsSpin_ = false; // the pending bonus game belongs to a spin
    bool winFlashOn_ = false;
};

}  // namespace engine
