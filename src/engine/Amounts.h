// Credits, bets and counts are signed 32-bit amounts. A loaded game may hold
// any value and borrowing has no upper limit, so every change saturates at
// the limits instead of wrapping around.
#pragma once

#include <cstdint>
#include <limits>

namespace engine {

inline constexpr int32_t SaturateAmount(int64_t value)
{
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

inline constexpr int32_t SaturatingAdd(int32_t a, int32_t b)
{
    return SaturateAmount(static_cast<int64_t>(a) + b);
}

inline constexpr int32_t SaturatingSubtract(int32_t a, int32_t b)
{
    return SaturateAmount(static_cast<int64_t>(a) - b);
}

inline constexpr int32_t SaturatingMultiply(int32_t a, int32_t b)
{
    // |a × b| < 2^62, so the 64-bit product itself never overflows.
    return SaturateAmount(static_cast<int64_t>(a) * b);
}

}  // namespace engine
