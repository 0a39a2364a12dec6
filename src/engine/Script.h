// A command's script: what the table shows and plays, in order, with the
// waits between, as the rules decide it. The play layer plays it on a timer.
#pragma once

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

#include "engine/Reels.h"
#include "engine/TableTypes.h"
#include "engine/SoundEffects.h"

namespace engine {

namespace step {

struct ShowCredits {
    int32_t credits;
};
// The Coins figure; showing it wipes the Winnings figure.
struct ShowCoins {
    int32_t coins;
};
// The Winnings figure of a count-up (its caption is drawn again with it).
struct ShowWinnings {
    int32_t shown;
};
struct ShowButton {
    Button button;
    bool lit;
};
struct ShowLamp {
    Lamp lamp;
    bool lit;
};
// The meter's level, 0..BonusMeterFull.
struct ShowMeter {
    int32_t points;
};
struct SwitchTimer {
    AttentionTimer timer;
    bool on;
};
// An effect; the script goes on at its end where the effect is waited for
// (SoundEffects.h), at once otherwise.
struct PlayEffect {
    Effect effect;
};
// The win sound: always waited for.
struct PlayWinSound {};
struct Pause {
    int32_t micros;
};
// The spin's frames, from the offsets until all three reels rest on `stops`.
struct SpinReels {
    MotionOffsets offsets;
    ReelStops stops;
};
// The one-position slide of a nudge from `from`, and the settle on `to`.
struct NudgeReel {
    int reel;
    SlideDirection direction;
    int32_t from;
    int32_t to;
};
// The bonus window: the script waits here until the player has picked.
struct PickBonusBox {
    BonusPrizes prizes;
};
// An information box with an OK button; a refused command ends with it.
// The text is one of the rules' own messages (Game.h).
struct TellInformation {
    const char* text;
};

}  // namespace step

using Step = std::variant<step::ShowCredits, step::ShowCoins, step::ShowWinnings,
                          step::ShowButton, step::ShowLamp, step::ShowMeter, step::SwitchTimer, step::PlayEffect,
                          step::PlayWinSound, step::Pause, step::SpinReels, step::NudgeReel, step::PickBonusBox,
                          step::TellInformation>;

// What a command does, in the order the player sees and hears it.
struct Script {
    std::vector<Step> steps;

    bool Empty() const { return steps.empty(); }
    template <typename S>
    void Add(S s)
    {
        steps.emplace_back(std::move(s));
    }
    // The steps of another script after these.
    void Append(const Script& more) { steps.insert(steps.end(), more.steps.begin(), more.steps.end()); }
    // True when the script stops for the bonus window.
    bool WaitsForBonusPick() const;
};

}  // namespace engine
