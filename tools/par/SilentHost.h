// A host for the analysis tool's simulation, which shows, plays and waits for nothing.
#pragma once

#include <array>
#include <cstdint>

#include "engine/GameState.h"
#include "engine/Host.h"
#include "engine/Random.h"

namespace par {

// A host that draws, plays and waits for nothing. Its bonus window opens a
// box the way the Enter key does: one Random(8) after the shuffle.
class SilentHost final : public engine::Host {
public:
    // The motion strip of an 800-pixel-wide screen.
    static constexpr int32_t DefaultMotionHeight = 456;

    SilentHost(engine::GameState& state, engine::Random& random) : state_(state), random_(random) {}

    void DrawCreditsCounter() override {}
    void DrawCoinsCounter() override {}
    void DrawWinningsCaption() override {}
    void DrawWinningsCounter(int32_t) override {}
    void DrawButton(engine::Button, bool) override {}
    void DrawLogoPanel(bool) override {}
    void DrawTitlePlate(bool) override {}
    void DrawBetSign(bool) override {}
    void DrawBonusMeter() override;

    void SetTimerEnabled(engine::AttentionTimer timer, bool enabled) override
    {
        timers_[static_cast<size_t>(timer)] = enabled;
    }
    bool IsTimerEnabled(engine::AttentionTimer timer) const override { return timers_[static_cast<size_t>(timer)]; }

    void PlaySoundEffect(engine::Effect) override {}
    void PlayWinSound() override {}
    void Delay(double) override {}
    void ShowInformation(const std::string&) override {}
    bool StartPendingTrack() override { return true; }
    int32_t MotionHeight() const override { return DefaultMotionHeight; }
    void AnimateSpin(const engine::MotionOffsets&) override {}
    void SlideReel(int, engine::SlideDirection) override {}
    void SettleReel(int) override {}
    void SecureOutcome(const engine::GameState&) override {}
    void RunBonusWindow(const engine::BonusPrizes& prizes) override;

    // Bonus games run and prizes picked since the last call.
    int64_t TakeBonusGames();
    int64_t TakeBonusPrizes();

private:
    engine::GameState& state_;
    engine::Random& random_;
    std::array<bool, 3> timers_{};
    int64_t bonusGames_ = 0;
    int64_t bonusPrizes_ = 0;
};

}  // namespace par
