// The one interface between the rules and the outside world: drawing, sound,
// waits, messages, music and the bonus window, as the rules ask for them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/SoundEffects.h"

namespace engine {

struct GameState;

inline constexpr int ReelCount = 3;

// Where each reel's view starts in the motion strip when a spin begins.
using MotionOffsets = std::array<int32_t, ReelCount>;

// Prizes of the eight boxes of the bonus game, box 1 first.
using BonusPrizes = std::array<int32_t, 8>;

// The three buttons of the table.
enum class Button { BetOne, BetFive, Spin };

// The attention timers that a spin switches off and on again.
enum class AttentionTimer {
    ButtonAttention,  // the buttons take turns to light up, or the spin button blinks
    WinFlash,         // the logo panel and the title plate flash after a win
    BetSignBlink,     // the bet-one sign blinks while the table waits for a bet
};

enum class SlideDirection { Down, Up };

// Everything the rules ask of the outside world. The main window implements it
// with drawing, sound and waits; tests record the calls; the analysis tool
// answers silently. The host owns the GameState the rules work on and may read
// it (and the reel stops) at any time.
class Host {
public:
    virtual ~Host() = default;

    // Counters, buttons and lit areas of the table.
    virtual void DrawCreditsCounter() = 0;
    virtual void DrawCoinsCounter() = 0;     // also wipes the Winnings figure
    virtual void DrawWinningsCaption() = 0;  // the "Winnings" label, before a count-up
    virtual void DrawWinningsCounter(int32_t shown) = 0;
    virtual void DrawButton(Button button, bool lit) = 0;
    virtual void DrawLogoPanel(bool lit) = 0;
    virtual void DrawTitlePlate(bool lit) = 0;
    virtual void DrawBetSign(bool lit) = 0;
    virtual void DrawBonusMeter() = 0;  // shows BonusPts, capped first (CapBonusPoints)

    virtual void SetTimerEnabled(AttentionTimer timer, bool enabled) = 0;
    virtual bool IsTimerEnabled(AttentionTimer timer) const = 0;

    // Each effect decides itself whether the caller waits for its end (see
    // SoundEffects.h); the win sound always plays to its end.
    virtual void PlaySoundEffect(Effect effect) = 0;
    virtual void PlayWinSound() = 0;

    // A paced wait that keeps the window alive.
    virtual void Delay(double seconds) = 0;

    // An information box with an OK button.
    virtual void ShowInformation(const std::string& text) = 0;

    // Starts a pending music track, if any. Returns false when the start
    // failed; the host has already shown the error and the spin command ends.
    virtual bool StartPendingTrack() = 0;

    // Height of the scaled motion strip: the range of the motion offsets.
    virtual int32_t MotionHeight() const = 0;

    // The spin's frames, from the given offsets until all three reels rest on
    // their (already chosen) stops; ends early once ClosingRequested is set.
    virtual void AnimateSpin(const MotionOffsets& offsets) = 0;

    // The one-position slide of a nudge, drawn from the stop as it stands
    // before the change; the rules then change the stop and ask for the settle.
    virtual void SlideReel(int reel, SlideDirection direction) = 0;
    virtual void SettleReel(int reel) = 0;

    // The outcome is decided, before it is shown: `settled` is the game as it
    // will stand once the spin (or the bonus game) has been shown and counted:
    // the bet taken, the win credited, the meter after the spin, the counts.
    // The host makes it durable now, so that a power loss or a kill during
    // the animation or the count-up neither loses the win nor repeats it. A
    // full meter in it is a bonus game still owed. A failure is the host's to
    // keep; the spin goes on.
    virtual void SecureOutcome(const GameState& settled) = 0;

    // The modal pick-a-box window. It sets SpinWin to the prize picked and
    // adds the prize to BonusWon when it closes.
    virtual void RunBonusWindow(const BonusPrizes& prizes) = 0;
};

}  // namespace engine
