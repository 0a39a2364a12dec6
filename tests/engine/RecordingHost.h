// The engine tests' host, which writes down every call the rules make.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/GameState.h"
#include "engine/Host.h"

// A host that logs every call as a short line (with the figure a player would
// see at that moment) and plays the bonus window as a chosen box.
class RecordingHost : public engine::Host {
public:
    explicit RecordingHost(engine::GameState& state) : state_(state) {}

    // Behaviour.
    bool trackStarts = true;
    int32_t motionHeight = 456;
    int pickedBox = 0;  // box index 0..7 opened in the bonus window, -1 for none
    // When set, chooses the box instead of pickedBox.
    std::function<int(const engine::BonusPrizes&)> chooseBox;
    // Runs after each call has been logged (e.g. to close the window from
    // inside a wait).
    std::function<void(const std::string&)> afterCall;

    // What was seen.
    mutable std::vector<std::string> calls;
    engine::MotionOffsets lastOffsets{};
    engine::BonusPrizes lastPrizes{};
    std::array<bool, 3> timers{};
    std::vector<engine::GameState> secured;  // every outcome made durable, in order

    int Count(const std::string& call) const;
    std::vector<std::string> Matching(const std::string& prefix) const;
    // The calls from the first one equal to `from` on (all of them if absent).
    std::vector<std::string> From(const std::string& from) const;

    void DrawCreditsCounter() override;
    void DrawCoinsCounter() override;
    void DrawWinningsCaption() override;
    void DrawWinningsCounter(int32_t shown) override;
    void DrawButton(engine::Button button, bool lit) override;
    void DrawLogoPanel(bool lit) override;
    void DrawTitlePlate(bool lit) override;
    void DrawBetSign(bool lit) override;
    void DrawBonusMeter() override;
    void SetTimerEnabled(engine::AttentionTimer timer, bool enabled) override;
    bool IsTimerEnabled(engine::AttentionTimer timer) const override;
    void PlaySoundEffect(engine::Effect effect) override;
    void PlayWinSound() override;
    void Delay(double seconds) override;
    void ShowInformation(const std::string& text) override;
    bool StartPendingTrack() override;
    int32_t MotionHeight() const override;
    void AnimateSpin(const engine::MotionOffsets& offsets) override;
    void SlideReel(int reel, engine::SlideDirection direction) override;
    void SettleReel(int reel) override;
    void SecureOutcome(const engine::GameState& settled) override;
    void RunBonusWindow(const engine::BonusPrizes& prizes) override;

private:
    void Log(const std::string& call) const;

    engine::GameState& state_;
};
