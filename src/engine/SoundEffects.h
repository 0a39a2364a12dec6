#pragma once

namespace engine {

// The numbered sound effects the rules ask for (the bonus window plays 4, 5
// and 7 itself, the reel animation 0).
namespace SoundEffect {
inline constexpr int ReelStop = 0;
inline constexpr int Coin = 1;
inline constexpr int MeterReset = 2;
inline constexpr int CountUp = 3;
inline constexpr int EmptyBox = 4;
inline constexpr int PrizeBox = 5;
inline constexpr int MeterPoint = 6;
inline constexpr int BonusOpening = 7;
inline constexpr int NudgeDown = 8;
inline constexpr int NudgeUp = 9;
}  // namespace SoundEffect

}  // namespace engine
