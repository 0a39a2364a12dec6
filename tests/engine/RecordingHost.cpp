// The recording host: each call logged with the figure a player would see, and the bonus window
// played by opening a chosen box.
#include "RecordingHost.h"

#include <cstdio>

#include "engine/Amounts.h"

namespace {

std::string TimerName(engine::AttentionTimer timer)
{
    switch (timer) {
    case engine::AttentionTimer::ButtonAttention: return "ButtonAttention";
    case engine::AttentionTimer::WinFlash: return "WinFlash";
    case engine::AttentionTimer::BetSignBlink: return "BetSignBlink";
    }
    return "Timer?";
}

}  // namespace

void RecordingHost::Log(const std::string& call) const
{
    calls.push_back(call);
    if (afterCall) afterCall(call);
}

int RecordingHost::Count(const std::string& call) const
{
    int n = 0;
    for (const std::string& c : calls) n += c == call ? 1 : 0;
    return n;
}

std::vector<std::string> RecordingHost::Matching(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const std::string& c : calls) {
        if (c.rfind(prefix, 0) == 0) found.push_back(c);
    }
    return found;
}

std::vector<std::string> RecordingHost::From(const std::string& from) const
{
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i] == from) return {calls.begin() + static_cast<std::ptrdiff_t>(i), calls.end()};
    }
    return calls;
}

void RecordingHost::DrawCreditsCounter()
{
    Log("Credits=" + std::to_string(state_.Credits));
}
void RecordingHost::DrawCoinsCounter()
{
    Log("Coins=" + std::to_string(state_.BetCoins));
}
void RecordingHost::DrawWinningsCaption()
{
    Log("WinningsCaption");
}
void RecordingHost::DrawWinningsCounter(int32_t shown)
{
    Log("Winnings=" + std::to_string(shown));
}

void RecordingHost::DrawButton(engine::Button button, bool lit)
{
    const char* name = button == engine::Button::BetOne ? "1" : button == engine::Button::BetFive ? "5" : "S";
    Log(std::string("Button ") + name + (lit ? " 1" : " 0"));
}

void RecordingHost::DrawLogoPanel(bool lit)
{
    Log(std::string("LogoPanel ") + (lit ? "1" : "0"));
}
void RecordingHost::DrawTitlePlate(bool lit)
{
    Log(std::string("TitlePlate ") + (lit ? "1" : "0"));
}
void RecordingHost::DrawBetSign(bool lit)
{
    Log(std::string("BetSign ") + (lit ? "1" : "0"));
}

void RecordingHost::DrawBonusMeter()
{
    // As the table draws it: a level above full is shown, and kept, as full.
    if (state_.BonusPts > 12) state_.BonusPts = 12;
    Log("Meter=" + std::to_string(state_.BonusPts));
}

void RecordingHost::SetTimerEnabled(engine::AttentionTimer timer, bool enabled)
{
    timers[static_cast<size_t>(timer)] = enabled;
    Log(TimerName(timer) + (enabled ? " on" : " off"));
}

bool RecordingHost::IsTimerEnabled(engine::AttentionTimer timer) const
{
    Log("Query " + TimerName(timer));
    return timers[static_cast<size_t>(timer)];
}

void RecordingHost::PlaySoundEffect(engine::Effect effect)
{
    Log("Sound " + std::to_string(engine::EffectNumber(effect)));
}
void RecordingHost::PlayWinSound()
{
    Log("WinSound");
}

void RecordingHost::Delay(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "Delay %.3f", seconds);
    Log(text);
}

void RecordingHost::ShowInformation(const std::string& text)
{
    Log("Info " + text);
}

bool RecordingHost::StartPendingTrack()
{
    Log("StartTrack");
    return trackStarts;
}

int32_t RecordingHost::MotionHeight() const
{
    Log("MotionHeight");
    return motionHeight;
}

void RecordingHost::AnimateSpin(const engine::MotionOffsets& offsets)
{
    lastOffsets = offsets;
    Log("Animate");
}

void RecordingHost::SlideReel(int reel, engine::SlideDirection direction)
{
    Log("Slide " + std::to_string(reel) + (direction == engine::SlideDirection::Down ? " Down" : " Up"));
}

void RecordingHost::SettleReel(int reel)
{
    Log("Settle " + std::to_string(reel));
}

void RecordingHost::SecureOutcome(const engine::GameState& settled)
{
    secured.push_back(settled);
    Log("Secure Credits=" + std::to_string(settled.Credits) + " Pts=" + std::to_string(settled.BonusPts));
}

void RecordingHost::RunBonusWindow(const engine::BonusPrizes& prizes)
{
    lastPrizes = prizes;
    // The window as the player uses it: the opened box's prize, if any,
    // becomes SpinWin and is added to BonusWon when the window closes.
    const int box = chooseBox ? chooseBox(prizes) : pickedBox;
    if (box >= 0 && box < static_cast<int>(prizes.size()) && prizes[box] > 0) {
        state_.SpinWin = prizes[box];
        state_.BonusWon = engine::SaturatingAdd(state_.BonusWon, prizes[box]);
    }
    Log("BonusWindow");
}
