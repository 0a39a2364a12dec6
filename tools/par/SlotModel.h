// A slot machine's math model as the analysis tool works on it: three reel strips with each
// position's symbol and form, the pay table's factors, the bonus meter's rules and the eight prizes.
#pragma once

#include <array>
#include <cstdint>

#include "engine/Host.h"
#include "engine/PayTable.h"
#include "engine/ReelData.h"

namespace par {

// The symbols 0..4 as the engine codes them (plum, seven, triple bar,
// double bar, single bar); a blank is engine::BlankCode.
inline constexpr int32_t ModelSymbols = 5;

// How a position is drawn and what it does: Up and Down nudge the reel to
// bring the symbol onto the payline, Bonus adds its symbol's points to the
// meter, Reset matches no rule and acts on the meter as the model says.
enum class Form : int8_t { Plain, Up, Down, Bonus, Reset };

struct StripPosition {
    int8_t symbol = static_cast<int8_t>(engine::BlankCode);  // 0..4 or blank; blank for a Reset
    Form form = Form::Plain;

    friend bool operator==(const StripPosition&, const StripPosition&) = default;
};

// What a Reset symbol on the payline does to the meter.
enum class ResetRule : int8_t {
    EmptiesMeter,  // as the game: the meter drops to 0 and the spin's points are lost
    KeepsMeter,    // nothing: the spin's points count as usual
};

// The bounds a model file is held to: the meter chain stays small, and a win
// of 5 coins, a prize and the sums of the simulation stay far from overflow.
inline constexpr int32_t MaxMeterFull = 24;
inline constexpr int32_t MaxSymbolPoints = 8;
inline constexpr int32_t MaxFactor = 1'000'000;
inline constexpr int32_t MaxPrize = 1'000'000;

struct SlotModel {
    // [reel][position - 1]; each reel has the game's 30 stops, since the
    // generator draws each stop as Random(30).
    std::array<std::array<StripPosition, engine::StripLength>, engine::ReelCount> strips{};
    // Win per coin of each rule, in the order the rules are tried.
    std::array<int32_t, engine::PayRuleCount> payFactors{};
    int32_t meterFull = engine::BonusMeterFull;  // points that fill the meter and open the bonus game
    ResetRule reset = ResetRule::EmptiesMeter;
    std::array<int32_t, ModelSymbols> bonusPoints{};  // of a Bonus form, by its symbol
    engine::BonusPrizes prizes{};                     // the eight boxes

    // A position 1..30, any other number wrapped around the strip.
    const StripPosition& At(int reel, int32_t position) const;
    // The stop after the Down and then the Up nudge, as the game nudges.
    int32_t NudgedStop(int reel, int32_t stop) const;
    // The payline reading of a position: its symbol, engine::NoSymbol for a Reset.
    int32_t PaylineSymbol(int reel, int32_t position) const;
    // The meter points of a position: a Bonus form's symbol's points, else 0.
    int32_t PointsAt(int reel, int32_t position) const;
    int32_t PayFactor(engine::PayRule rule) const;

    friend bool operator==(const SlotModel&, const SlotModel&) = default;
};

// The game's own model, read from the engine's reel data, pay table and
// meter rules.
const SlotModel& DefaultModel();

}  // namespace par
