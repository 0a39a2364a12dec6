// The reels' data: the three strips, the positions drawn in other forms, and the facts of every
// position (its cell, its nudges, what the payline shows) worked out at compile time.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/Host.h"

namespace engine {

inline constexpr int32_t StripLength = 30;

// The code value of a blank position.
inline constexpr int32_t BlankCode = 9;

// The constant tables behind the reel, pay-table and meter lookups. Built at
// compile time so that a spin's lookups are single loads.
namespace reeldata {

// Symbol codes, position 1 first.
inline constexpr std::array<std::string_view, ReelCount> Strips{
    "493919294909294919394909294939",
    "394929392949390949291939491929",
    "493919493929490939194929394909",
};

// Positions drawn with another form of their symbol: the offset added to the
// code value gives the cell (Up +3, Down +6, Bonus +9, Reset +14).
struct FormPosition {
    int reel;
    int32_t position;
    int32_t offset;
};

inline constexpr FormPosition Forms[] = {
    {0, 1, 3},  {0, 7, 3},   {0, 9, 3},  {0, 29, 3}, {0, 15, 6}, {0, 19, 6}, {0, 25, 6},
    {0, 21, 9}, {0, 11, 14}, {1, 3, 3},  {1, 7, 3},  {1, 19, 3}, {1, 11, 6}, {1, 23, 6},
    {1, 29, 6}, {1, 5, 9},   {1, 13, 9}, {1, 25, 9}, {2, 7, 3},  {2, 11, 3}, {2, 17, 3},
    {2, 1, 6},  {2, 21, 6},  {2, 23, 6}, {2, 25, 6}, {2, 3, 9},  {2, 27, 9}, {2, 15, 14},
};

// A Bonus form of symbol 2 is worth 3 points, of symbol 3 2, of symbol 4 1.
inline constexpr int32_t BonusPointsOfCode(int32_t code)
{
    return code == 2 ? 3 : code == 3 ? 2 : code == 4 ? 1 : 0;
}

// Symbol value of a Reset on the payline: it matches no pay-table rule.
inline constexpr int8_t ResetSymbol = -1;

struct PositionFacts {
    // The strip position itself.
    int8_t code = BlankCode;
    int8_t cell = 15;
    int8_t bonusPoints = 0;
    bool reset = false;
    // A reel stopped with this position in its top row: its nudges, and what
    // its payline (the next position) shows.
    bool downNudge = false;
    bool upNudge = false;  // judged on the stop as it stands, before any Down nudge
    int8_t paylineSymbol = BlankCode;
    int8_t paylinePoints = 0;
    bool paylineReset = false;
};

// Indexed [reel][position]; position 0 is unused.
using FactsTable = std::array<std::array<PositionFacts, StripLength + 1>, ReelCount>;

constexpr FactsTable BuildFacts()
{
    FactsTable t{};
    for (int reel = 0; reel < ReelCount; ++reel) {
        for (int32_t pos = 1; pos <= StripLength; ++pos) {
            const int8_t code = static_cast<int8_t>(Strips[reel][pos - 1] - '0');
            t[reel][pos].code = code;
            t[reel][pos].cell = code == BlankCode ? 15 : code;
        }
    }
    for (const FormPosition& f : Forms) {
        PositionFacts& p = t[f.reel][f.position];
        p.cell = static_cast<int8_t>(p.cell + f.offset);
        if (f.offset == 9) p.bonusPoints = static_cast<int8_t>(BonusPointsOfCode(p.code));
        if (f.offset == 14) p.reset = true;
    }
    for (int reel = 0; reel < ReelCount; ++reel) {
        for (int32_t stop = 1; stop <= StripLength; ++stop) {
            const PositionFacts& payline = t[reel][stop % StripLength + 1];
            const PositionFacts& bottom = t[reel][(stop + 1) % StripLength + 1];
            PositionFacts& p = t[reel][stop];
            p.downNudge = p.cell >= 8 && p.cell <= 10;
            p.upNudge = bottom.cell >= 5 && bottom.cell <= 7;
            p.paylineSymbol = payline.reset ? ResetSymbol : payline.code;
            p.paylinePoints = payline.bonusPoints;
            p.paylineReset = payline.reset;
        }
    }
    return t;
}

inline constexpr FactsTable Facts = BuildFacts();

inline constexpr bool ValidReel(int reel)
{
    return static_cast<unsigned>(reel) < static_cast<unsigned>(ReelCount);
}

}  // namespace reeldata

}  // namespace engine
