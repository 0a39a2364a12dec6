// The play's history: each spin and bonus game as its outcome is secured,
// and the money events; what the files tell of the history (it cannot be
// kept for now, it is kept again) is told once no spin runs.
#include <algorithm>
#include <string>

#include "engine/Amounts.h"
#include "engine/BonusMeter.h"
#include "engine/PayTable.h"
#include "engine/SpinOutcome.h"
#include "play/Session.h"

namespace play {

namespace {

// "-", "D", "U" or "DU" for each reel, separated by spaces.
std::string NudgeText(const engine::SpinOutcome& outcome)
{
    std::string text;
    for (size_t reel = 0; reel < outcome.resting.size(); ++reel) {
        if (reel > 0) text += ' ';
        std::string moves = std::string(outcome.nudgedDown[reel] ? "D" : "") + (outcome.nudgedUp[reel] ? "U" : "");
        text += moves.empty() ? "-" : moves;
    }
    return text;
}

}  // namespace

void Session::Record(store::HistoryEntry entry, const engine::GameState& after)
{
    if (!historyOn_) return;
    const engine::GameState money = engine::WithCoinsReturned(after);
    entry.game = after.GameName;
    entry.creditsAfter = money.Credits;
    entry.borrowed = after.Borrowed;
    entry.totalBets = after.TotalBets;
    entry.spins = after.Spins;
    if (const auto problem = parts_.files.Record(entry)) HistoryFailed(*problem);
}

void Session::RecordSpin(const engine::GameState& before, const engine::ReelStops& drawn)
{
    // The spin just decided: its coins are LastBet now, and the game before
    // the command held them on the table or in its credits.
    const int32_t bet = state_.LastBet;
    const engine::SpinOutcome outcome = engine::DecideSpin(drawn, bet, std::min(before.BonusPts, engine::BonusMeterFull));
    spinToAnnounce_ = outcome;
    meterMoved_ = outcome.meterAfter != outcome.meterBefore;
    store::HistoryEntry entry;
    entry.bet = bet;
    entry.stops = outcome.drawn;
    entry.symbols = outcome.symbols;
    entry.nudges = NudgeText(outcome);
    entry.rule = outcome.rule == engine::PayRule::None ? "" : engine::PayRuleDescription(outcome.rule);
    entry.win = outcome.win;
    entry.bonusPoints = outcome.bonusPoints;
    entry.meterBefore = outcome.meterBefore;
    entry.meterAfter = outcome.meterAfter;
    entry.reset = outcome.reset;
    entry.creditsBefore = engine::WithCoinsReturned(before).Credits;
    Record(entry, state_);
}

void Session::RecordBonus(int box, int32_t prize)
{
    // The bonus game just played: its prize is settled in Credits.
    store::HistoryEntry entry;
    entry.kind = store::HistoryKind::Bonus;
    entry.box = box;
    entry.boxes = game_.Prizes();
    entry.prize = prize;
    entry.meterBefore = engine::BonusMeterFull;
    entry.meterAfter = state_.BonusPts;
    entry.creditsBefore = engine::SaturatingSubtract(engine::WithCoinsReturned(state_).Credits, prize);
    Record(entry, state_);
}

void Session::HistoryFailed(const std::string& notice)
{
    // Two that come before the first is told (the history stopped and is
    // kept again within one spin) are told together.
    historyProblem_ = historyProblem_ ? WithFullStop(*historyProblem_) + " " + notice : notice;
}

void Session::TellHistoryProblem()
{
    // Never in the middle of a spin: the reels are not held up by a box.
    if (!historyProblem_ || lifecycle_.CommandRunning()) return;
    const std::string text = *historyProblem_;
    historyProblem_.reset();
    parts_.dialogs.ShowNotice(text);
}

void Session::CloseHistory()
{
    // Once: a borrowing the closing cut short is still recorded after it
    // (its window returns once the game has closed), and goes in or waits.
    if (!historyOn_ || historyClosed_) return;
    historyClosed_ = true;
    const auto notice = parts_.files.CloseHistory();
    // Not after a termination signal: no one may be there to close the box.
    if (notice && lifecycle_.CloseWithReminder()) parts_.dialogs.ShowError(*notice);
}

}  // namespace play
