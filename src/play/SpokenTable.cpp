// The table in words: symbol names after the built-in pictures, and the
// announcements a screen reader speaks.
#include "play/SpokenTable.h"

#include <array>
#include <string_view>

#include "engine/BonusMeter.h"
#include "engine/PayTable.h"

namespace play {

namespace {

constexpr std::array<std::string_view, 5> SymbolNames = {"Plum", "Seven", "Triple bar", "Double bar", "Single bar"};
constexpr std::array<std::string_view, 3> BarNames = {"triple bar", "double bar", "single bar"};
constexpr std::array<std::string_view, engine::ReelCount> ReelNames = {"Left", "Middle", "Right"};

// Cells 5..13 are the Up, Down and Bonus forms of the three bars.
constexpr int32_t FirstUpCell = 5;
constexpr int32_t FirstDownCell = 8;
constexpr int32_t FirstBonusCell = 11;
constexpr int32_t ResetCell = 14;

std::string RuleWords(engine::PayRule rule)
{
    switch (rule) {
    case engine::PayRule::ThreeSymbol0: return "Three plums";
    case engine::PayRule::ThreeSymbol1: return "Three sevens";
    case engine::PayRule::TwoSymbol0: return "Two plums";
    case engine::PayRule::ThreeSymbol2: return "Three triple bars";
    case engine::PayRule::ThreeSymbol3: return "Three double bars";
    case engine::PayRule::ThreeSymbol4: return "Three single bars";
    case engine::PayRule::MixedBars: return "Three mixed bars";
    case engine::PayRule::OneSymbol0: return "One plum";
    case engine::PayRule::None: break;
    }
    return "No win";
}

std::string Credits(int32_t credits)
{
    return "Credits " + std::to_string(credits) + ".";
}

}  // namespace

std::string SymbolName(int reel, int32_t position)
{
    const int32_t cell = engine::CellAt(reel, position);
    if (cell >= 0 && cell < FirstUpCell) return std::string(SymbolNames[static_cast<size_t>(cell)]);
    if (cell >= FirstUpCell && cell < ResetCell) {
        const auto form = static_cast<size_t>(cell - FirstUpCell);
        const std::string_view prefix = cell < FirstDownCell ? "Up " : cell < FirstBonusCell ? "Down " : "Bonus ";
        return std::string(prefix) + std::string(BarNames[form % BarNames.size()]);
    }
    return cell == ResetCell ? "Reset" : "Blank";
}

std::string PaylineText(const engine::ReelStops& stops)
{
    std::string text;
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        if (reel > 0) text += ", ";
        text += SymbolName(reel, engine::PaylinePosition(stops, reel));
    }
    return text;
}

std::string BetAnnouncement(int32_t coins, int32_t credits)
{
    return "Coins " + std::to_string(coins) + ". " + Credits(credits);
}

std::string SpinAnnouncement(const engine::SpinOutcome& outcome, int32_t credits)
{
    if (outcome.win <= 0) return "No win. " + Credits(credits);
    return RuleWords(outcome.rule) + ". You win " + std::to_string(outcome.win) + ". " + Credits(credits);
}

std::string NudgeAnnouncement(int reel, engine::SlideDirection direction)
{
    const std::string_view name = reel >= 0 && reel < engine::ReelCount ? ReelNames[static_cast<size_t>(reel)] : "A";
    return std::string(name) + " reel nudges " + (direction == engine::SlideDirection::Down ? "down." : "up.");
}

std::string RefusedAnnouncement()
{
    return "Reels turning.";
}

std::string MeterAnnouncement(int32_t meter)
{
    return "Bonus meter " + std::to_string(meter) + " of " + std::to_string(engine::BonusMeterFull) + ".";
}

std::string BonusAnnouncement(int box, int32_t prize, int32_t credits)
{
    const std::string held = prize > 0 ? "holds " + std::to_string(prize) : "is empty";
    return "Bonus game: box " + std::to_string(box) + " " + held + ". " + Credits(credits);
}

std::string BorrowAnnouncement(int32_t borrowedBefore, int32_t borrowedAfter, int32_t credits)
{
    const bool borrowed = borrowedAfter >= borrowedBefore;
    const int64_t amount = borrowed ? int64_t{borrowedAfter} - borrowedBefore : int64_t{borrowedBefore} - borrowedAfter;
    return std::string(borrowed ? "You borrowed " : "You paid back ") + std::to_string(amount) + ". Credits " +
           std::to_string(credits) + ", borrowed " + std::to_string(borrowedAfter) + ".";
}

}  // namespace play
