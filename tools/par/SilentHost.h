// A host for the analysis tool's simulation, which shows, plays and waits for
// nothing, and answers the bonus window as the Enter key would.
#pragma once

#include <cstdint>

#include "engine/Game.h"
#include "engine/Host.h"
#include "engine/Random.h"

namespace par {

// A host whose music always starts, on the motion strip of an 800-pixel-wide
// screen. Spins are played without scripts.
class SilentHost final : public engine::Host {
public:
    // The motion strip of an 800-pixel-wide screen.
    static constexpr int32_t DefaultMotionHeight = 456;

    explicit SilentHost(engine::Random& random) : random_(random) {}

    bool StartPendingTrack() override { return true; }
    int32_t MotionHeight() const override { return DefaultMotionHeight; }

    // A bonus game the last command left waiting: a box opened the way the
    // Enter key does, one Random(8) after the shuffle, and the prize counted.
    void PlayBonusPick(engine::Game& game);

    // Bonus games run and prizes picked since the last call.
    int64_t TakeBonusGames();
    int64_t TakeBonusPrizes();

private:
    engine::Random& random_;
    int64_t bonusGames_ = 0;
    int64_t bonusPrizes_ = 0;
};

}  // namespace par
