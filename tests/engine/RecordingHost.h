// The engine tests' host and script reader: the two questions the rules ask,
// and every step of a command's script written down as a short line.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/GameState.h"
#include "engine/Host.h"
#include "engine/Script.h"

// Answers the rules' questions, and reads scripts as lines with the figure a
// player would see at that step.
class RecordingHost : public engine::Host {
public:
    // Behaviour.
    bool trackStarts = true;
    int32_t motionHeight = 456;

    // What was seen.
    std::vector<std::string> calls;
    engine::MotionOffsets lastOffsets{};
    engine::ReelStops lastSpinStops{};
    engine::BonusPrizes lastPrizes{};
    std::array<bool, 3> timers{};

    int Count(const std::string& call) const;
    std::vector<std::string> Matching(const std::string& prefix) const;
    // The calls from the first one equal to `from` on (all of them if absent).
    std::vector<std::string> From(const std::string& from) const;

    // Every step of a script, in order.
    void Read(const engine::Script& script);

    bool StartPendingTrack() override;
    int32_t MotionHeight() const override { return motionHeight; }
};
