// How a simulated player spaces the spins: the button-attention picks that draw from the game's
// generator while the table waits, or none at all for the regression replay.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/Random.h"

namespace par {

enum class PlayModel {
    // Between spins the player waits 0 to MaxPauseTicks ticks of the 200 ms
    // button-attention timer, the number taken from a second generator.
    AttentionPauses,
    // Spin after spin with nothing drawn in between: the fixed reference that
    // earlier figures were produced with.
    Replay,
};

// The waits of the attention model. Each tick on an idle table picks the
// button to light as the table does, Random(3) again and again until the
// pick differs from the last one; after a winning spin the win flash runs
// and the ticks blink the spin button instead, drawing nothing.
// The pause lengths: the top four bits of each number of std::mt19937 seeded
// with the same seed, exactly, made 624 at a time (in vector lanes where the
// processor has them) instead of one call at a time.
class PauseTicks {
public:
    static constexpr size_t StateSize = 624;

    explicit PauseTicks(uint32_t seed);
    uint32_t Next()
    {
        if (next_ == StateSize) [[unlikely]]
            Refill();
        return ticks_[next_++];
    }

private:
    void Refill();

    std::array<uint32_t, StateSize> state_{};
    std::array<uint8_t, StateSize> ticks_{};
    size_t next_ = StateSize;
};

// The picks of ticks (at least one) ticks from the game generator's seed and
// the last pick, both advanced, sixteen draws at a time: after each draw the
// last pick is that draw, so a tick ends wherever a draw differs from the one
// before it, and the pause ends at the draw that ends the last tick. Returns
// false, changing nothing, where the processor lacks the instructions.
bool PickTicksVectorized(uint32_t& seed, int32_t& last, uint32_t ticks);

class AttentionPauses {
public:
    static constexpr uint32_t MaxPauseTicks = 15;  // three seconds

    // The second generator is seeded from the simulation's seed, but it is a
    // different generator, so its numbers are independent of the game's.
    explicit AttentionPauses(uint32_t seed) : pauses_(seed) {}

    // One pause: advances the game's generator by the picks of its ticks.
    void Wait(engine::Random& random, bool winFlash)
    {
        // The top four bits: 0..15 ticks, each equally likely.
        static_assert(MaxPauseTicks == 15, "four bits of the second generator");
        uint32_t ticks = pauses_.Next();
        if (winFlash || ticks == 0) return;
        uint32_t seed = random.Seed();
        int32_t last = lastPick_;
        if (PickTicksVectorized(seed, last, ticks)) {
            random.SetSeed(seed);
            lastPick_ = last;
            return;
        }
        // Draw by draw: a draw equal to the last pick is drawn again, any
        // other ends a tick. Written without a branch on the draw, so that
        // the only hard-to-predict branch is the end of the pause.
        while (ticks > 0) {
            seed = seed * engine::Random::Multiplier + engine::Random::Increment;
            const int32_t pick = PickOf(seed);  // Random(3)
            const bool endsTick = pick != last;
            last = endsTick ? pick : last;
            ticks -= endsTick ? 1 : 0;
        }
        random.SetSeed(seed);
        lastPick_ = last;
    }

    // The pause split for the simulations' own loops: the ticks of the next
    // pause (drawn even under a win flash, which spends them without picks),
    // and the last pick, which the picks advance.
    uint32_t NextTicks(bool winFlash)
    {
        const uint32_t ticks = pauses_.Next();
        return winFlash ? 0 : ticks;
    }
    int32_t& LastPick() { return lastPick_; }

private:
    // Random(3) from the seed a draw left.
    static int32_t PickOf(uint32_t seed) { return static_cast<int32_t>((uint64_t{seed} * 3) >> 32); }

    PauseTicks pauses_;
    int32_t lastPick_ = 0;  // the table starts with button 0 as the last pick
};

}  // namespace par
